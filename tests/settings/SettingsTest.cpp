#include "settings/Settings.h"

#include "settings/basRegistry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <sys/stat.h>
#include <tuple>

namespace corvanta {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string Header = "Windows Registry Editor Version 5.00\n\n";
const std::string OurKey = "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";

using Loaded = std::tuple<int, int, int>; // CardBG, GCNum, CashOnHand

Loaded Load(const std::string& configFolder) {
    const StoredSettings settings = LoadSettings(configFolder).values;
    return {settings.CardBG, settings.GCNum, settings.CashOnHand};
}

SaveResult Save(const std::string& configFolder, Loaded values) {
    const StoredSettings settings{static_cast<std::int16_t>(std::get<0>(values)),
                                  static_cast<std::int16_t>(std::get<1>(values)),
                                  std::get<2>(values)};
    return SaveSettings(configFolder, settings);
}

void StoreFile(const std::string& configFolder, const std::string& text) {
    ::mkdir((configFolder + "/corvanta").c_str(), 0700);
    WriteBytes(SettingsFilePath(configFolder), text);
}

const Loaded Defaults{63, 1, 100};

TEST(Settings, FirstRunTakesDefaultsAndSaveWritesThreeDwords) {
    TempFolder config;
    EXPECT_EQ(Load(config.Path()), Defaults);
    EXPECT_EQ(ReadBytes(SettingsFilePath(config.Path())), "<missing>") << "a load writes nothing";
    ASSERT_TRUE(Save(config.Path(), Load(config.Path())).Ok);
    EXPECT_EQ(ReadBytes(SettingsFilePath(config.Path())),
              Header + OurKey +
                  "\"Card BG\"=dword:0000003f\n\"Current Account\"=dword:00000001\n"
                  "\"Current Money\"=dword:00000064\n\n");
    EXPECT_EQ(test::FileMode(config.Path() + "/corvanta"), 0700u);
    EXPECT_EQ(test::FileMode(SettingsFilePath(config.Path())), 0600u);
    EXPECT_EQ(test::FolderEntries(config.Path() + "/corvanta"),
              std::vector<std::string>{"settings.reg"});
}

TEST(Settings, SavedValuesComeBack) {
    const Loaded cases[] = {{57, 3, 240}, {65, 1, -5}, {-32768, 32767, INT32_MIN}};
    for (const Loaded& values : cases) {
        TempFolder config;
        ASSERT_TRUE(Save(config.Path(), values).Ok);
        EXPECT_EQ(Load(config.Path()), values);
    }
    TempFolder config;
    ASSERT_TRUE(Save(config.Path(), {63, 1, -5}).Ok);
    EXPECT_NE(ReadBytes(SettingsFilePath(config.Path())).find("\"Current Money\"=dword:fffffffb"),
              std::string::npos);
}

TEST(Settings, UnusableValueTakesItsDefault) {
    const struct {
        std::string lines;
        Loaded loaded;
    } cases[] = {
        {"", Defaults},
        {"\"Card BG\"=dword:00000046\n", {70, 1, 100}}, // outside 53..65 but fits: kept
        {"\"Card BG\"=dword:00010000\n", Defaults},     // too wide for 16 bits
        {"\"Card BG\"=\"57.5\"\n", {58, 1, 100}},
        {"\"Card BG\"=\"56.5\"\n", {56, 1, 100}},
        {"\"Card BG\"=\"abc\"\n", Defaults},
        {"\"Current Account\"=dword:ffff8000\n", {63, -32768, 100}},
        {"\"Current Account\"=hex:01,00,00,00\n", Defaults},
        {"\"Current Account\"=\"40000\"\n", Defaults},
        {"\"Current Money\"=dword:80000000\n", {63, 1, INT32_MIN}},
        {"\"Current Money\"=\"  -7  \"\n", {63, 1, -7}},
        {"\"Current Money\"=\"1e3\"\n", Defaults},
        {"\"Current Money\"=\"99999999999\"\n", Defaults},
    };
    for (const auto& c : cases) {
        TempFolder config;
        StoreFile(config.Path(), Header + OurKey + c.lines);
        EXPECT_EQ(Load(config.Path()), c.loaded) << c.lines;
    }
}

// The file as reg.exe exports the key from Windows: UTF-16LE with a byte-order mark, CR LF,
// other keys and values around ours. Our three values are given as their eight hex digits.
std::string RegExeExport(std::string_view bg, std::string_view account, std::string_view money) {
    const auto digits = [](std::string_view ascii) {
        return std::u16string(ascii.begin(), ascii.end());
    };
    return test::Utf16Le(u"\xFEFF"
                         u"Windows Registry Editor Version 5.00\r\n"
                         u"\r\n"
                         u"[HKEY_CURRENT_USER\\Software\\Brondel]\r\n"
                         u"\"Installed\"=dword:00000001\r\n"
                         u"\r\n"
                         u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                         u"; brought from the old machine\r\n"
                         u"\"Player\"=\"Zo\u00eb \U0001F0A1\"\r\n"
                         u"\"Card BG\"=dword:" +
                         digits(bg) +
                         u"\r\n"
                         u"\"Window\"=hex:2c,00,00,00,01,00,00,00,\\\r\n"
                         u"  02,00,00,00\r\n"
                         u"\"Current Account\"=dword:" +
                         digits(account) +
                         u"\r\n"
                         u"\"Recent\"=hex(7):41,00,00,00,00,00\r\n"
                         u"\"Current Money\"=dword:" +
                         digits(money) +
                         u"\r\n"
                         u"\r\n"
                         u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker\\Sounds]\r\n"
                         u"@=\"on\"\r\n"
                         u"\r\n");
}

