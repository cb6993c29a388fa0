// The background saver: what a save point leaves on the disk before its thread runs, which
// save points the thread saves, and what the next start makes of the journals a kill leaves.
#include "storage/BackgroundSaver.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using Outcome = JournalRecovery::Outcome;

// Two files, "A0" and "S0" at first, and the journals beside them.
struct Files {
    explicit Files(const test::TempFolder& folder)
        : bank(folder / "bank"), settings(folder / "settings"), journal(folder / "save.journal"),
          pending(folder / "save.journal.next") {
        test::WriteBytes(bank, "A0");
        test::WriteBytes(settings, "S0");
    }
    std::vector<FileImage> Images(const std::string& bankBytes,
                                  const std::string& settingsBytes) const {
        return {{bank, bankBytes}, {settings, settingsBytes}};
    }
    // "bank|settings", as they are on the disk.
    std::string Now() const { return test::ReadBytes(bank) + "|" + test::ReadBytes(settings); }
    // Each entry of a journal file: "new bytes < old state".
    static std::string Entries(const std::string& path) {
        const auto entries = ReadJournal(test::ReadBytes(path));
        if (!entries) {
            return "<none>";
        }
        std::string text;
        for (const JournalEntry& entry : *entries) {
            text += entry.file.bytes + " < " + entry.oldState + "; ";
        }
        return text;
    }
    std::string bank, settings, journal, pending;
};

// Holds the saver's thread before each save until opened.
struct Gate {
    void Arrive() {
        std::unique_lock lock(mutex);
        ++arrived;
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
    }
    void AwaitArrivals(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return arrived >= count; });
    }
    void Open() {
        const std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    int arrived = 0;
    bool open = false;
};

TEST(BackgroundSaver, SavePointsThatWaitAreOnTheDiskAndOnlyTheNewestIsSaved) {
    const test::TempFolder folder(test::TempFolder::Place::Memory);
    const Files files(folder);
    Gate gate;
    BackgroundSaver saver(files.journal);
    saver.BeforeEachSave([&gate] { gate.Arrive(); });

    ASSERT_TRUE(saver.Save(files.Images("A1", "S1")).ok);
    gate.AwaitArrivals(1); // the thread has taken the first save point, and waits
    EXPECT_EQ(files.Now(), "A0|S0");
    EXPECT_EQ(Files::Entries(files.pending), "A1 < 2:09089207b5a13bd4; S1 < 2:0945fe07b5d5a176; ");
    ASSERT_TRUE(saver.Save(files.Images("A2", "S2")).ok);
    ASSERT_TRUE(saver.Save(files.Images("A3", "S3")).ok);
    // Written while the first is under way: the same old states as its journal will note.
    EXPECT_EQ(Files::Entries(files.pending), "A3 < 2:09089207b5a13bd4; S3 < 2:0945fe07b5d5a176; ");

    gate.Open();
    saver.Wait();
    EXPECT_EQ(files.Now(), "A3|S3");
    EXPECT_EQ(Files::Entries(files.journal), "A3 < 2:09089307b5a13d87; S3 < 2:0945ff07b5d5a329; ");
    EXPECT_EQ(Files::Entries(files.pending), "A3 < 2:09089207b5a13bd4; S3 < 2:0945fe07b5d5a176; ")
        << "it stays until the next save point";
    EXPECT_EQ(saver.TakeResults().size(), 2u) << "the first, then the newest: A2 never";
    EXPECT_EQ(saver.TakeResults().size(), 0u);

    EXPECT_TRUE(saver.SaveAndClose(files.Images("A4", "S4")).ok);
    EXPECT_EQ(files.Now(), "A4|S4");
    EXPECT_EQ(test::FolderEntries(folder.Path()), (std::vector<std::string>{"bank", "settings"}));
}

// A failure on the thread is a result of its own; the next save point is saved as usual.
TEST(BackgroundSaver, AFailedSaveIsReportedAndTheNextOneSaved) {
    const test::TempFolder folder(test::TempFolder::Place::Memory);
    const Files files(folder);
    BackgroundSaver saver(files.journal);
    ASSERT_EQ(::unlink(files.bank.c_str()), 0);
    ASSERT_EQ(::mkdir(files.bank.c_str(), 0700), 0);
    ASSERT_TRUE(saver.Save(files.Images("A1", "S1")).ok);
    saver.Wait();
    const std::vector<SaveResult> failed = saver.TakeResults();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].path, files.bank);
    EXPECT_EQ(failed[0].reason, "Is a directory");
    EXPECT_EQ(Files::Entries(files.pending), "A1 < ?; S1 < 2:0945fe07b5d5a176; ")
        << "kept for the next start";

    ASSERT_EQ(::rmdir(files.bank.c_str()), 0);
    ASSERT_TRUE(saver.Save(files.Images("A2", "S2")).ok);
    saver.Wait();
    const std::vector<SaveResult> saved = saver.TakeResults();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0].ok);
    EXPECT_EQ(files.Now(), "A2|S2");
}

