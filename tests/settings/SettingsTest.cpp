#include "settings/Settings.h"

#include "settings/basRegistry.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace corvanta {
namespace {

using test::ReadBytes;

constexpr std::string_view Key = "Software\\Brondel\\Poker";
const std::string Header = "Windows Registry Editor Version 5.00\n\n";
const std::string OurKey = "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\n";
const std::string Ours = "\"Card BG\"=dword:00000039\n\"Current Account\"=dword:00000003\n"
                         "\"Current Money\"=dword:000000f0\n";
constexpr StoredSettings Defaults{63, 1, 100, false};
constexpr StoredSettings Saved{57, 3, 240}; // as Ours holds them

// A settings file of its own, in a configuration folder of its own.
struct Config {
    test::TempFolder folder;
    std::string path = SettingsFilePath(folder.Path());
    SettingsStore store{path};

    explicit Config(std::optional<std::string> bytes = std::nullopt) {
        if (bytes) {
            ::mkdir((folder / "corvanta").c_str(), 0700);
            test::WriteBytes(path, *bytes);
        }
    }
    StoredSettings Load() const { return LoadSettings(folder.Path()).values; }
    bool Save(const StoredSettings& settings) const {
        return SaveSettings(folder.Path(), settings).ok;
    }
    RegistryValue Read(std::string_view name) const {
        return store.ReadValue(Hive::CurrentUser, Key, name);
    }
};

TEST(Settings, AFirstRunTakesTheDefaultsAndASaveWritesThreeDwords) {
    const Config config;
    EXPECT_EQ(config.Load(), Defaults);
    EXPECT_EQ(ReadBytes(config.path), "<missing>") << "a load writes nothing";
    ASSERT_TRUE(config.Save(config.Load()));
    EXPECT_EQ(config.path, config.folder / "corvanta/settings.reg");
    EXPECT_EQ(ReadBytes(config.path),
              Header + OurKey +
                  "\"Card BG\"=dword:0000003f\n\"Current Account\"=dword:00000001\n"
                  "\"Current Money\"=dword:00000064\n\n");
    EXPECT_EQ(test::FileMode(config.folder / "corvanta"), 0700u);
    EXPECT_EQ(test::FileMode(config.path), 0600u);
    EXPECT_EQ(test::FolderEntries(config.folder / "corvanta"),
              std::vector<std::string>{"settings.reg"});
}

// The Trainer value is written once the trainer has been on, and from then on.
TEST(Settings, SavedValuesComeBackAndTheTrainerIsWrittenOnceItHasBeenOn) {
    const Config config;
    for (const auto& [saved, trainer] :
         {std::pair{Saved, ""}, std::pair{StoredSettings{-32768, 32767, INT32_MIN}, ""},
          std::pair{StoredSettings{65, 1, -5, true}, "\"Trainer\"=dword:00000001"},
          std::pair{StoredSettings{65, 1, -5, false}, "\"Trainer\"=dword:00000000"}}) {
        ASSERT_TRUE(config.Save(saved));
        EXPECT_EQ(config.Load(), saved);
        const std::string file = ReadBytes(config.path);
        EXPECT_EQ(file.find("Trainer") != std::string::npos, *trainer != '\0') << file;
        EXPECT_NE(file.find(trainer), std::string::npos) << file;
    }
    EXPECT_NE(ReadBytes(config.path).find("\"Current Money\"=dword:fffffffb"), std::string::npos);
}

TEST(Settings, AnUnusableValueTakesItsDefault) {
    const std::pair<std::string, StoredSettings> rows[] = {
        {"", Defaults},
        {"\"Card BG\"=dword:00000046\n", {70, 1, 100}}, // outside 53..65 but fits: kept
        {"\"Card BG\"=dword:00010000\n", Defaults},     // too wide for 16 bits
        {"\"Card BG\"=\"57.5\"\n", {58, 1, 100}},
        {"\"Card BG\"=\"abc\"\n", Defaults},
        {"\"Current Account\"=dword:ffff8000\n", {63, -32768, 100}},
        {"\"Current Account\"=hex:01,00,00,00\n", Defaults},
        {"\"Current Money\"=dword:80000000\n", {63, 1, INT32_MIN}},
        {"\"Current Money\"=\"  -7  \"\n", {63, 1, -7}},
        {"\"Current Money\"=\"99999999999\"\n", Defaults},
        {"\"Trainer\"=\"1\"\n", {63, 1, 100, true}},
        {"\"Trainer\"=dword:00000002\n", Defaults}, // only 1 turns it on
    };
    for (const auto& [lines, loaded] : rows) {
        EXPECT_EQ(Config(Header + OurKey + lines).Load(), loaded) << lines;
    }
}

// Windows' exports: reg.exe's (UTF-16LE with a byte-order mark, CR LF), an older tool's
// (REGEDIT4 in the code page, CR LF) and one edited by hand (UTF-8 with a byte-order mark, LF),
// other keys, values and comments around ours. A save changes only our values.
TEST(Settings, AWindowsExportIsReadAndKeepsItsFormWhenSaved) {
    const auto regExe = [](std::u16string_view bg, std::u16string_view money) {
        return test::Utf16Le(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                             u"[HKEY_CURRENT_USER\\Software\\Brondel]\r\n\"Installed\"=dword:"
                             u"00000001\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                             u"\"Player\"=\"Zo\u00eb \U0001F0A1\"\r\n\"Card BG\"=dword:" +
                             std::u16string(bg) +
                             u"\r\n\"Window\"=hex:2c,00,00,00,01,\\\r\n  02,00\r\n"
                             u"\"Current Account\"=dword:00000003\r\n\"Current Money\"=dword:" +
                             std::u16string(money) + u"\r\n\r\n");
    };
    const auto regedit4 = [](std::string_view bg, std::string_view money) {
        return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
               "\"Player\"=\"Ren\xE9\"\r\n\"Card BG\"=dword:" +
               std::string(bg) +
               "\r\n; the bank stays on the old machine\r\n"
               "\"Current Account\"=dword:00000003\r\n\"Current Money\"=dword:" +
               std::string(money) + "\r\n\r\n";
    };
    const auto utf8Bom = [](std::string_view bg, std::string_view money) {
        return "\xEF\xBB\xBF" + Header + OurKey + "\"Current Money\"=dword:" + std::string(money) +
               "\n\"Player\"=\"Zo\xC3\xAB\"\n\"Current Account\"=dword:00000003\n\"Card "
               "BG\"=dword:" +
               std::string(bg) + "\n";
    };
    const struct {
        std::string before, player, after;
    } forms[] = {
        {regExe(u"00000037", u"00001388"), "Zo\xC3\xAB \xF0\x9F\x82\xA1",
         regExe(u"00000039", u"000000f0")},
        {regedit4("00000037", "00001388"), "Ren\xC3\xA9", regedit4("00000039", "000000f0")},
        {utf8Bom("00000037", "00001388"), "Zo\xC3\xAB", utf8Bom("00000039", "000000f0")},
    };
    for (const auto& form : forms) {
        const Config config(form.before);
        EXPECT_EQ(config.Load(), (StoredSettings{55, 3, 5000})) << form.player;
        EXPECT_EQ(config.Read("Player"), RegistryValue(form.player));
        ASSERT_TRUE(config.Save(Saved));
        EXPECT_TRUE(ReadBytes(config.path) == form.after) << form.player;
    }
}

// reg import applies a file line by line: a key opened twice adds up, and a value's last line
// is its value. The save leaves each of our values once, in the last one's place.
TEST(Settings, ARepeatedKeyOrValueReadsTheLastAndIsSavedOnce) {
    const std::string otherKey = "[HKEY_CURRENT_USER\\Software\\Other]\n"
                                 "\"Card BG\"=dword:00000009\n\n";
    const Config config(Header + OurKey +
                        "\"Card BG\"=dword:00000001\n\"Current Money\"=dword:00000005\n\n" +
                        otherKey +
                        "[hkey_current_user\\software\\brondel\\poker]\n"
                        "\"Current Account\"=dword:00000002\n\"Kept\"=\"a\"\n"
                        "\"current money\"=dword:00001388\n\n" +
                        OurKey + "\"Card BG\"=dword:00000002\n\"CARD BG\"=dword:00000037\n");
    EXPECT_EQ(config.Load(), (StoredSettings{55, 2, 5000}));
    ASSERT_TRUE(config.Save(Saved));
    // The first opening held only our values and goes; the second holds another and stays.
    EXPECT_EQ(ReadBytes(config.path), Header + otherKey +
                                          "[hkey_current_user\\software\\brondel\\poker]\n"
                                          "\"Current Account\"=dword:00000003\n\"Kept\"=\"a\"\n"
                                          "\"Current Money\"=dword:000000f0\n\n" +
                                          OurKey + "\"Card BG\"=dword:00000039\n");
}

// A file that is not settings, or holds one of our values cut short, is told apart (the game
// keeps it aside) and gives the defaults; a value of ours deleted, or damaged before a whole
// one, or another value damaged makes an ordinary file.
TEST(Settings, AFileNotUnderstoodIsToldApartAndGivesTheDefaults) {
    struct Row {
        std::string file;
        bool notUnderstood;
        StoredSettings loaded;
    };
    const Row rows[] = {
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), true, Defaults},
        {"Windows Registry Edit", true, Defaults},
        {test::Utf16Le(u"Windows Registry Editor Version 5.00\r\n\r\n"), true, Defaults},
        {Header + OurKey + Ours + "\"Current Money\"=dword:000", true, Defaults},
        {Header + OurKey + Ours + "\"Current Account\"=\"3\n", true, Defaults},
        {"", false, Defaults},
        {"REGEDIT4", false, Defaults},
        {Header + OurKey + Ours + "\"Card BG\"=-\n", false, {63, 3, 240}},
        {Header + OurKey + "\"Current Money\"=dword:000\n" + Ours, false, Saved},
        {Header + OurKey + Ours + "\"Sound\"=dword:0\n", false, Saved},
    };
    for (const Row& row : rows) {
        const Config config(row.file);
        const SettingsLoad load = LoadSettings(config.folder.Path());
        EXPECT_EQ(load.notUnderstood, row.notUnderstood) << row.file;
        EXPECT_TRUE(load.problem.ok) << row.file;
        EXPECT_EQ(load.values, row.loaded) << row.file;
    }
}

