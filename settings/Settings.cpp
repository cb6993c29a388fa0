#include "settings/Settings.h"

#include "settings/basRegistry.h"
#include "storage/DecimalText.h"

#include <array>
#include <cerrno>
#include <limits>
#include <optional>
#include <vector>

namespace corvanta {
namespace {

constexpr std::string_view CardBGValue = "Card BG";
constexpr std::string_view CurrentAccountValue = "Current Account";
constexpr std::string_view CurrentMoneyValue = "Current Money";
constexpr std::string_view TrainerValue = "Trainer";
constexpr std::string_view GameValue = "Game";
constexpr std::string_view ClassicGame = "classic";

constexpr std::string_view WindowLeftValue = "Window Left";
constexpr std::string_view WindowTopValue = "Window Top";
constexpr std::string_view WindowWidthValue = "Window Width";
constexpr std::string_view WindowHeightValue = "Window Height";
constexpr std::string_view WindowMaximizedValue = "Window Maximized";

// A stored number as it is; a text holding a decimal number rounded half to even. Nothing
// when the value is unusable or does not fit the field.
template <typename Int> std::optional<Int> FieldValue(const RegistryValue& value) {
    const auto* number = std::get_if<std::int32_t>(&value);
    const std::optional<std::int32_t> wide =
        number ? std::optional(*number) : ConvertInt32(std::get<std::string>(value));
    if (!wide || *wide < std::numeric_limits<Int>::min() ||
        *wide > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(*wide);
}

template <typename Int>
Int ReadSetting(const SettingsStore& store, std::string_view name, Int fallback) {
    return FieldValue<Int>(store.ReadValue(Hive::CurrentUser, SettingsKeyPath, name))
        .value_or(fallback);
}

// A text value as stored; empty when it is missing or a number.
std::string StoredText(const SettingsStore& store, std::string_view name) {
    const RegistryValue value = store.ReadValue(Hive::CurrentUser, SettingsKeyPath, name);
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

// A window's place: four values of their own, each a number (as the others, a dword or a text
// holding one); known only when all four are there and within reason (a corner farther than
// any desktop reaches, or a size of nothing or wider than any screen, is damage, not a place).
using PlaceValues = std::array<std::string_view, 4>; // left, top, width, height
constexpr PlaceValues AdvisorValues = {"Advisor Left", "Advisor Top", "Advisor Width",
                                       "Advisor Height"};
constexpr PlaceValues MainWindowValues = {WindowLeftValue, WindowTopValue, WindowWidthValue,
                                          WindowHeightValue};

std::optional<WindowPlace> ReadPlace(const SettingsStore& store, const PlaceValues& names) {
    std::array<std::int32_t, 4> fields{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto number =
            FieldValue<std::int32_t>(store.ReadValue(Hive::CurrentUser, SettingsKeyPath, names[i]));
        const std::int32_t lowest = i < 2 ? -MaxWindowExtent : 1;
        if (!number || *number < lowest || *number > MaxWindowExtent) {
            return std::nullopt;
        }
        fields[i] = *number;
    }
    return WindowPlace{fields[0], fields[1], fields[2], fields[3]};
}

void AddPlace(std::vector<SettingsStore::NamedValue>& values, const PlaceValues& names,
              const WindowPlace& place) {
    const std::int32_t fields[] = {place.left, place.top, place.width, place.height};
    for (std::size_t i = 0; i < names.size(); ++i) {
        values.push_back({std::string(names[i]), fields[i]});
    }
}

// The main window's place and whether it was maximized (0 or 1): all five, or nothing.
std::optional<MainWindowGeometry> ReadMainWindow(const SettingsStore& store) {
    const std::optional<WindowPlace> place = ReadPlace(store, MainWindowValues);
    const auto maximized = FieldValue<std::int32_t>(
        store.ReadValue(Hive::CurrentUser, SettingsKeyPath, WindowMaximizedValue));
    if (!place || !maximized || (*maximized != 0 && *maximized != 1)) {
        return std::nullopt;
    }
    return MainWindowGeometry{place->left, place->top, place->width, place->height,
                              *maximized == 1};
}

} // namespace

SettingsLoad LoadSettings(std::string_view configFolder) {
    const SettingsStore store(SettingsFilePath(configFolder));
    SettingsLoad load;
    load.path = store.FilePath();
    if (const int error = store.ReadError(); error != 0 && error != ENOENT) {
        load.problem = SaveResult::Failure(store.FilePath(), error);
        return load;
    }
    if (store.NotUnderstood(Hive::CurrentUser, SettingsKeyPath,
                            {CardBGValue, CurrentAccountValue, CurrentMoneyValue})) {
        load.notUnderstood = true;
        return load;
    }
    if (!store.KeyExists(Hive::CurrentUser, SettingsKeyPath)) {
        return load; // first run: the key comes with the first save
    }
    StoredSettings& settings = load.values;
    settings.CardBG = ReadSetting(store, CardBGValue, DefaultSettings.CardBG);
    settings.GCNum = ReadSetting(store, CurrentAccountValue, DefaultSettings.GCNum);
    settings.CashOnHand = ReadSetting(store, CurrentMoneyValue, DefaultSettings.CashOnHand);
    // Only 1 turns the trainer on: anything else, damaged data included, leaves it off.
    settings.trainer = ReadSetting<std::int32_t>(store, TrainerValue, 0) == 1;
    load.game = StoredText(store, GameValue);
    settings.advisor = ReadPlace(store, AdvisorValues).value_or(WindowPlace{});
    settings.mainWindow = ReadMainWindow(store);
    return load;
}

KeptAside KeepSettingsAside(std::string_view configFolder) {
    return KeepAside(SettingsFilePath(configFolder));
}

namespace {

// The Trainer value is written once the trainer has been turned on (and from then on), so
// that the file of a player who never turns it on holds only the three values it always held.
std::vector<SettingsStore::NamedValue>
NamedValues(const SettingsStore& store, const StoredSettings& settings, std::string_view game) {
    std::vector<SettingsStore::NamedValue> values = {
        {std::string(CardBGValue), std::int32_t{settings.CardBG}},
        {std::string(CurrentAccountValue), std::int32_t{settings.GCNum}},
        {std::string(CurrentMoneyValue), settings.CashOnHand}};
    const bool stored = std::holds_alternative<std::int32_t>(
        store.ReadValue(Hive::CurrentUser, SettingsKeyPath, TrainerValue));
    if (settings.trainer || stored) {
        values.push_back({std::string(TrainerValue), std::int32_t{settings.trainer ? 1 : 0}});
    }
    // The game likewise: a player of the classic keeps the file they always had, and a Game
    // value once written follows every later choice. Nothing stored is never written: a
    // value the game cannot read stays as it is.
    const bool gameStored = !StoredText(store, GameValue).empty();
    if (!game.empty() && (game != ClassicGame || gameStored)) {
        values.push_back({std::string(GameValue), std::string(game)});
    }
    // The windows' places once known; until then whatever the file holds stays as it is.
    if (settings.advisor.Known()) {
        AddPlace(values, AdvisorValues, settings.advisor);
    }
    if (const std::optional<MainWindowGeometry>& place = settings.mainWindow) {
        AddPlace(values, MainWindowValues, {place->left, place->top, place->width, place->height});
        values.push_back({std::string(WindowMaximizedValue), std::int32_t{place->maximized}});
    }
    return values;
}

} // namespace

SettingsFile SettingsImage(std::string_view configFolder, const StoredSettings& settings,
                           std::string_view game) {
    const SettingsStore store(SettingsFilePath(configFolder));
    SettingsStore::Rewrite rewrite =
        store.RewriteValues(Hive::CurrentUser, SettingsKeyPath, NamedValues(store, settings, game));
    return {rewrite.result, {store.FilePath(), std::move(rewrite.bytes)}};
}

} // namespace corvanta