// A saver in a child, its thread held before the save of `held` (0: the first); the child hands
// over the save points of `bankBytes` and is killed with them waiting for the disk. The next
// start finds the newest of them.
TEST(BackgroundSaver, KilledWithSavePointsWaitingTheNextStartFindsTheNewest) {
    struct Row {
        const char* name;
        int held;
        std::vector<std::string> bankBytes;
        std::vector<Outcome> recovered;
    };
    const Row rows[] = {
        {"held before its first save", 0, {"A1", "A2"}, {Outcome::None, Outcome::Completed}},
        {"held before its second save",
         1,
         {"A1", "A2", "A3"},
         {Outcome::Completed, Outcome::Completed}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const test::TempFolder folder(test::TempFolder::Place::Memory);
        const Files files(folder);
        int handed[2];
        ASSERT_EQ(::pipe(handed), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int saves = 0;
            BackgroundSaver saver(files.journal);
            saver.BeforeEachSave([&saves, &row] {
                while (saves++ >= row.held) {
                    ::pause(); // until the kill
                }
            });
            for (std::size_t i = 0; i < row.bankBytes.size(); ++i) {
                const std::string& bytes = row.bankBytes[i];
                saver.Save(files.Images(bytes, "S" + bytes.substr(1)));
                if (i < static_cast<std::size_t>(row.held)) {
                    saver.Wait(); // saved, before the thread is held
                }
            }
            [[maybe_unused]] const auto sent = ::write(handed[1], "x", 1);
            ::pause();
        }
        char byte = 0;
        ASSERT_EQ(::read(handed[0], &byte, 1), 1);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(handed[0]);
        ::close(handed[1]);
        std::vector<Outcome> outcomes;
        for (const JournalRecovery& recovery :
             RecoverJournals(files.journal, {files.bank, files.settings})) {
            outcomes.push_back(recovery.outcome);
        }
        EXPECT_EQ(outcomes, row.recovered);
        EXPECT_EQ(files.Now(), row.bankBytes.back() + "|S" + row.bankBytes.back().substr(1));
        EXPECT_EQ(test::FolderEntries(folder.Path()),
                  (std::vector<std::string>{"bank", "settings"}));
    }
}

// The journal bytes of a save of "bank|settings" from the old pair, on `files`.
std::string JournalOf(const Files& files, const std::string& pair, const std::string& old) {
    const auto split = [](const std::string& text) {
        const auto bar = text.find('|');
        return std::pair{text.substr(0, bar), text.substr(bar + 1)};
    };
    const auto [bank, settings] = split(pair);
    const auto [oldBank, oldSettings] = split(old);
    return JournalBytes({{{files.bank, bank}, StateOfBytes(oldBank)},
                         {{files.settings, settings}, StateOfBytes(oldSettings)}});
}

// What the next start makes of the journal and the pending journal a kill can leave.
TEST(BackgroundSaver, TheNextStartCompletesThePendingJournalAfterOrInsteadOfTheJournal) {
    struct Row {
        const char* name;
        std::string journal; // "bank|settings from bank|settings", or nothing
        std::string pending; // the same, or other bytes after "!"
        std::string files;   // on the disk at the start
        std::vector<Outcome> recovered;
        std::string after;
        std::vector<std::string> left;
    };
    const std::vector<std::string> both{"bank", "settings"};
    const Row rows[] = {
        {"the pending journal alone",
         "",
         "A1|S1 from A0|S0",
         "A0|S0",
         {Outcome::None, Outcome::Completed},
         "A1|S1",
         both},
        {"the journal's save half done: the pending one succeeds it",
         "A1|S1 from A0|S0",
         "A2|S2 from A0|S0",
         "A1|S0",
         {Outcome::Completed},
         "A2|S2",
         both},
        {"the journal's files not yet replaced: the pending one succeeds it",
         "A1|S1 from A0|S0",
         "A2|S2 from A0|S0",
         "A0|S0",
         {Outcome::Completed},
         "A2|S2",
         both},
        {"the journal saved, the pending one written after it",
         "A1|S1 from A0|S0",
         "A2|S2 from A1|S1",
         "A1|S1",
         {Outcome::Completed, Outcome::Completed},
         "A2|S2",
         both},
        {"the journal's files lost, the pending one after it",
         "A1|S1 from A0|S0",
         "A2|S2 from A1|S1",
         "A0|S0",
         {Outcome::Completed, Outcome::Completed},
         "A2|S2",
         both},
        {"a pending journal whose bank changed since",
         "",
         "A1|S1 from A0|S0",
         "Z|S0",
         {Outcome::None, Outcome::SetAside},
         "Z|S0",
         {"bank", "save.journal.next.bad", "settings"}},
        {"a successor whose bank changed since",
         "A1|S1 from A0|S0",
         "A2|S2 from A0|S0",
         "Z|S0",
         {Outcome::SetAside, Outcome::SetAside},
         "Z|S0",
         {"bank", "save.journal.bad", "save.journal.next.bad", "settings"}},
        {"a pending journal that is not whole",
         "A1|S1 from A0|S0",
         "!corvanta save journal 2\n",
         "A0|S0",
         {Outcome::Completed, Outcome::SetAside},
         "A1|S1",
         {"bank", "save.journal.next.bad", "settings"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const test::TempFolder folder(test::TempFolder::Place::Memory);
        const Files files(folder);
        const auto write = [&files](const std::string& path, const std::string& journal) {
            const auto from = journal.find(" from ");
            if (journal.starts_with("!")) {
                test::WriteBytes(path, journal.substr(1));
            } else if (!journal.empty()) {
                test::WriteBytes(
                    path, JournalOf(files, journal.substr(0, from), journal.substr(from + 6)));
            }
        };
        write(files.journal, row.journal);
        write(files.pending, row.pending);
        const auto bar = row.files.find('|');
        test::WriteBytes(files.bank, row.files.substr(0, bar));
        test::WriteBytes(files.settings, row.files.substr(bar + 1));
        std::vector<Outcome> outcomes;
        for (const JournalRecovery& recovery :
             RecoverJournals(files.journal, {files.bank, files.settings})) {
            outcomes.push_back(recovery.outcome);
        }
        EXPECT_EQ(outcomes, row.recovered);
        EXPECT_EQ(files.Now(), row.after);
        EXPECT_EQ(test::FolderEntries(folder.Path()), row.left);
    }
}

} // namespace
} // namespace corvanta