// The store underneath: text up to its first NUL, or a REG_DWORD's number; empty for
// anything else.
TEST(SettingsStore, ReadsTextUpToItsNulOrANumber) {
    const Config config(
        Header + OurKey +
        "\"NulInside\"=hex(1):34,32,00,6d,6f,72,65\n\"NoNul\"=hex(1):34,32,78\n"
        "\"Quoted\"=\"a \\\"b\\\" \\\\c\"\n\"Negative\"=dword:fffffffb\n"
        "\"HexDword\"=hex(4):2a,00,00,00\n\"Wrapped\"=hex(1):41,42,\\\r\n  43,00\r\n"
        "\"Binary\"=hex:01,02\n\"ShortDword\"=dword:3f\n\"CutHex\"=hex(1):34,3\n"
        "\"Deleted\"=-\n@=\"unnamed\"\n");
    const std::pair<std::string_view, RegistryValue> rows[] = {
        {"NulInside", "42"}, {"NoNul", "42x"},   {"Quoted", "a \"b\" \\c"},
        {"Negative", -5},    {"HexDword", 42},   {"Wrapped", "ABC"},
        {"Binary", ""},      {"ShortDword", ""}, {"CutHex", ""},
        {"Deleted", ""},     {"", "unnamed"},    {"nulinside", "42"},
        {"Missing", ""}};
    for (const auto& [name, value] : rows) {
        EXPECT_EQ(config.Read(name), value) << name;
    }
    EXPECT_EQ(config.store.ReadValue(Hive::CurrentUser, "Software\\Other", "NoNul"),
              RegistryValue{""});
}

