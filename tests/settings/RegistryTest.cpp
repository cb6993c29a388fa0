#include "settings/basRegistry.h"
#include "storage/Folders.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace corvanta {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

constexpr std::string_view Key = "Software\\Brondel\\Poker";
const std::string Header = "Windows Registry Editor Version 5.00\n\n";
const std::string OurKey = "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";

struct StoreInFolder {
    TempFolder folder;
    std::string path = SettingsFilePath(folder.Path());
    SettingsStore store{path};

    void Holds(const std::string& text) {
        ::mkdir(FolderOf(path).c_str(), 0700);
        WriteBytes(path, text);
    }
};

TEST(basRegistry, SettingsFileIsInItsOwnFolder) {
    EXPECT_EQ(SettingsFilePath("/home/ann/.config"), "/home/ann/.config/corvanta/settings.reg");
}

TEST(basRegistry, ReadValueGivesTextUpToNulOrNumber) {
    StoreInFolder s;
    s.Holds(Header + OurKey +
            "\"NulInside\"=hex(1):34,32,00,6d,6f,72,65\n"
            "\"NoNul\"=hex(1):34,32,78\n"
            "\"Quoted\"=\"a \\\"b\\\" \\\\c\"\n"
            "\"Negative\"=dword:fffffffb\n"
            "\"HexDword\"=hex(4):2a,00,00,00\n"
            "\"Wrapped\"=hex(1):41,42,\\\r\n  43,00\r\n"
            "\"Binary\"=hex:01,02\n"
            "\"ShortDword\"=dword:3f\n"
            "\"CutHex\"=hex(1):34,3\n"
            "@=\"unnamed\"\n");
    const struct {
        std::string_view name;
        RegistryValue expected;
    } cases[] = {
        {"NulInside", "42"}, {"NoNul", "42x"},   {"Quoted", "a \"b\" \\c"},
        {"Negative", -5},    {"HexDword", 42},   {"Wrapped", "ABC"},
        {"Binary", ""},      {"ShortDword", ""}, {"CutHex", ""},
        {"", "unnamed"},     {"Missing", ""},    {"nulinside", "42"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, c.name), c.expected) << c.name;
    }
    EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, "Software\\Other", "NoNul"), RegistryValue{""});
}

TEST(basRegistry, WriteValueStoresNumbersAsDwordAndTrimmedText) {
    const struct {
        RegistryValue written;
        std::string line;
        RegistryValue readBack;
    } cases[] = {
        {"  abc  ", "\"V\"=\"abc\"", "abc"},
        {"  12  ", "\"V\"=dword:0000000c", 12},
        {-5, "\"V\"=dword:fffffffb", -5},
        {"12.5", "\"V\"=dword:0000000c", 12},
        {"13.5", "\"V\"=dword:0000000e", 14},
        {"99999999999", "\"V\"=\"99999999999\"", "99999999999"},
        {"x\"y\\z", "\"V\"=\"x\\\"y\\\\z\"", "x\"y\\z"},
        {std::string("a\0b", 3), "\"V\"=hex(1):61,00,62,00", "a"},
        {"two\nlines", "\"V\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00", "two\nlines"},
        {"   ", "\"V\"=\"\"", ""},
    };
    for (const auto& c : cases) {
        StoreInFolder s;
        ASSERT_TRUE(s.store.WriteValue(Hive::CurrentUser, Key, "V", c.written).Ok);
        EXPECT_EQ(ReadBytes(s.path), Header + OurKey + c.line + "\n\n");
        EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "V"), c.readBack) << c.line;
    }
}

