#pragma once
// Test folders under testing::TempDir() and small helpers for the files in them. Tests never
// touch the user's real program or configuration folders.

#include <string>
#include <string_view>
#include <vector>

namespace corvanta::test {

// A fresh folder, removed with everything in it when the test ends. In memory (/dev/shm) when
// asked and there: a flush to the disk costs nothing, so a save takes microseconds.
class TempFolder {
public:
    enum class Place { Disk, Memory };
    explicit TempFolder(Place place = Place::Disk);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

// The file's bytes; "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// The UTF-16LE bytes of a u"" text, as Windows' tools write their files (no byte-order mark
// unless the text begins with u"\xFEFF").
std::string Utf16Le(std::u16string_view text);
// Permission bits (0600 and the like).
unsigned FileMode(const std::string& path);
// Names in the folder, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// The one way the tests act as a player: when they run as root, who ignores permission bits,
// they act as the user "nobody" (effective ids only, so they can return to root) on folders
// handed to that user, so that a read-only folder refuses them as it would refuse a player.
// Run by anyone else, nothing changes: the tests already are a player.
class AsPlayer {
public:
    AsPlayer() = default;
    AsPlayer(const AsPlayer&) = delete;
    AsPlayer& operator=(const AsPlayer&) = delete;
    ~AsPlayer() { Leave(); }

    // Hands the folders and everything in them, as they are now, to the player (but
    // `rootKeeps`, a path below them that stays another user's) and becomes the player.
    void Become(const std::vector<std::string>& folders, const std::string& rootKeeps = {});
    void Leave();

private:
    bool became_ = false;
    std::vector<unsigned> groups_;
};

} // namespace corvanta::test
