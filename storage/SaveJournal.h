#pragma once
// Several files replaced as one. The bank and the settings change together (a deposit takes
// from the cash in one and adds to the savings in the other), so a save writes their new
// bytes first into a journal, and only then replaces the files. A save cut short at any
// instant leaves either the journal of the new pair, which the next start completes, or no
// new journal at all and both old files: the two are always from the same moment, as a
// database rolls its journal forward.
//
// The journal is input like any file the game reads back, so the next start trusts only what
// a save of this game, on these files, wrote: it names no file but those the game uses now,
// and each of them must still be as the save found it (the journal holds a digest of its old
// bytes) or already be the new one. A journal that fails any of this is not carried out:
// it is kept aside, and the files stay as they are.

#include "storage/AtomicFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

struct FileImage {
    std::string path;
    std::string bytes;

    bool operator==(const FileImage&) const = default;
};

// A file of a journal: its new bytes, and the state the save found it in (see FileState).
struct JournalEntry {
    FileImage file;
    std::string oldState;

    bool operator==(const JournalEntry&) const = default;
};

// A file's state as a journal records it: its size and a digest of its bytes ("-" for a
// missing file). The digest tells the file a save found from any other; it is no secret,
// since whoever could forge a journal in the player's folder could as well write the files.
std::string StateOfBytes(std::string_view bytes);

// How a save ends. Kept: the journal and its name are flushed to the disk, then the files are
// replaced without waiting for it, and the journal stays, holding them until the next save or
// the last one. Closed: the files are flushed to the disk and the journal goes, as at the
// game's end.
enum class JournalEnd { Kept, Closed };

// Notes each file's state, writes the journal (flushed), then replaces every file. On
// failure the first file or folder that failed is reported; what was written stays
// consistent through the journal. A file that may not be written (see ReplacementTarget) or
// cannot be read fails the save before anything is written.
SaveResult WriteTogether(const std::string& journalPath, const std::vector<FileImage>& files,
                         JournalEnd end);

// What the start-up did with a journal.
struct JournalRecovery {
    enum class Outcome {
        None,       // no journal
        Completed,  // its save was completed and it is gone
        SetAside,   // not carried out: kept as KeptAs, the files untouched
        Stuck,      // not carried out, and it could not be set aside either (Problem says why)
        Unfinished, // a sound journal whose files could not be written: it stays
    };
    Outcome outcome = Outcome::None;
    // SetAside and Stuck: why the journal was not carried out, as the player is told it.
    std::string why;
    std::string keptAs;
    // Stuck: why it could not be set aside; Unfinished: the file that could not be written.
    SaveResult problem;
    std::string journal{}; // the journal concerned
};

// At start-up: a journal left by a save that was cut short, or by a game that ended without
// closing it, is completed (its files are written and flushed) and removed, when it is the
// player's own regular file, whole, names only files of `inUse`, each once, and each of them
// is as the save found it or already new. Any other journal is set aside.
JournalRecovery RecoverJournal(const std::string& journalPath,
                               const std::vector<std::string>& inUse);

// The pending journal beside a journal: the newest save point, written without waiting for
// the disk (see BackgroundSaver), with each file's state as the journal standing at the time
// leaves it once completed.
std::string PendingJournalPath(const std::string& journalPath);

// At start-up, the journal and its pending one. A pending journal that notes the same old
// states as the journal was written while that journal's save was under way, so it is its
// successor: it is trusted when each file is as both found it, as the journal's save left it,
// or already new, and completing it completes both. Otherwise the journal is recovered, and
// then the pending one, each as RecoverJournal says; a journal that is Stuck or Unfinished
// leaves the pending one where it is. One recovery a journal met, in that order.
std::vector<JournalRecovery> RecoverJournals(const std::string& journalPath,
                                             const std::vector<std::string>& inUse);

// The state each of `paths` will be in once the journal at `journalPath` is completed: its
// new bytes for the files it names, the files' states now for the others ("?" for a file
// that cannot be read, which matches no state).
std::vector<std::string> StatesAfterJournal(const std::string& journalPath,
                                            const std::vector<std::string>& paths);

// The journal's bytes for `entries`, and the entries a journal's bytes hold (nothing when the
// bytes are not a whole journal).
std::string JournalBytes(const std::vector<JournalEntry>& entries);
std::optional<std::vector<JournalEntry>> ReadJournal(std::string_view bytes);

} // namespace corvanta
