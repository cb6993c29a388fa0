#pragma once
// Reading and replacing the program's small data files (gbank.db, the settings file).
// A replacement never leaves half a file behind: the new bytes go to a temporary file in the
// same folder, are flushed to disk and renamed over the old file, so at every instant the
// file on disk is either the whole old one or the whole new one.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvanta {

// What became of a write: ok, or the file or folder concerned and the operating system's
// reason (its strerror text, such as "Permission denied"), for a window to show.
struct SaveResult {
    bool ok = true;
    std::string path;
    std::string reason;

    static SaveResult Failure(std::string path, int error);
};

// How long a replacement waits for the disk. Every replacement is whole and in place for
// every reader (and after a kill) at once; the flush is about power cuts. Durable: the new
// file and its name are on the disk before the call returns. Contents: the new file's bytes
// are, and the name follows when the system writes it back (the old file or the new one
// stands after a power cut, never a torn one). Lazy: both follow when the system writes back;
// for files whose bytes something flushed (a save journal) already holds.
enum class Flush { Durable, Contents, Lazy };

// Replaces (or creates) the file at `path` with `bytes`. The new file is readable and writable
// by its owner only (0600), whatever the old one allowed. On failure the old
// file is untouched and no temporary file is left. A process killed during the replacement
// can leave its temporary file (`path` + ".new-" + six characters); a later replacement
// removes such files once they are ten minutes old. A symbolic link at `path` is replaced
// through: the file it leads to is written (see ReplacementTarget).
SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                               Flush flush = Flush::Durable);

// The file a replacement of `path` writes. A symbolic link, as dotfile managers make, stays
// and the file it leads to is replaced, but only when the link and that file are the
// player's own and the file is a regular one; otherwise error says why nothing may be
// written (NotPlayersOwn, NotARegularFile, or errno). A link that leads nowhere is replaced
// itself, as a missing file would be created, so no file appears where it points.
struct WriteTarget {
    std::string path;
    int error = 0;
};
WriteTarget ReplacementTarget(const std::string& path);

// A whole file's bytes, or the reason it could not be read: error is an errno value (ENOENT
// for a missing file, EISDIR for a folder, EFBIG for a file over the limit),
// NotARegularFile or NotPlayersOwn. Only a regular file is read, and opening it never waits
// (a FIFO in its place would), so no file in the wrong place can hang or flood the game.
// Owner::Player also refuses a symbolic link and a file of another user: for the files
// only the game writes, where anything else was put there by someone else.
inline constexpr int NotARegularFile = -1;
inline constexpr int NotPlayersOwn = -2;
struct ReadResult {
    std::string bytes;
    int error = 0;
};
enum class Owner { Anyone, Player };
ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         Owner owner = Owner::Anyone);

// Renames the file (or whatever stands) at `path` to the first free name of `path`.bad,
// `path`.bad.2, `path`.bad.3 and so on, never over another file, so that everything kept
// aside stays. keptAs is the new name; on failure result names `path` and the reason.
struct KeptAside {
    SaveResult result;
    std::string keptAs;
};
KeptAside KeepAside(const std::string& path);

// The reason for an error of a read or a write, as the player is told it.
std::string ReasonText(int error);

} // namespace corvanta