// The same from an older tool: REGEDIT4, Windows-1252 (0xE9 is é), CR LF.
std::string Regedit4Export(std::string_view bg, std::string_view account, std::string_view money) {
    return "REGEDIT4\r\n"
           "\r\n"
           "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
           "\"Player\"=\"Ren\xE9\"\r\n"
           "\"Card BG\"=dword:" +
           std::string(bg) +
           "\r\n"
           "\"Current Account\"=dword:" +
           std::string(account) +
           "\r\n"
           "; the bank stays on the old machine\r\n"
           "\"Current Money\"=dword:" +
           std::string(money) + "\r\n\r\n";
}

// Hand-edited and saved as UTF-8 with a byte-order mark, LF.
std::string Utf8BomExport(std::string_view bg, std::string_view account, std::string_view money) {
    return "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
           "\n"
           "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n"
           "\"Current Money\"=dword:" +
           std::string(money) +
           "\n"
           "\"Player\"=\"Zo\xC3\xAB\"\n"
           "\"Card BG\"=dword:" +
           std::string(bg) +
           "\n"
           "\"Current Account\"=dword:" +
           std::string(account) + "\n";
}

TEST(Settings, WindowsExportsAreReadAndKeepTheirFormWhenSaved) {
    const struct {
        const char* what;
        std::string before;
        Loaded loaded;
        std::string player; // another value of the key, as read
        std::string after;  // once {57, 3, 240} is saved
    } cases[] = {
        {"reg.exe, UTF-16LE",
         RegExeExport("00000037", "00000002", "00001388"),
         {55, 2, 5000},
         "Zo\xC3\xAB \xF0\x9F\x82\xA1",
         RegExeExport("00000039", "00000003", "000000f0")},
        {"REGEDIT4",
         Regedit4Export("00000037", "00000002", "00001388"),
         {55, 2, 5000},
         "Ren\xC3\xA9",
         Regedit4Export("00000039", "00000003", "000000f0")},
        {"UTF-8 with a byte-order mark",
         Utf8BomExport("00000037", "00000002", "00001388"),
         {55, 2, 5000},
         "Zo\xC3\xAB",
         Utf8BomExport("00000039", "00000003", "000000f0")},
        {"UTF-16LE without our key, the last line without its end",
         test::Utf16Le(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                       u"[HKEY_CURRENT_USER\\Software\\Other]\r\n\"A\"=dword:00000001"),
         Defaults, "",
         test::Utf16Le(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                       u"[HKEY_CURRENT_USER\\Software\\Other]\r\n\"A\"=dword:00000001\r\n\r\n"
                       u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                       u"\"Card BG\"=dword:00000039\r\n\"Current Account\"=dword:00000003\r\n"
                       u"\"Current Money\"=dword:000000f0\r\n\r\n")},
    };
    for (const auto& c : cases) {
        TempFolder config;
        StoreFile(config.Path(), c.before);
        const SettingsStore store(SettingsFilePath(config.Path()));
        EXPECT_EQ(Load(config.Path()), c.loaded) << c.what;
        EXPECT_EQ(store.ReadValue(Hive::CurrentUser, SettingsKeyPath, "Player"),
                  RegistryValue(c.player))
            << c.what;
        ASSERT_TRUE(Save(config.Path(), {57, 3, 240}).Ok) << c.what;
        EXPECT_TRUE(ReadBytes(SettingsFilePath(config.Path())) == c.after) << c.what;
        EXPECT_EQ(Load(config.Path()), (Loaded{57, 3, 240})) << c.what;
    }
}