TEST(basRegistry, WriteKeepsEverythingElseInTheFile) {
    StoreInFolder s;
    const std::string other = "[HKEY_CURRENT_USER\\Software\\Other]\n\"Card BG\"=dword:00000001\n";
    s.Holds(Header + "; kept comment\n\n" + other + "\n" + OurKey +
            "\"Current Account\"=dword:00000002\r\n\"Later\"=hex(7):00,00\n\"card bg\"=\"old\"\n"
            "\"CARD BG\"=dword:00000005\n");
    ASSERT_TRUE(s.store.WriteValue(Hive::CurrentUser, Key, "Card BG", 57).Ok);
    EXPECT_EQ(ReadBytes(s.path), Header + "; kept comment\n\n" + other + "\n" + OurKey +
                                     "\"Current Account\"=dword:00000002\n\"Later\"=hex(7):00,00\n"
                                     "\"Card BG\"=dword:00000039\n\n");
}

TEST(basRegistry, LineEndsConvertedTwiceReadLikeOthersAndWritesReadBack) {
    // "\r\r\n": CR LF line ends converted to CR LF once more. The key line used to keep a
    // carriage return, was not seen as a key, was written back without it and became a key,
    // so the old value below it won over the one just written.
    StoreInFolder s;
    s.Holds("Windows Registry Editor Version 5.00\r\r\n\r\r\n"
            "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\r\n"
            "\"Card BG\"=dword:00000005\r\r\n");
    EXPECT_TRUE(s.store.KeyExists(Hive::CurrentUser, Key));
    EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "Card BG"), RegistryValue(5));
    ASSERT_TRUE(s.store.WriteValue(Hive::CurrentUser, Key, "Card BG", 57).Ok);
    EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "Card BG"), RegistryValue(57));
    EXPECT_EQ(ReadBytes(s.path), Header + OurKey + "\"Card BG\"=dword:00000039\n\n");
}

TEST(basRegistry, KeyExistsForTheKeyOrAKeyBelowIt) {
    const struct {
        std::string file;
        bool exists;
    } cases[] = {
        {Header + OurKey, true},
        {Header + "[hkey_current_user\\software\\brondel\\poker]\n", true},
        {Header + "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker\\Deeper]\n", true},
        {Header + "[HKEY_CURRENT_USER\\Software\\Brondel]\n", false},
        {Header + "[HKEY_CURRENT_USER\\Software\\Brondel\\PokerPlus]\n", false},
        {Header + "[HKEY_LOCAL_MACHINE\\Software\\Brondel\\Poker]\n", false},
        {"REGEDIT4\n\n" + OurKey, false},
        {"", false},
    };
    for (const auto& c : cases) {
        StoreInFolder s;
        s.Holds(c.file);
        EXPECT_EQ(s.store.KeyExists(Hive::CurrentUser, Key), c.exists) << c.file;
    }
}

TEST(basRegistry, FailedWriteLeavesTheFileAndSaysWhy) {
    const std::string before = Header + OurKey + "\"Card BG\"=dword:00000039\n\n";
    const struct {
        const char* what;
        std::function<void(const std::string& settingsFile)> breakStore;
        int error;
    } cases[] = {
        {"unreadable file", [](const std::string& file) { ::chmod(file.c_str(), 0); }, EACCES},
        {"read-only folder", [](const std::string& file) { ::chmod(FolderOf(file).c_str(), 0500); },
         EACCES},
    };
    for (const auto& c : cases) {
        StoreInFolder s;
        s.Holds(before);
        const std::string report = test::InChildProcess(s.folder, [&] {
            c.breakStore(s.path);
            const SaveResult result = s.store.WriteValue(Hive::CurrentUser, Key, "Card BG", 60);
            return (result.Ok ? "saved" : "failed") + ("|" + result.Path) + "|" + result.Reason;
        });
        EXPECT_EQ(report, "failed|" + s.path + "|" + std::strerror(c.error)) << c.what;
        EXPECT_EQ(ReadBytes(s.path), before) << c.what;
        EXPECT_EQ(test::FolderEntries(FolderOf(s.path)), std::vector<std::string>{"settings.reg"});
    }
}

} // namespace
} // namespace corvanta
