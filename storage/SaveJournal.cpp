#include "storage/SaveJournal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <unistd.h>

namespace corvanta {
namespace {

constexpr std::string_view Header = "corvanta save journal 2\n";
constexpr std::size_t ChecksumDigits = 16;
// Two files of at most 1 MiB each (the most the game reads of the bank and of the settings)
// and their names; a real journal is a few kilobytes.
constexpr std::size_t MaxJournalBytes = 3 * 1024 * 1024;
constexpr std::string_view MissingState = "-";

// FNV-1a: enough to tell a whole journal from anything else that might sit in its place, and
// a file as a save found it from the same file changed since.
std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    std::string text(ChecksumDigits, '0');
    for (std::size_t i = ChecksumDigits; i-- > 0; value >>= 4) {
        text[i] = "0123456789abcdef"[value & 0xF];
    }
    return text;
}

// A decimal count followed by `end`, taken from the front of `bytes`.
std::optional<std::size_t> TakeCount(std::string_view& bytes, char end) {
    std::size_t count = 0;
    const auto [stop, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), count);
    if (error != std::errc{} || stop == bytes.data() + bytes.size() || *stop != end) {
        return std::nullopt;
    }
    bytes.remove_prefix(static_cast<std::size_t>(stop - bytes.data()) + 1);
    return count;
}

std::optional<std::string> TakeBytes(std::string_view& bytes, std::size_t count) {
    if (count > bytes.size()) {
        return std::nullopt;
    }
    std::string taken(bytes.substr(0, count));
    bytes.remove_prefix(count);
    return taken;
}

// The state of the file now; nothing when it cannot be read (then nothing vouches for it).
std::optional<std::string> FileState(const std::string& path) {
    const ReadResult file = ReadWholeFile(path, MaxJournalBytes);
    if (file.error == ENOENT) {
        return std::string(MissingState);
    }
    return file.error == 0 ? std::optional(StateOfBytes(file.bytes)) : std::nullopt;
}