// reg import applies a file line by line: a key opened twice adds up, and a value's last
// line is its value. The save leaves each of our values once, in the last one's place.
TEST(Settings, RepeatedKeyOrValueReadsTheLastAndIsSavedOnce) {
    const std::string otherKey = "[HKEY_CURRENT_USER\\Software\\Other]\n"
                                 "\"Card BG\"=dword:00000009\n\n";
    const std::string before = Header + OurKey +
                               "\"Card BG\"=dword:00000001\n\"Current Money\"=dword:00000005\n\n" +
                               otherKey +
                               "[hkey_current_user\\software\\brondel\\poker]\n"
                               "\"Current Account\"=dword:00000002\n\"Kept\"=\"a\"\n"
                               "\"current money\"=dword:00001388\n\n" +
                               OurKey + "\"Card BG\"=dword:00000002\n\"CARD BG\"=dword:00000037\n";
    TempFolder config;
    StoreFile(config.Path(), before);
    EXPECT_EQ(Load(config.Path()), (Loaded{55, 2, 5000}));
    ASSERT_TRUE(Save(config.Path(), {57, 3, 240}).Ok);
    // The first opening held only our values and goes; the second holds another and stays.
    EXPECT_EQ(ReadBytes(SettingsFilePath(config.Path())),
              Header + otherKey +
                  "[hkey_current_user\\software\\brondel\\poker]\n"
                  "\"Current Account\"=dword:00000003\n\"Kept\"=\"a\"\n"
                  "\"Current Money\"=dword:000000f0\n\n" +
                  OurKey + "\"Card BG\"=dword:00000039\n");
}

TEST(Settings, FileNotUnderstoodIsToldApartAndGivesDefaults) {
    const std::string ours = "\"Card BG\"=dword:00000039\n\"Current Account\"=dword:00000003\n"
                             "\"Current Money\"=dword:000000f0\n";
    const struct {
        const char* what;
        std::string file;
        bool notUnderstood;
        Loaded loaded;
    } cases[] = {
        {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), true, Defaults},
        {"first line cut short", "Windows Registry Edit", true, Defaults},
        {"UTF-16 without its byte-order mark",
         test::Utf16Le(u"Windows Registry Editor Version 5.00\r\n\r\n"
                       u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                       u"\"Card BG\"=dword:00000039\r\n"),
         true, Defaults},
        {"UTF-16 cut inside its first line", "\xFF\xFEW\0i\0n", true, Defaults},
        {"a number of ours cut short", Header + OurKey + ours + "\"Current Money\"=dword:000", true,
         Defaults},
        {"a hex number of ours cut short", Header + OurKey + ours + "\"Card BG\"=hex(4):39,00\n",
         true, Defaults},
        {"a text of ours cut short", Header + OurKey + ours + "\"Current Account\"=\"3\n", true,
         Defaults},
        {"an empty file", "", false, Defaults},
        {"a first line alone", "REGEDIT4", false, Defaults},
        {"a value of ours deleted",
         Header + OurKey + ours + "\"Card BG\"=-\n",
         false,
         {63, 3, 240}},
        {"a damaged value of ours followed by a whole one",
         Header + OurKey + "\"Current Money\"=dword:000\n" + ours,
         false,
         {57, 3, 240}},
        {"a damaged value of another key or name",
         Header + "[HKEY_CURRENT_USER\\Software\\Other]\n\"Card BG\"=dword:000\n" + OurKey + ours +
             "\"Sound\"=dword:0\n",
         false,
         {57, 3, 240}},
    };
    for (const auto& c : cases) {
        TempFolder config;
        StoreFile(config.Path(), c.file);
        const SettingsLoad load = LoadSettings(config.Path());
        EXPECT_EQ(load.notUnderstood, c.notUnderstood) << c.what;
        EXPECT_TRUE(load.problem.Ok) << c.what;
        EXPECT_EQ(load.path, config.Path() + "/corvanta/settings.reg") << c.what;
        const StoredSettings& v = load.values;
        EXPECT_EQ((Loaded{v.CardBG, v.GCNum, v.CashOnHand}), c.loaded) << c.what;
    }
}

