#include "bank/BankFolder.h"

#include "bank/BankFile.h"
#include "storage/Folders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {

std::string ChooseBankFolder(const std::string& programFolder, const std::string& dataFolder) {
    struct stat status {};
    if (::lstat(BankFilePath(programFolder).c_str(), &status) == 0) {
        return programFolder; // a portable copy, or a bank brought from elsewhere
    }
    std::string folder = dataFolder + "/corvanta";
    CreateFolders(folder); // a failure shows when the bank cannot be saved
    return folder;
}

std::string LockFilePath(std::string_view bankFolder) {
    return BankFilePath(bankFolder) + ".lock";
}

InstanceLock::InstanceLock(const std::string& lockFilePath) {
    fd_ = ::open(lockFilePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ = errno;
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