// The text up to the next line end, which is taken too.
std::optional<std::string> TakeLine(std::string_view& bytes) {
    const auto end = bytes.find('\n');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string line(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
    return line;
}

SaveResult ReplaceAll(const std::vector<JournalEntry>& entries, Flush flush) {
    for (const auto& [file, oldState] : entries) {
        if (SaveResult result = WriteFileAtomically(file.path, file.bytes, flush); !result.ok) {
            return result;
        }
    }
    return {};
}

// Each file with the state the save finds it in; a failure when one may not be written or
// cannot be read, before anything is.
SaveResult NoteOldStates(const std::vector<FileImage>& files, std::vector<JournalEntry>& entries) {
    for (const FileImage& file : files) {
        if (const WriteTarget target = ReplacementTarget(file.path); target.error != 0) {
            return SaveResult::Failure(file.path, target.error);
        }
        const ReadResult old = ReadWholeFile(file.path, MaxJournalBytes);
        if (old.error != 0 && old.error != ENOENT) {
            return SaveResult::Failure(file.path, old.error);
        }
        entries.push_back(
            {file, old.error == ENOENT ? std::string(MissingState) : StateOfBytes(old.bytes)});
    }
    return {};
}

// The new bytes `journal` holds for `path`, if it names it.
const std::string* NewBytesIn(const std::vector<JournalEntry>* journal, const std::string& path) {
    if (journal != nullptr) {
        for (const auto& [file, oldState] : *journal) {
            if (file.path == path) {
                return &file.bytes;
            }
        }
    }
    return nullptr;
}

// Why the journal may not be carried out here, or nothing when it may: a file named that the
// game does not use now (or named twice), or a file that is neither as the save found it nor
// already new, nor as the `predecessor` journal's save left it.
std::optional<std::string> Untrusted(const std::vector<JournalEntry>& entries,
                                     const std::vector<std::string>& inUse,
                                     const std::vector<JournalEntry>* predecessor = nullptr) {
    std::vector<std::string> named;
    std::vector<std::string> changed;
    for (const auto& [file, oldState] : entries) {
        if (std::find(inUse.begin(), inUse.end(), file.path) == inUse.end() ||
            std::find(named.begin(), named.end(), file.path) != named.end()) {
            return "It names " + file.path + ", which is neither the bank nor the settings in use";
        }
        named.push_back(file.path);
        const std::optional<std::string> now = FileState(file.path);
        const std::string* left = NewBytesIn(predecessor, file.path);
        if (!now || (*now != oldState && *now != StateOfBytes(file.bytes) &&
                     (left == nullptr || *now != StateOfBytes(*left)))) {
            changed.push_back(file.path);
        }
    }
    if (changed.empty()) {
        return std::nullopt;
    }
    std::string files = changed.front();
    for (std::size_t i = 1; i < changed.size(); ++i) {
        files += " and " + changed[i];
    }
    return files + " changed after that save began";
}

JournalRecovery SetAside(const std::string& journalPath, std::string why) {
    KeptAside kept = KeepAside(journalPath);
    if (!kept.result.ok) {
        return {JournalRecovery::Outcome::Stuck, std::move(why), {}, std::move(kept.result)};
    }
    return {JournalRecovery::Outcome::SetAside, std::move(why), std::move(kept.keptAs), {}};
}

// A journal as the start-up finds it: none, one that cannot be read or is not whole (why), or
// its entries.
struct FoundJournal {
    bool present = false;
    std::optional<std::vector<JournalEntry>> entries;
    std::string why;
};

FoundJournal FindJournal(const std::string& journalPath) {
    const ReadResult journal = ReadWholeFile(journalPath, MaxJournalBytes, Owner::Player);
    if (journal.error == ENOENT) {
        return {};
    }
    if (journal.error != 0) {
        return {true, std::nullopt, ReasonText(journal.error)};
    }
    auto entries = ReadJournal(journal.bytes);
    if (!entries) {
        return {true, std::nullopt, "It is not a whole save journal of this game"};
    }
    return {true, std::move(entries), {}};
}

JournalRecovery Recover(const std::string& journalPath, const std::vector<std::string>& inUse) {
    FoundJournal found = FindJournal(journalPath);
    if (!found.present) {
        return {};
    }
    if (!found.entries) {
        return SetAside(journalPath, std::move(found.why));
    }
    if (std::optional<std::string> why = Untrusted(*found.entries, inUse)) {
        return SetAside(journalPath, std::move(*why));
    }
    if (SaveResult replaced = ReplaceAll(*found.entries, Flush::Durable); !replaced.ok) {
        return {JournalRecovery::Outcome::Unfinished, {}, {}, std::move(replaced)};
    }
    ::unlink(journalPath.c_str());
    return {JournalRecovery::Outcome::Completed, {}, {}, {}};
}

bool SameOldStates(const std::vector<JournalEntry>& one, const std::vector<JournalEntry>& other) {
    return std::equal(one.begin(), one.end(), other.begin(), other.end(),
                      [](const JournalEntry& a, const JournalEntry& b) {
                          return a.file.path == b.file.path && a.oldState == b.oldState;
                      });
}

// The pending journal completed in place of the journal it succeeds, or nothing when it is
// not that journal's successor or not trusted as one.
std::optional<JournalRecovery> RecoverSuccessor(const std::string& journalPath,
                                                const std::vector<std::string>& inUse) {
    const std::string pendingPath = PendingJournalPath(journalPath);
    const FoundJournal journal = FindJournal(journalPath);
    const FoundJournal pending = FindJournal(pendingPath);
    if (!journal.entries || !pending.entries ||
        !SameOldStates(*journal.entries, *pending.entries) ||
        Untrusted(*pending.entries, inUse, &*journal.entries)) {
        return std::nullopt;
    }
    if (SaveResult replaced = ReplaceAll(*pending.entries, Flush::Durable); !replaced.ok) {
        return JournalRecovery{
            JournalRecovery::Outcome::Unfinished, {}, {}, std::move(replaced), pendingPath};
    }
    // The journal goes first: the pending one alone finds its files already new, while the
    // journal alone would find them changed since its save began.
    ::unlink(journalPath.c_str());
    ::unlink(pendingPath.c_str());
    return JournalRecovery{JournalRecovery::Outcome::Completed, {}, {}, {}, pendingPath};
}

} // namespace

std::string StateOfBytes(std::string_view bytes) {
    return std::to_string(bytes.size()) + ":" + Hex(Checksum(bytes));
}