// A key is there when it or a key below it is opened, in any letter case; line ends converted
// twice ("\r\r\n") read like others, and a value written there reads back.
TEST(SettingsStore, FindsTheKeyWhateverTheLineEnds) {
    for (const auto& [file, exists] :
         {std::pair{Header + "[hkey_current_user\\software\\brondel\\poker]\n", true},
          std::pair{Header + "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker\\Deeper]\n", true},
          std::pair{Header + "[HKEY_CURRENT_USER\\Software\\Brondel\\PokerPlus]\n", false},
          std::pair{Header + "[HKEY_LOCAL_MACHINE\\Software\\Brondel\\Poker]\n", false},
          std::pair{"REGEDIT4\n\n" + OurKey, true},
          std::pair{"Windows Registry Editor Version 5.0\n\n" + OurKey, false}}) {
        EXPECT_EQ(Config(file).store.KeyExists(Hive::CurrentUser, Key), exists) << file;
    }
    const std::string start = "Windows Registry Editor Version 5.00\r\r\n\r\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\r\n";
    const Config config(start + "\"Card BG\"=dword:00000005\r\r\n");
    EXPECT_EQ(config.Read("Card BG"), RegistryValue(5));
    ASSERT_TRUE(WriteValue(config.store, Hive::CurrentUser, Key, "Card BG", 57).ok);
    EXPECT_EQ(config.Read("Card BG"), RegistryValue(57));
    EXPECT_EQ(ReadBytes(config.path), start + "\"Card BG\"=dword:00000039\r\n");
}

