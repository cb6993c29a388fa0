#include "storage/AtomicFile.h"

#include "storage/Folders.h"

#include <cerrno>
#include <cstdint>
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

SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes, Flush flush) {
    std::string temporary = path + std::string(TemporaryInfix) + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // created with mode 0600
    if (fd < 0) {
        return SaveResult::Failure(path, errno);
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
        return SaveResult::Failure(path, error);
    }
    const std::string folder = FolderOf(path);
    RemoveStaleTemporaries(path, folder);
    if (flush == Flush::Durable) {
        FlushFolder(folder);
    }
    return {};
}

ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Without blocking: a FIFO in the file's place would otherwise wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result.error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        result.error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        result.error = NotARegularFile; // a FIFO, a device such as /dev/zero, a socket
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

std::string ReasonText(int error) {
    return error == NotARegularFile ? "Not a regular file" : std::strerror(error);
}

} // namespace corvanta