TEST(Settings, KeepSettingsAsideRenamesTheFileOrSaysWhy) {
    TempFolder config;
    const std::string path = SettingsFilePath(config.Path());
    StoreFile(config.Path(), "not settings");
    WriteBytes(path + ".bad", "older");
    ASSERT_TRUE(KeepSettingsAside(config.Path()).Ok);
    EXPECT_EQ(test::FolderEntries(config.Path() + "/corvanta"),
              std::vector<std::string>{"settings.reg.bad"});
    EXPECT_EQ(ReadBytes(path + ".bad"), "not settings");

    const SaveResult missing = KeepSettingsAside(config.Path());
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Path, path);
    EXPECT_EQ(missing.Reason, std::strerror(ENOENT));

    TempFolder other;
    StoreFile(other.Path(), "not settings");
    ::mkdir((SettingsFilePath(other.Path()) + ".bad").c_str(), 0700);
    EXPECT_EQ(KeepSettingsAside(other.Path()).Reason, std::strerror(EISDIR));
    EXPECT_EQ(ReadBytes(SettingsFilePath(other.Path())), "not settings");
}

// A file cut short anywhere (in the middle of wrapped hex data, of a UTF-16 character) gives
// each value as stored or its default, and a save into it reads back.
TEST(Settings, FileCutAnywhereGivesStoredValueOrDefaultAndSavesIntoIt) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                             "\"Window\"=hex:2c,00,\\\r\n  01,00\r\n"
                             "\"Card BG\"=dword:00000039\r\n\"Current Account\"=dword:00000003\r\n"
                             "\"Current Money\"=dword:000000f0\r\n";
    const std::string files[] = {text, "\xFF\xFE" +
                                           test::Utf16Le(std::u16string(text.begin(), text.end()))};
    for (const std::string& whole : files) {
        TempFolder config;
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            StoreFile(config.Path(), whole.substr(0, length));
            const auto [cardBG, gcNum, cash] = Load(config.Path());
            EXPECT_TRUE(cardBG == 57 || cardBG == 63) << length;
            EXPECT_TRUE(gcNum == 3 || gcNum == 1) << length;
            EXPECT_TRUE(cash == 240 || cash == 100) << length;
            // The bytes a save would write, written without waiting for the disk.
            const SettingsFile saved = SettingsImage(config.Path(), {60, 2, 10});
            ASSERT_TRUE(saved.result.Ok) << length;
            StoreFile(config.Path(), saved.image.bytes);
            EXPECT_EQ(Load(config.Path()), (Loaded{60, 2, 10})) << length;
        }
        StoreFile(config.Path(), whole);
        EXPECT_EQ(Load(config.Path()), (Loaded{57, 3, 240}));
    }
}

TEST(Settings, RandomBytesGiveDefaults) {
    std::mt19937 random(31337);
    for (int round = 0; round < 120; ++round) {
        std::string noise(random() % 600, '\0');
        for (char& byte : noise) {
            byte = static_cast<char>(random() & 0xFF);
        }
        TempFolder config;
        const std::string prefixes[] = {"", Header, Header + OurKey,
                                        Header + OurKey + "\"Card BG\"="};
        StoreFile(config.Path(), prefixes[round % 4] + noise);
        EXPECT_EQ(Load(config.Path()), Defaults) << "round " << round;
        EXPECT_TRUE(Save(config.Path(), {57, 3, 240}).Ok) << "round " << round;
        EXPECT_EQ(Load(config.Path()), (Loaded{57, 3, 240})) << "round " << round;
    }
}

TEST(Settings, UnreadableOrMisplacedFileGivesDefaultsAndSaveSaysWhy) {
    TempFolder config;
    ASSERT_TRUE(Save(config.Path(), {57, 3, 240}).Ok);
    const std::string path = SettingsFilePath(config.Path());
    const std::string report = test::InChildProcess(config, [&] {
        ::chmod(path.c_str(), 0);
        const auto [cardBG, gcNum, cash] = Load(config.Path());
        const SaveResult result = Save(config.Path(), {60, 2, 10});
        return std::to_string(cardBG) + "," + std::to_string(gcNum) + "," + std::to_string(cash) +
               "|" + result.Path + "|" + result.Reason;
    });
    EXPECT_EQ(report, "63,1,100|" + path + "|" + std::strerror(EACCES));
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(Load(config.Path()), (Loaded{57, 3, 240})) << "the file was kept";

    TempFolder misplaced;
    ::mkdir((misplaced.Path() + "/corvanta").c_str(), 0700);
    ::mkdir(SettingsFilePath(misplaced.Path()).c_str(), 0700);
    EXPECT_EQ(Load(misplaced.Path()), Defaults);
    const SaveResult result = Save(misplaced.Path(), {60, 2, 10});
    EXPECT_EQ(result.Path, SettingsFilePath(misplaced.Path()));
    EXPECT_EQ(result.Reason, std::strerror(EISDIR));
}

} // namespace
} // namespace corvanta
