#pragma once
// Several files replaced as one. The bank and the settings change together (a deposit takes
// from the cash in one and adds to the savings in the other), so a save writes their new
// bytes first into a journal, and only then replaces the files. A save cut short at any
// instant leaves either the journal of the new pair, which the next start completes, or no
// new journal at all and both old files: the two are always from the same moment, as a
// database rolls its journal forward.

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

// How a save ends. Kept: the files are replaced without waiting for the disk and the
// journal stays, holding them until the next save or the last one; a save during play
// then costs one flush. Closed: the files are flushed to the disk and the journal goes,
// as at the game's end.
enum class JournalEnd { Kept, Closed };

// Writes the journal (flushed), then replaces every file. On failure the first file or
// folder that failed is reported; what was written stays consistent through the journal.
SaveResult WriteTogether(const std::string& journalPath, const std::vector<FileImage>& files,
                         JournalEnd end);

// At start-up: a journal left by a save that was cut short, or by a game that ended without
// closing it, is completed (its files are written and flushed) and removed. A damaged
// journal (not one this program wrote whole) is removed unread. Nothing to do: ok.
SaveResult RecoverJournal(const std::string& journalPath);

// The journal's bytes for `files`, and the files a journal's bytes hold (nothing when the
// bytes are not a whole journal).
std::string JournalBytes(const std::vector<FileImage>& files);
std::optional<std::vector<FileImage>> ReadJournal(std::string_view bytes);

} // namespace corvanta