// ---- The game played: the Game value ----

// The settings Saved and the game, saved as the game saves them.
bool SaveWithGame(const Config& config, std::string_view game) {
    const SettingsFile file = SettingsImage(config.folder.Path(), Saved, game);
    return file.result.ok && SaveSettingsFile(file.image).ok;
}

// A game's name is saved as REG_SZ "Game" after the other values and read back as it is.
// The classic is not written into a file without the value (its file stays as it was), but
// once the value is there, every later game is; nothing (a value the game could not use)
// leaves the line as it was.
TEST(SettingsGame, IsWrittenOnceChosenAndReadBack) {
    const std::string game = "\"Game\"=\"deuces-wild\"\n";
    struct Row {
        std::string before;
        const char* saved;
        std::string after;
        const char* loaded;
    };
    const Row rows[] = {
        {"", "deuces-wild", Header + OurKey + Ours + game + "\n", "deuces-wild"},
        {"", "classic", Header + OurKey + Ours + "\n", ""},
        {"", "", Header + OurKey + Ours + "\n", ""},
        {Header + OurKey + game, "classic", Header + OurKey + "\"Game\"=\"classic\"\n" + Ours,
         "classic"},
        {Header + OurKey + game, "bonus-poker",
         Header + OurKey + "\"Game\"=\"bonus-poker\"\n" + Ours, "bonus-poker"},
        {Header + OurKey + "\"Game\"=dword:00000002\n", "",
         Header + OurKey + "\"Game\"=dword:00000002\n" + Ours, ""},
        {Header + OurKey + "\"Game\"=\"\"\n", "", Header + OurKey + "\"Game\"=\"\"\n" + Ours, ""},
    };
    for (const Row& row : rows) {
        const Config config(row.before.empty() ? std::nullopt : std::optional(row.before));
        ASSERT_TRUE(SaveWithGame(config, row.saved));
        EXPECT_EQ(ReadBytes(config.path), row.after) << row.saved;
        const SettingsLoad load = LoadSettings(config.folder.Path());
        EXPECT_EQ(load.game, row.loaded) << row.after;
        EXPECT_EQ(load.values, Saved) << row.after;
    }
}

// Read: the text as stored, empty for a number or damaged data, and the other values are
// read as ever (the file is understood).
TEST(SettingsGame, ReadsTheTextOrNothing) {
    const std::pair<std::string, std::string> rows[] = {
        {"\"Game\"=\"jacks-or-better\"\n", "jacks-or-better"},
        {"\"Game\"=\"poker-2000\"\n", "poker-2000"},
        {"\"Game\"=dword:00000001\n", ""},
        {"\"Game\"=hex(1):6a,6\n", ""},
        {"\"Game\"=\"deuces-wild\n", ""},
        {"\"Game\"=-\n", ""},
    };
    for (const auto& [line, game] : rows) {
        const Config config(Header + OurKey + Ours + line);
        const SettingsLoad load = LoadSettings(config.folder.Path());
        EXPECT_FALSE(load.notUnderstood) << line;
        EXPECT_EQ(load.game, game) << line;
        EXPECT_EQ(load.values.GCNum, 3) << line;
    }
}

