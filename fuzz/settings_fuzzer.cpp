// libFuzzer target: the settings file as any bytes at all. Reading must survive it and give
// each setting its stored number or its default (all three defaults for a file the game does
// not understand); writing into it must succeed, a second save must change nothing, and what
// was written must read back exactly, whatever else the file holds and in whatever encoding
// it is kept (UTF-8, UTF-16LE, Windows-1252).
#include "ScratchFolder.h"

#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "storage/DecimalText.h"
#include "storage/Text.h"
#include "storage/Utf8.h"
#include "storage/Windows1252.h"
#include "support/SavedFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

// Valid UTF-8 made of the input, three bytes a character: anything from NUL and line breaks
// to characters beyond U+FFFF, no surrogates.
std::string CharactersOf(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i + 2 < size && i < 600; i += 3) {
        char32_t cp = data[i] | data[i + 1] << 8 | (data[i + 2] & 0x01) << 16;
        cp = cp >= 0xD800 && cp <= 0xDFFF ? cp - 0x800 : cp;
        AppendUtf8(text, cp);
    }
    return text;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The encodings the file can be kept in after a save.
enum class Form { Utf8, Utf16, Regedit4 };

Form FormOf(const std::string& bytes) {
    using namespace std::string_literals;
    const std::string regedit4Utf16 = "\xFF\xFER\0E\0G\0E\0D\0I\0T\0"
                                      "4\0"s;
    if (bytes.starts_with("REGEDIT4") || bytes.starts_with("\xEF\xBB\xBFREGEDIT4") ||
        bytes.starts_with(regedit4Utf16)) {
        return Form::Regedit4; // hex(1) text in the code page
    }
    return bytes.starts_with("\xFF\xFE") ? Form::Utf16 : Form::Utf8;
}

// Text read back from a REGEDIT4 file: exactly, or through the code page, where characters
// it cannot hold become '?'.
bool ReadBackThroughCodePage(const RegistryValue& read, const RegistryValue& expected) {
    const auto* text = std::get_if<std::string>(&expected);
    return read == expected ||
           (text && read == RegistryValue(DecodeWindows1252(EncodeWindows1252(*text))));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& configFolder = fuzz::ScratchFolder();
    const std::string path = SettingsFilePath(configFolder);
    ::mkdir((configFolder + "/corvanta").c_str(), 0700);
    fuzz::PutFile(path, data, size);
    const SettingsStore store(path);

    // Reading: each value is its stored number when that fits the field, else its default.
    const SettingsLoad load = LoadSettings(configFolder);
    const StoredSettings& loaded = load.values;
    const RegistryValue cardBG = store.ReadValue(Hive::CurrentUser, SettingsKeyPath, "Card BG");
    if (const auto* number = std::get_if<std::int32_t>(&cardBG);
        number && *number >= INT16_MIN && *number <= INT16_MAX && !load.notUnderstood) {
        Check(loaded.CardBG == *number, "Card BG is not the stored number");
    }
    if (!store.KeyExists(Hive::CurrentUser, SettingsKeyPath) || load.notUnderstood) {
        Check(loaded == DefaultSettings, "a file without the key did not give the defaults");
    }
    Check(!load.notUnderstood || (size > 0 && load.problem.ok),
          "an empty or unreadable file was not understood");

    // Writing: the three settings (twice: the second save changes nothing), then text values
    // made of the input itself: its bytes, and characters.
    const std::uint32_t hash = Hash(data, size);
    const StoredSettings written{static_cast<std::int16_t>(hash & 0xFFFF),
                                 static_cast<std::int16_t>(hash >> 16),
                                 static_cast<std::int32_t>(hash * 2654435761u)};
    Check(SaveSettings(configFolder, written).ok, "SaveSettings failed");
    const std::string saved = FileBytes(path);
    Check(SaveSettings(configFolder, written).ok, "SaveSettings failed the second time");
    Check(FileBytes(path) == saved, "a second save of the same settings changed the file");
    const Form form = FormOf(saved);

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string characters = CharactersOf(data, size);
    constexpr std::string_view BytesName = "Fuzz \"Text\" \\ value";
    constexpr std::string_view CharactersName = "Fuzz characters";
    Check(WriteValue(store, Hive::CurrentUser, SettingsKeyPath, BytesName, bytes).ok,
          "WriteValue failed");
    Check(WriteValue(store, Hive::CurrentUser, SettingsKeyPath, CharactersName, characters).ok,
          "WriteValue failed");

    const SettingsLoad reread = LoadSettings(configFolder);
    Check(!reread.notUnderstood, "a saved file is not understood");
    // The save writes the settings it was given; the windows' places are written by the
    // windows, and a save keeps those of a file it understood.
    const StoredSettings& back = reread.values;
    Check(back.CardBG == written.CardBG && back.GCNum == written.GCNum &&
              back.CashOnHand == written.CashOnHand && back.trainer == written.trainer,
          "the settings did not read back");
    Check(load.notUnderstood ||
              (back.mainWindow == loaded.mainWindow && back.advisor == loaded.advisor),
          "a save lost the windows' places");
    if (form == Form::Utf8) { // any bytes at all go through unchanged only in UTF-8
        Check(store.ReadValue(Hive::CurrentUser, SettingsKeyPath, BytesName) == ReadBackOf(bytes),
              "the text value did not read back");
    }
    const RegistryValue read = store.ReadValue(Hive::CurrentUser, SettingsKeyPath, CharactersName);
    Check(form == Form::Regedit4 ? ReadBackThroughCodePage(read, ReadBackOf(characters))
                                 : read == ReadBackOf(characters),
          "the characters did not read back");
    return 0;
}
