#pragma once
// A private folder for a fuzz target's files, made once per process under $TMPDIR.
// libFuzzer ends the process without running destructors, so fuzz/run.sh points TMPDIR at a
// scratch folder of its own (in /dev/shm, where the saves' fsync calls cost nothing) and
// removes that.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace corvanta::fuzz {

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "corvanta-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("corvanta fuzz: cannot create a scratch folder");
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

// Replaces the file's contents with `bytes` (a plain write: only the code under test needs
// to be careful).
inline void PutFile(const std::string& path, const void* bytes, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
}

} // namespace corvanta::fuzz