// An export by reg.exe (UTF-16LE, CR LF) brings the game along, and a save changes it in the
// file's own form.
TEST(SettingsGame, AWindowsExportKeepsItsFormWhenTheGameChanges) {
    const auto regExe = [](std::u16string_view game) {
        return test::Utf16Le(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                             u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n"
                             u"\"Card BG\"=dword:00000039\r\n\"Current Account\"=dword:00000003\r\n"
                             u"\"Current Money\"=dword:000000f0\r\n\"Game\"=\"" +
                             std::u16string(game) + u"\"\r\n\r\n");
    };
    const Config config(regExe(u"bonus-poker"));
    EXPECT_EQ(LoadSettings(config.folder.Path()).game, "bonus-poker");
    ASSERT_TRUE(SaveWithGame(config, "jacks-or-better"));
    EXPECT_TRUE(ReadBytes(config.path) == regExe(u"jacks-or-better"));
}

// The advisor window's place: four dwords of their own, written once the window has been
// placed and kept as they are by a save that knows no place; read only when all four are
// there and within reason.
TEST(Settings, TheAdvisorsPlaceIsKeptInValuesOfItsOwn) {
    const Config config(Header + OurKey + Ours);
    StoredSettings placed = Saved;
    placed.advisor = {-1280, 24, 640, 480};
    ASSERT_TRUE(config.Save(placed));
    EXPECT_EQ(config.Load(), placed);
    const std::string values = "\"Advisor Left\"=dword:fffffb00\n\"Advisor Top\"=dword:00000018\n"
                               "\"Advisor Width\"=dword:00000280\n"
                               "\"Advisor Height\"=dword:000001e0\n";
    EXPECT_EQ(ReadBytes(config.path), Header + OurKey + Ours + values);
    ASSERT_TRUE(config.Save(Saved)) << "a save that knows no place";
    EXPECT_EQ(ReadBytes(config.path), Header + OurKey + Ours + values);
}

TEST(Settings, AnAdvisorPlaceMissingOrOutOfReasonIsUnknown) {
    const std::string place = "\"Advisor Left\"=dword:00000010\n\"Advisor Top\"=dword:00000020\n";
    const std::pair<std::string, WindowPlace> rows[] = {
        {place + "\"Advisor Width\"=dword:00000300\n\"Advisor Height\"=dword:00000200\n",
         {16, 32, 768, 512}},
        {place + "\"Advisor Width\"=dword:00000300\n", {}}, // no height
        {place + "\"Advisor Width\"=dword:00000000\n\"Advisor Height\"=dword:00000200\n", {}},
        {place + "\"Advisor Width\"=dword:00000300\n\"Advisor Height\"=dword:fffffe00\n", {}},
        {place + "\"Advisor Width\"=dword:000186a1\n\"Advisor Height\"=dword:00000200\n", {}},
        {"\"Advisor Left\"=dword:fffe795f\n\"Advisor Top\"=dword:00000020\n"
         "\"Advisor Width\"=dword:00000300\n\"Advisor Height\"=dword:00000200\n",
         {}}, // left beyond -100000
        {place + "\"Advisor Width\"=\"768\"\n\"Advisor Height\"=dword:00000200\n",
         {16, 32, 768, 512}}, // a number as text, as the others
        {place + "\"Advisor Width\"=\"wide\"\n\"Advisor Height\"=dword:00000200\n", {}},
    };
    for (const auto& [lines, advisor] : rows) {
        StoredSettings loaded = Saved;
        loaded.advisor = advisor;
        EXPECT_EQ(Config(Header + OurKey + Ours + lines).Load(), loaded) << lines;
    }
}

// ---- The main window's place ----

