#include "storage/AtomicFile.h"

#include "storage/Folders.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(written > 0 ? static_cast<std::size_t>(written) : 0);
    }
    return true;
}

// Makes the rename itself durable. By now the new file is whole and in place, so a failure
// here cannot be undone and is not reported (some file systems refuse to flush folders).
void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The temporary files are the file's name, ".new-" and six characters of mkostemp's.
constexpr std::string_view TemporaryInfix = ".new-";
constexpr std::size_t TemporarySuffixLength = 6;

// A replacement killed between creating its temporary file and renaming it leaves that file
// behind. Those of this file's name that nobody has written to for ten minutes are such
// leftovers (a replacement in progress takes milliseconds) and go.
void RemoveStaleTemporaries(const std::string& path, const std::string& folder) {
    constexpr std::time_t StaleAfterSeconds = 10 * 60;
    const auto slash = path.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + std::string(TemporaryInfix);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        struct stat status {};
        if (name.size() == prefix.size() + TemporarySuffixLength && name.starts_with(prefix) &&
            ::fstatat(::dirfd(entries), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && now - status.st_mtime >= StaleAfterSeconds) {
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
        }
    }
    ::closedir(entries);
}

} // namespace

SaveResult SaveResult::Failure(std::string path, int error) {
    return {false, std::move(path), ReasonText(error)};
}

WriteTarget ReplacementTarget(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return {path};
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return errno == ENOENT ? WriteTarget{path} : WriteTarget{path, errno};
    }
    WriteTarget target{resolved};
    std::free(resolved);
    struct stat file {};
    if (::stat(target.path.c_str(), &file) != 0) {
        return {path, errno};
    }
    if (link.st_uid != ::geteuid() || file.st_uid != ::geteuid()) {
        return {path, NotPlayersOwn};
    }
    return S_ISREG(file.st_mode) ? target : WriteTarget{path, NotARegularFile};
}

SaveResult WriteFileAtomically(const std::string& linkOrPath, std::string_view bytes, Flush flush) {
    const WriteTarget target = ReplacementTarget(linkOrPath);
    if (target.error != 0) {
        return SaveResult::Failure(linkOrPath, target.error);
    }
    // Failures name the file as the player knows it, the link when there is one.
    const std::string& path = target.path;
    std::string temporary = path + std::string(TemporaryInfix) + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // created with mode 0600
    if (fd < 0) {
        return SaveResult::Failure(linkOrPath, errno);
    }
    // The new file keeps mkostemp's 0600 whatever the old one had: the bank holds passwords,
    // and a file others could read or write would stay so forever.
    bool ok = WriteAll(fd, bytes) && (flush == Flush::Lazy || ::fdatasync(fd) == 0);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return SaveResult::Failure(linkOrPath, error);
    }
    const std::string folder = FolderOf(path);
    RemoveStaleTemporaries(path, folder);
    if (flush == Flush::Durable) {
        FlushFolder(folder);
    }
    return {};
}

ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes, Owner owner) {
    ReadResult result;
    // Without blocking: a FIFO in the file's place would otherwise wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC |
                                            (owner == Owner::Player ? O_NOFOLLOW : 0));
    if (fd < 0) {
        result.error = errno == ELOOP && owner == Owner::Player ? NotARegularFile : errno;
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result.error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        result.error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        result.error = NotARegularFile; // a FIFO, a device such as /dev/zero, a socket
    } else if (owner == Owner::Player && status.st_uid != ::geteuid()) {
        result.error = NotPlayersOwn;
    } else if (static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        result.error = EFBIG;
    }
    char buffer[16384];
    while (result.error == 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            result.bytes.append(buffer, static_cast<std::size_t>(got));
            if (result.bytes.size() > maxBytes) {
                result.error = EFBIG; // it grew while being read
            }
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            result.error = errno;
        }
    }
    ::close(fd);
    if (result.error != 0) {
        result.bytes.clear();
    }
    return result;
}

namespace {

// A rename that fails with EEXIST rather than replace a file at `to`. Where the file system
// cannot do that in one step, a look first serves: a name taken meanwhile is a race no
// player runs.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return -1;
    }
    struct stat taken {};
    if (::lstat(to.c_str(), &taken) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

} // namespace

KeptAside KeepAside(const std::string& path) {
    constexpr int MostKept = 99;
    for (int n = 1; n <= MostKept; ++n) {
        std::string name = path + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
        if (RenameWithoutReplacing(path, name) == 0) {
            return {{}, std::move(name)};
        }
        if (errno != EEXIST) {
            return {SaveResult::Failure(path, errno), {}};
        }
    }
    return {SaveResult::Failure(path, EEXIST), {}};
}

std::string ReasonText(int error) {
    return error == NotARegularFile ? "Not a regular file"
           : error == NotPlayersOwn ? "Not your own file"
                                    : std::strerror(error);
}

} // namespace corvanta