std::string JournalBytes(const std::vector<JournalEntry>& entries) {
    std::string bytes(Header);
    bytes += std::to_string(entries.size()) + "\n";
    for (const auto& [file, oldState] : entries) {
        bytes += std::to_string(file.path.size()) + " " + std::to_string(file.bytes.size()) + " " +
                 oldState + "\n";
        bytes += file.path;
        bytes += file.bytes;
    }
    return bytes + Hex(Checksum(bytes)) + "\n";
}

std::optional<std::vector<JournalEntry>> ReadJournal(std::string_view bytes) {
    if (bytes.size() < Header.size() + ChecksumDigits + 1 || !bytes.starts_with(Header) ||
        !bytes.ends_with('\n')) {
        return std::nullopt;
    }
    const std::string_view body = bytes.substr(0, bytes.size() - ChecksumDigits - 1);
    if (bytes.substr(body.size(), ChecksumDigits) != Hex(Checksum(body))) {
        return std::nullopt;
    }
    std::string_view rest = body.substr(Header.size());
    const auto count = TakeCount(rest, '\n');
    if (!count || *count > rest.size()) {
        return std::nullopt;
    }
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < *count; ++i) {
        const auto pathLength = TakeCount(rest, ' ');
        const auto byteCount = pathLength ? TakeCount(rest, ' ') : std::nullopt;
        auto oldState = byteCount ? TakeLine(rest) : std::nullopt;
        auto path = oldState ? TakeBytes(rest, *pathLength) : std::nullopt;
        auto contents = path ? TakeBytes(rest, *byteCount) : std::nullopt;
        if (!contents || path->empty() || oldState->empty()) {
            return std::nullopt;
        }
        entries.push_back({{std::move(*path), std::move(*contents)}, std::move(*oldState)});
    }
    return rest.empty() ? std::optional(std::move(entries)) : std::nullopt;
}

SaveResult WriteTogether(const std::string& journalPath, const std::vector<FileImage>& files,
                         JournalEnd end) {
    std::vector<JournalEntry> entries;
    if (SaveResult noted = NoteOldStates(files, entries); !noted.ok) {
        return noted;
    }
    // The journal and its name reach the disk before any file is replaced, so a power cut
    // leaves this save's journal or the last one, either of which rebuilds a whole pair; and
    // once this returns, a power cut no longer loses this save.
    const SaveResult journal =
        WriteFileAtomically(journalPath, JournalBytes(entries), Flush::Durable);
    if (!journal.ok) {
        return journal; // nothing was replaced: the old files stand, and an older journal
    }
    if (end == JournalEnd::Kept) {
        return ReplaceAll(entries, Flush::Lazy);
    }
    if (SaveResult replaced = ReplaceAll(entries, Flush::Durable); !replaced.ok) {
        return replaced; // the journal stays, and the next start completes the save
    }
    ::unlink(journalPath.c_str());
    return {};
}

JournalRecovery RecoverJournal(const std::string& journalPath,
                               const std::vector<std::string>& inUse) {
    JournalRecovery recovery = Recover(journalPath, inUse);
    recovery.journal = journalPath;
    return recovery;
}

std::string PendingJournalPath(const std::string& journalPath) {
    return journalPath + ".next";
}

std::vector<JournalRecovery> RecoverJournals(const std::string& journalPath,
                                             const std::vector<std::string>& inUse) {
    if (std::optional<JournalRecovery> both = RecoverSuccessor(journalPath, inUse)) {
        return {std::move(*both)};
    }
    JournalRecovery first = RecoverJournal(journalPath, inUse);
    using Outcome = JournalRecovery::Outcome;
    if (first.outcome == Outcome::Stuck || first.outcome == Outcome::Unfinished) {
        return {std::move(first)}; // the pending journal is newer still: it waits behind it
    }
    return {std::move(first), RecoverJournal(PendingJournalPath(journalPath), inUse)};
}

std::vector<std::string> StatesAfterJournal(const std::string& journalPath,
                                            const std::vector<std::string>& paths) {
    const FoundJournal journal = FindJournal(journalPath);
    std::vector<std::string> states;
    for (const std::string& path : paths) {
        const std::string* bytes = journal.entries ? NewBytesIn(&*journal.entries, path) : nullptr;
        states.push_back(bytes != nullptr ? StateOfBytes(*bytes) : FileState(path).value_or("?"));
    }
    return states;
}

} // namespace corvanta