constexpr MainWindowGeometry Placed{-1280, 24, 700, 450, true};
const std::string PlacedLines =
    "\"Window Left\"=dword:fffffb00\n\"Window Top\"=dword:00000018\n"
    "\"Window Width\"=dword:000002bc\n\"Window Height\"=dword:000001c2\n"
    "\"Window Maximized\"=dword:00000001\n";

// The place is written after the other values once it is known, and comes back; a settings file
// that never had one gets none.
TEST(Settings, TheMainWindowsPlaceIsWrittenOnceKnownAndComesBack) {
    const Config config;
    ASSERT_TRUE(config.Save(Saved));
    EXPECT_EQ(ReadBytes(config.path), Header + OurKey + Ours + "\n");
    StoredSettings placed = Saved;
    placed.mainWindow = Placed;
    ASSERT_TRUE(config.Save(placed));
    EXPECT_EQ(ReadBytes(config.path), Header + OurKey + Ours + PlacedLines + "\n");
    EXPECT_EQ(config.Load(), placed);
    placed.mainWindow = MainWindowGeometry{0, 0, 573, 350, false};
    ASSERT_TRUE(config.Save(placed));
    EXPECT_EQ(config.Load(), placed);
}

// Half a place or a damaged value gives no place (the window takes its default one), leaves
// the other values alone, and stays in the file as it was until a place is saved over it.
TEST(Settings, ADamagedPlaceGivesNoneAndIsKeptAsItWas) {
    const std::string whole = PlacedLines;
    auto replaced = [&whole](const std::string& from, const std::string& to) {
        std::string lines = whole;
        lines.replace(lines.find(from), from.size(), to);
        return lines;
    };
    const std::pair<std::string, std::optional<MainWindowGeometry>> rows[] = {
        {whole, Placed},
        {replaced("dword:000002bc", "\"700\""), Placed}, // a number as text, as the others
        {replaced("\"Window Maximized\"=dword:00000001\n", ""), std::nullopt},
        {replaced("\"Window Top\"=dword:00000018", "\"Window Top\"=hex:18,00"), std::nullopt},
        {replaced("dword:000002bc", "dword:00000000"), std::nullopt},
        {replaced("dword:000001c2", "dword:ffffffff"), std::nullopt},
        {replaced("dword:000001c2", "dword:00010000"), std::nullopt}, // beyond any screen
        {replaced("dword:000001c2", "dword:0000ffff"),
         MainWindowGeometry{-1280, 24, 700, 65535, true}},
        {replaced("Maximized\"=dword:00000001", "Maximized\"=dword:00000002"), std::nullopt},
        {replaced("dword:00000018", "\"top\""), std::nullopt},
    };
    for (const auto& [lines, place] : rows) {
        const std::string file = Header + OurKey + Ours + lines;
        const Config config(file);
        StoredSettings loaded = Saved;
        loaded.mainWindow = place;
        EXPECT_EQ(config.Load(), loaded) << lines;
        if (!place) {
            ASSERT_TRUE(config.Save(config.Load()));
            EXPECT_EQ(ReadBytes(config.path), file) << "a damaged place is kept: " << lines;
        }
    }
}

// reg.exe's export of the key with the place (UTF-16LE, CR LF) reads it, and a save of the same
// values gives back the same bytes.
TEST(Settings, TheMainWindowsPlaceSurvivesARegExeRoundTrip) {
    const std::string exported = test::Utf16Le(
        u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Brondel\\Poker]\r\n\"Card BG\"=dword:00000039\r\n"
        u"\"Current Account\"=dword:00000003\r\n\"Current Money\"=dword:000000f0\r\n"
        u"\"Window Left\"=dword:fffffb00\r\n\"Window Top\"=dword:00000018\r\n"
        u"\"Window Width\"=dword:000002bc\r\n\"Window Height\"=dword:000001c2\r\n"
        u"\"Window Maximized\"=dword:00000001\r\n\r\n");
    const Config config(exported);
    StoredSettings placed = Saved;
    placed.mainWindow = Placed;
    EXPECT_EQ(config.Load(), placed);
    ASSERT_TRUE(config.Save(config.Load()));
    EXPECT_TRUE(ReadBytes(config.path) == exported);
}

// ---- end of the main window's place ----

} // namespace
} // namespace corvanta
