#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace corvanta::test {

constexpr uid_t NobodyId = 65534;

TempFolder::TempFolder(Place place) {
    const bool memory = place == Place::Memory && ::access("/dev/shm", W_OK) == 0;
    std::string pattern = (memory ? "/dev/shm/" : ::testing::TempDir()) + "corvanta-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create the test folder " << pattern;
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    // Folders a test made read-only would stop their contents from being removed.
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::recursive_directory_iterator it(path_, ignored), end; it != end;
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

unsigned FileMode(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void AsPlayer::Become(const std::vector<std::string>& folders, const std::string& rootKeeps) {
    if (::geteuid() != 0) {
        return;
    }
    for (const std::string& top : folders) {
        ::lchown(top.c_str(), NobodyId, NobodyId);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
            ::lchown(entry.path().c_str(), NobodyId, NobodyId);
        }
    }
    if (!rootKeeps.empty()) {
        ::lchown(rootKeeps.c_str(), 0, 0);
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)));
    ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups_.assign(groups.begin(), groups.end());
    became_ = true;
    ASSERT_TRUE(::setgroups(0, nullptr) == 0 && ::setegid(NobodyId) == 0 &&
                ::seteuid(NobodyId) == 0)
        << "cannot act as nobody: " << std::strerror(errno);
}

void AsPlayer::Leave() {
    if (!became_) {
        return;
    }
    became_ = false;
    EXPECT_EQ(::seteuid(0), 0);
    EXPECT_EQ(::setegid(0), 0);
    const std::vector<gid_t> groups(groups_.begin(), groups_.end());
    EXPECT_EQ(::setgroups(groups.size(), groups.data()), 0);
}

} // namespace corvanta::test
