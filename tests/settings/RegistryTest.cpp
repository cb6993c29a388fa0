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
constexpr std::u16string_view Header16 = u"Windows Registry Editor Version 5.00\r\n\r\n"
                                         u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n";

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
            "\"ShortHexDword\"=hex(4):2a,00\n"
            "\"Deleted\"=-\n"
            "@=\"unnamed\"\n");
    const struct {
        std::string_view name;
        RegistryValue expected;
    } cases[] = {
        {"NulInside", "42"},   {"NoNul", "42x"},   {"Quoted", "a \"b\" \\c"},
        {"Negative", -5},      {"HexDword", 42},   {"Wrapped", "ABC"},
        {"Binary", ""},        {"ShortDword", ""}, {"CutHex", ""},
        {"", "unnamed"},       {"Missing", ""},    {"nulinside", "42"},
        {"ShortHexDword", ""}, {"Deleted", ""},
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

// Text data in hex(1): form are in the file's own encoding: UTF-16LE in Windows' version
// 5.00 export, the code page in REGEDIT4, UTF-8 in the program's own files.
TEST(basRegistry, HexTextIsInTheFilesEncoding) {
    const std::string regedit4 =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n";
    // Written as "W": é, the playing card U+1F0A1 (outside the code page), a NUL, x.
    const std::string written("\xC3\xA9\xF0\x9F\x82\xA1\0x", 8);
    const struct {
        std::string before; // holds "T"
        RegistryValue t;
        std::string after; // once "W" is written
        RegistryValue w;
    } cases[] = {
        {test::Utf16Le(u"\xFEFF" + std::u16string(Header16) +
                       u"\"T\"=hex(1):35,00,30,00,00,00\r\n"),
         "50",
         test::Utf16Le(u"\xFEFF" + std::u16string(Header16) +
                       u"\"T\"=hex(1):35,00,30,00,00,00\r\n"
                       u"\"W\"=hex(1):e9,00,3c,d8,a1,dc,00,00,78,00,00,00\r\n"),
         "\xC3\xA9\xF0\x9F\x82\xA1"},
        {regedit4 + "\"T\"=hex(1):52,65,6e,e9,00\r\n", "Ren\xC3\xA9",
         regedit4 + "\"T\"=hex(1):52,65,6e,e9,00\r\n\"W\"=hex(1):e9,3f,00,78,00\r\n", "\xC3\xA9?"},
        {Header + OurKey + "\"T\"=hex(1):c3,a9,00\n", "\xC3\xA9",
         Header + OurKey + "\"T\"=hex(1):c3,a9,00\n\"W\"=hex(1):c3,a9,f0,9f,82,a1,00,78,00\n",
         "\xC3\xA9\xF0\x9F\x82\xA1"},
    };
    for (const auto& c : cases) {
        StoreInFolder s;
        s.Holds(c.before);
        EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "T"), c.t);
        ASSERT_TRUE(s.store.WriteValue(Hive::CurrentUser, Key, "W", written).Ok);
        EXPECT_TRUE(ReadBytes(s.path) == c.after) << c.after;
        EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "W"), c.w);
    }
}

TEST(basRegistry, LineEndsConvertedTwiceReadLikeOthersAndWritesReadBack) {
    // "\r\r\n": CR LF line ends converted to CR LF once more. The key line used to keep a
    // carriage return, was not seen as a key, was written back without it and became a key,
    // so the old value below it won over the one just written.
    StoreInFolder s;
    const std::string start = "Windows Registry Editor Version 5.00\r\r\n\r\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\r\n";
    s.Holds(start + "\"Card BG\"=dword:00000005\r\r\n");
    EXPECT_TRUE(s.store.KeyExists(Hive::CurrentUser, Key));
    EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "Card BG"), RegistryValue(5));
    ASSERT_TRUE(s.store.WriteValue(Hive::CurrentUser, Key, "Card BG", 57).Ok);
    EXPECT_EQ(s.store.ReadValue(Hive::CurrentUser, Key, "Card BG"), RegistryValue(57));
    EXPECT_EQ(ReadBytes(s.path), start + "\"Card BG\"=dword:00000039\r\n");
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
        {"REGEDIT4\n\n" + OurKey, true},
        {test::Utf16Le(u"\xFEFF" + std::u16string(Header16)), true},
        {"Windows Registry Editor Version 5.0\n\n" + OurKey, false},
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
