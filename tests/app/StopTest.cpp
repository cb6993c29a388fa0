// The game stopped from outside. A termination signal ends the real program the orderly way,
// saving like Exit. SIGKILL ends the real window, played in a child process, after any step or
// a random moment into the next: the next start finds the bank and the settings byte for byte
// as an orderly exit at the last save point leaves them.
#include "bank/BankFile.h"
#include "cards/basCards.h"
#include "game/GameSession.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmPoker/MainWindow.h"

#include "support/SavedFiles.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

#include "RealProgram.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvanta {
namespace {

using test::StartProgram;
using test::WaitForTheEnd;

// Sends the signal once `file` appears and the event loop has had a moment; never leaves a
// game behind. Returns whether it was sent.
bool SignalWhenThere(pid_t child, const std::string& file, int signal) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(file) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool started = std::filesystem::exists(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(started ? 300 : 0));
    ::kill(child, started ? signal : SIGKILL);
    return started;
}

class SignalTest : public ::testing::TestWithParam<int> {};

TEST_P(SignalTest, TheSignalRunsTheSameShutdownAsExit) {
    const test::TempFolder folder;
    const pid_t child = StartProgram(folder);
    // The start-up creates the empty bank file in the data folder; then the window is up.
    const std::string bank = folder / "data/corvanta/gbank.db";
    ASSERT_TRUE(SignalWhenThere(child, bank, GetParam())) << "no bank appeared";
    const int status = WaitForTheEnd(child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    // The default account reached the bank, and the settings were written.
    EXPECT_EQ(test::ReadBytes(bank),
              "Default             " + std::string(8, '\0') + "d" + std::string(17, '\0'));
    EXPECT_NE(test::ReadBytes(folder / "config/corvanta/settings.reg")
                  .find("\"Current Money\"=dword:00000064"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// Settings the game cannot understand are said at the start-up, in a message box that no one
// answers: a termination signal then closes it and ends the game as Exit does.
TEST(StartUpSignal, ASignalWhileAStartUpMessageIsOpenRunsTheSameShutdown) {
    const test::TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "config").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((folder / "config/corvanta").c_str(), 0700), 0);
    test::WriteBytes(folder / "config/corvanta/settings.reg", "not settings");
    const pid_t child = StartProgram(folder);
    // The settings are kept aside and the bank is made before the message shows.
    ASSERT_TRUE(SignalWhenThere(child, folder / "data/corvanta/gbank.db", SIGTERM));
    const int status = WaitForTheEnd(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(test::ReadBytes(folder / "config/corvanta/settings.reg.bad"), "not settings");
    EXPECT_NE(test::ReadBytes(folder / "config/corvanta/settings.reg")
                  .find("\"Current Money\"=dword:00000064"),
              std::string::npos);
    EXPECT_EQ(test::ReadBytes(folder / "data/corvanta/gbank.db").size(), 46u);
}

// Two rounds with the bank commands between them, each a click on a control of the window,
// after an amount typed into its box when one is given; every step is a save point.
const QStringList Script = QStringLiteral("cmdAddBet 5|cmdDeal|Card2|cmdDeal|cmdDeposit 20|"
                                          "cmdWithdrawCash 7|cmdClearStats|cmdAddBet "
                                          "30|cmdDeal|cmdDeal")
                               .split(u'|');
const std::size_t Steps = Script.size();

GameFolders FoldersIn(const test::TempFolder& folder) {
    return {.bank = folder / "data", .config = folder / "config"};
}

// A bank of one account, "Player" with $300, and $200 at the table.
void Prepare(const test::TempFolder& folder) {
    ::mkdir((folder / "data").c_str(), 0700);
    test::WriteBytes(folder / "data/gbank.db", "Player              " + std::string(8, '\0') +
                                                   "\x2c\x01" + std::string(16, '\0'));
    ASSERT_TRUE(SaveSettings(folder / "config", {63, 1, 200}).ok);
}

// The child: the real window, the script clicked step by step; after each step it says so on
// `done` and waits for a byte on `go`. After `exitAfter` steps it exits the orderly way.
[[noreturn]] void PlayInTheWindow(const test::TempFolder& folder, int done, int go,
                                  std::size_t exitAfter) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("HOME", folder.Path().c_str(), 1); // nothing of Qt's own in the real home
    int argc = 1;
    char name[] = "corvanta";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    InstallGameFonts();
    CardDrawing cards;
    test::ScriptedRandom random{test::Card(8, 1), test::Card(8, 2),  test::Card(3, 3),
                                test::Card(8, 4), test::Card(12, 3), test::Card(3, 2),
                                test::Card(2, 1), test::Card(5, 2),  test::Card(7, 3),
                                test::Card(9, 4), test::Card(13, 1)};
    GameModel model(FoldersIn(folder), random);
    MainWindow window(model, cards);
    window.show();
    QTimer answerYes; // Clear Statistics asks first: the script's click means Yes
    QObject::connect(&answerYes, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box != nullptr && box->button(QMessageBox::Yes) != nullptr) {
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerYes.start(5);
    char byte = 1;
    for (std::size_t step = 0; step < exitAfter && step < Steps; ++step) {
        const QString amount = Script[step].section(u' ', 1);
        if (!amount.isEmpty()) {
            const bool bet = Script[step].startsWith(u"cmdAddBet");
            window.findChild<QLineEdit*>(QString::fromLatin1(bet ? "txtBet" : "txtBank"))
                ->setText(amount);
        }
        QTest::mouseClick(window.findChild<QWidget*>(Script[step].section(u' ', 0, 0)),
                          Qt::LeftButton);
        if (done >= 0 && (::write(done, &byte, 1) != 1 || ::read(go, &byte, 1) != 1)) {
            ::_exit(2);
        }
    }
    if (exitAfter <= Steps) {
        window.close();
        ::_exit(0);
    }
    for (;;) {
        ::pause(); // played out: wait for the kill
    }
}

// The two files after a new start.
std::string FilesAtTheNextStart(const test::TempFolder& folder) {
    test::ScriptedRandom cards;
    GameSession(FoldersIn(folder), cards).StartUp();
    return test::ReadBytes(BankFilePath(folder / "data")) + "|" +
           test::ReadBytes(SettingsFilePath(folder / "config"));
}

// Plays the script in a child up to step `after` (0: none), then kills it there, or a random
// moment into the next step; returns the steps finished before the kill.
std::size_t PlayAndKill(const test::TempFolder& folder, std::size_t after, bool midStep,
                        std::mt19937& random) {
    int done[2];
    int go[2];
    if (::pipe(done) != 0 || ::pipe(go) != 0) {
        ADD_FAILURE() << "no pipes";
        return 0;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(done[0]);
        ::close(go[1]);
        PlayInTheWindow(folder, done[1], go[0], Steps + 1);
    }
    ::close(done[1]);
    ::close(go[0]);
    std::size_t finished = 0;
    char byte = 1;
    while (finished < after && ::read(done[0], &byte, 1) == 1) {
        ++finished;
        if (finished < after || midStep) {
            [[maybe_unused]] const auto sent = ::write(go[1], &byte, 1);
        }
    }
    if (midStep) {
        ::usleep(random() % 4000); // the next step's click, its save, or its wait
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(go[1]);
    while (::read(done[0], &byte, 1) == 1) {
        ++finished; // a step that finished before the kill landed
    }
    ::close(done[0]);
    return finished;
}

// Killed after every step, and a random moment into each: the next start finds the files
// of the last finished step, or (killed inside a step's save) of that step.
TEST(KillTest, TheNextStartFindsTheFilesOfTheLastSavePoint) {
    std::vector<std::string> expected; // an orderly exit after each step
    for (std::size_t steps = 0; steps <= Steps; ++steps) {
        const test::TempFolder folder;
        Prepare(folder);
        if (const pid_t child = ::fork(); child == 0) {
            PlayInTheWindow(folder, -1, -1, steps);
        } else {
            ::waitpid(child, nullptr, 0);
        }
        expected.push_back(FilesAtTheNextStart(folder));
    }
    std::mt19937 random(20261207);
    for (std::size_t after = 0; after <= Steps; ++after) {
        for (const bool midStep : {false, true}) {
            const test::TempFolder folder;
            Prepare(folder);
            const std::size_t done = PlayAndKill(folder, after, midStep && after < Steps, random);
            ASSERT_LE(done, Steps);
            const std::string onDisk = FilesAtTheNextStart(folder);
            EXPECT_TRUE(onDisk == expected[done] ||
                        (midStep && done < Steps && onDisk == expected[done + 1]))
                << "killed after " << done << " steps" << (midStep ? ", inside the next" : "");
        }
    }
}

} // namespace
} // namespace corvanta
