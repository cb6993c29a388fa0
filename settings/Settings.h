#pragma once
// The values kept between runs outside the bank: the card back, the current account, the
// cash on hand and whether the trainer is on, in the key "Software\Brondel\Poker" of the
// per-user store.

#include "storage/AtomicFile.h"
#include "storage/SaveJournal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvanta {

inline constexpr std::string_view SettingsKeyPath = "Software\\Brondel\\Poker";

// The hold advisor's window as the player left it: its frame's place and its size, in pixels
// of the desktop. "Advisor Left", "Advisor Top", "Advisor Width" and "Advisor Height", dwords
// written once the window has been placed; until then, and when any of them is missing or
// out of reason, the place is unknown and the window opens beside the table.
struct WindowPlace {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool Known() const { return width > 0 && height > 0; }
    bool operator==(const WindowPlace&) const = default;
};

// Where the main window stood when the game last ended: the top-left corner of its frame on
// the desktop and the size of its inside, both of its normal (not maximized) state, and
// whether it was maximized. Stored as "Window Left", "Window Top" (dwords, negative left of or
// above the first screen), "Window Width", "Window Height" and "Window Maximized" (0 or 1),
// once the player has moved, resized or maximized the window, and from then on.
struct MainWindowGeometry {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool maximized = false;

    bool operator==(const MainWindowGeometry&) const = default;
};
// No window is wider or taller than this many pixels; a larger stored size is damaged.
inline constexpr std::int32_t MaxWindowExtent = 65535;

// "Card BG", "Current Account", "Current Money" and "Trainer" (a dword, 0 or 1; whoever
// reads the first three needs nothing of it); the defaults are those of a first run.
struct StoredSettings {
    std::int16_t CardBG = 63;
    std::int16_t GCNum = 1;
    std::int32_t CashOnHand = 100;
    bool trainer = false;
    // Nothing until the player has placed the window, or when a stored value is missing or
    // damaged: the window then takes its default place.
    std::optional<MainWindowGeometry> mainWindow = std::nullopt;

    WindowPlace advisor{}; // its own values, see WindowPlace

    bool operator==(const StoredSettings&) const = default;
};
inline constexpr StoredSettings DefaultSettings{};

// Reads the values. A value that is missing, not a number or too wide for its field takes its
// default, as do all of them on a first run (no file, or an empty one).
struct SettingsLoad {
    StoredSettings values;
    // Why a file that exists could not be read; such a file is left alone and the values
    // are the defaults.
    SaveResult problem;
    // The file was read but is not settings the game understands: not a registry export, or
    // one of the three values there with damaged data (see SettingsStore::NotUnderstood). The
    // values are the defaults. The file is for the game to keep aside (KeepSettingsAside)
    // before it saves, so nothing of it is lost.
    bool notUnderstood = false;
    std::string path; // the settings file
    // The game played, the text value "Game" (the game's command-line name, "jacks-or-better"),
    // beside the numbers above; empty when it is missing or not text.
    std::string game;
};
SettingsLoad LoadSettings(std::string_view configFolder);

// Renames the settings file to "settings.reg.bad" beside it (or, when that is taken by an
// earlier one, "settings.reg.bad.2" and so on: see KeepAside), so the next save starts a new
// file and nothing kept before is lost. A failure names the settings file and the reason.
KeptAside KeepSettingsAside(std::string_view configFolder);

// The settings file with the values stored as REG_DWORD, in the order above (Trainer once it
// has been on), then `game` as the REG_SZ "Game" (see NamedValues; empty: nothing written, so
// a value the game cannot use stays as it was), and everything else in the file as it was: for
// the save that replaces it together with the bank. A failure when the file exists but cannot
// be read.
struct SettingsFile {
    SaveResult result;
    FileImage image;
};
SettingsFile SettingsImage(std::string_view configFolder, const StoredSettings& settings,
                           std::string_view game = {});

} // namespace corvanta
