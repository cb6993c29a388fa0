// libFuzzer target: the settings file as any bytes at all. Reading must survive it and give
// each setting its stored number or its default; writing into it must succeed, and what was
// written must read back exactly, whatever else the file holds.
#include "ScratchFolder.h"

#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/DecimalText.h"
#include "storage/Text.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

using namespace corvanta;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "settings_fuzzer: %s\n", what);
        std::abort();
    }
}

// FNV-1a: varied numbers to store, fixed for each input.
std::uint32_t Hash(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return hash;
}

// What ReadValue gives for text written by WriteValue: a number when the text reads as
// one, otherwise the text trimmed of spaces, up to its first NUL.
RegistryValue ReadBackOf(const std::string& text) {
    if (const auto number = ConvertInt32(text)) {
        return *number;
    }
    std::string trimmed = TrimSpaces(text);
    return trimmed.substr(0, trimmed.find('\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& configFolder = fuzz::ScratchFolder();
    const std::string path = SettingsFilePath(configFolder);
    ::mkdir((configFolder + "/corvanta").c_str(), 0700);
    fuzz::PutFile(path, data, size);
    const SettingsStore store(path);

    // Reading: each value is its stored number when that fits the field, else its default.
    const StoredSettings loaded = LoadSettings(configFolder).values;
    const RegistryValue cardBG = store.ReadValue(Hive::CurrentUser, SettingsKeyPath, "Card BG");
    if (const auto* number = std::get_if<std::int32_t>(&cardBG);
        number && *number >= INT16_MIN && *number <= INT16_MAX) {
        Check(loaded.CardBG == *number, "Card BG is not the stored number");
    }
    if (!store.KeyExists(Hive::CurrentUser, SettingsKeyPath)) {
        Check(loaded.CardBG == 63 && loaded.GCNum == 1 && loaded.CashOnHand == 100,
              "a file without the key did not give the defaults");
    }

    // Writing: the three settings, then a text value made of the input itself.
    const std::uint32_t hash = Hash(data, size);
    const StoredSettings written{static_cast<std::int16_t>(hash & 0xFFFF),
                                 static_cast<std::int16_t>(hash >> 16),
                                 static_cast<std::int32_t>(hash * 2654435761u)};
    Check(SaveSettings(configFolder, written).Ok, "SaveSettings failed");
    const std::string text(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view TextName = "Fuzz \"Text\" \\ value";
    Check(store.WriteValue(Hive::CurrentUser, SettingsKeyPath, TextName, text).Ok,
          "WriteValue failed");

    const StoredSettings reread = LoadSettings(configFolder).values;
    Check(reread.CardBG == written.CardBG, "Card BG did not read back");
    Check(reread.GCNum == written.GCNum, "Current Account did not read back");
    Check(reread.CashOnHand == written.CashOnHand, "Current Money did not read back");
    Check(store.ReadValue(Hive::CurrentUser, SettingsKeyPath, TextName) == ReadBackOf(text),
          "the text value did not read back");
    return 0;
}
