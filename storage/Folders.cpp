#include "storage/Folders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

SaveResult CreateFolders(const std::string& folder) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string level = folder.substr(0, end);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            return SaveResult::Failure(level, errno);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    struct stat made {};
    if (::stat(folder.c_str(), &made) != 0) {
        return SaveResult::Failure(folder, errno);
    }
    return S_ISDIR(made.st_mode) ? SaveResult{} : SaveResult::Failure(folder, ENOTDIR);
}

} // namespace corvanta
