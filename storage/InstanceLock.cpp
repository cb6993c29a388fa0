#include "storage/InstanceLock.h"

#include "storage/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {

InstanceLock::InstanceLock(const std::string& lockFilePath) {
    fd_ =
        ::open(lockFilePath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ = errno == ELOOP ? NotARegularFile : errno; // ELOOP: a symbolic link
        return;
    }
    struct stat status {};
    const bool examined = ::fstat(fd_, &status) == 0;
    if (!examined || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        error_ = !examined ? errno : S_ISREG(status.st_mode) ? NotPlayersOwn : NotARegularFile;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        status_ = Status::Held;
        return;
    }
    error_ = errno;
    status_ = error_ == EWOULDBLOCK ? Status::InUse : Status::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the last descriptor of the file releases the lock
    }
}

} // namespace corvanta
