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
        {"\"Current Money\"=dword:000000f\n", Defaults},
    };
    for (const auto& c : cases) {
        TempFolder config;
        StoreFile(config.Path(), Header + OurKey + c.lines);
        EXPECT_EQ(Load(config.Path()), c.loaded) << c.lines;
    }
}

TEST(Settings, FileCutAnywhereGivesStoredValueOrDefault) {
    TempFolder config;
    const Loaded stored{57, 3, 240};
    ASSERT_TRUE(Save(config.Path(), stored).Ok);
    const std::string whole = ReadBytes(SettingsFilePath(config.Path()));
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        StoreFile(config.Path(), whole.substr(0, length));
        const Loaded loaded = Load(config.Path());
        const auto storedOrDefault = [](int value, int storedValue, int defaultValue) {
            return value == storedValue || value == defaultValue;
        };
        EXPECT_TRUE(storedOrDefault(std::get<0>(loaded), 57, 63)) << length;
        EXPECT_TRUE(storedOrDefault(std::get<1>(loaded), 3, 1)) << length;
        EXPECT_TRUE(storedOrDefault(std::get<2>(loaded), 240, 100)) << length;
    }
    EXPECT_EQ(Load(config.Path()), stored);
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
