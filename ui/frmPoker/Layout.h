#pragma once
// The main window's controls, placed in twips as they were designed.

#include "engine/basPoker.h"
#include "ui/Widgets.h"

#include <array>
#include <string_view>

namespace corvanta::layout {

// Which container a control sits in; places inside a frame are relative to the frame.
enum class Area { Window, Bank, Stats };

struct Label {
    Area area;
    LabelRow row;
};

struct Button {
    const char* name;
    Area area;
    Twips place;
    const char* caption;
};

struct Line {
    const char* name;
    Area area;
    Twips place;
};

struct Frame {
    const char* name;
    Twips place;
    const char* caption;
};

struct TextBox {
    const char* name;
    Area area;
    Twips place;
    const char* text;
};

inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb BrightGreen = qRgb(0, 255, 0);
inline constexpr QRgb YellowText = qRgb(255, 255, 0);
inline constexpr QRgb Green = qRgb(0, 128, 0);

inline constexpr int ClientWidth = 8595;
inline constexpr int ClientHeight = 4935;

inline constexpr int CardLeft(int slot) {
    return 240 + 1200 * slot;
}
inline constexpr int CardTop = 480;
inline constexpr Twips DiscardLabel(int slot) {
    return {CardLeft(slot), 2040, 1095, 255};
}

inline constexpr Frame BankFrame{"fraBank", {1800, 2400, 2055, 2415}, "Bank"};
inline constexpr Frame StatsFrame{"fraStats", {3960, 2400, 2295, 2415}, "Statistics"};

constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment HandName = Qt::AlignLeft | Qt::AlignVCenter;
using enum GameFont;

inline constexpr std::array Labels = {
    Label{Area::Window, {"lblLastHandC", {240, 120, 1335, 300}, "Last Hand:", SansSerif12Bold}},
    Label{Area::Window, {"lblLastHand", {1680, 120, 4455, 375}, "", SansSerif12Bold, YellowText}},
    Label{Area::Window,
          {"lblCurrentCash", {240, 3000, 1335, 255}, "$100", Arial12Bold, YellowText, Right}},
    Label{Area::Window,
          {"lblBetAmount", {240, 3480, 1335, 255}, "$0", Arial12Bold, BrightGreen, Right}},
    Label{Area::Window, {"lblBetAmountC", {300, 4350, 135, 270}, "$", Arial12}},
    Label{Area::Bank, {"lblAccountC", {120, 240, 645, 195}, "Account:"}},
    Label{Area::Bank, {"lblCurrentAccount", {840, 240, 1215, 255}, ""}},
    // One pixel wider than designed: "Savings:" in Liberation Sans needs 42 pixels.
    Label{Area::Bank, {"lblSavingsC", {120, 480, 630, 195}, "Savings:"}},
    Label{Area::Bank, {"lblSavings", {840, 480, 915, 195}, "$0"}},
    Label{Area::Bank, {"lblCashAmount", {165, 840, 135, 270}, "$", Arial12}},
    Label{Area::Stats, {"lblRoundsWonC", {120, 240, 1320, 195}, "Rounds Won:"}},
    Label{Area::Stats, {"lblRoundsWon", {1440, 240, 855, 255}, "0"}},
    Label{Area::Stats, {"lblRoundsLostC", {120, 480, 1320, 195}, "Rounds Lost:"}},
    Label{Area::Stats, {"lblRoundsLost", {1440, 480, 855, 255}, "0"}},
    Label{Area::Stats, {"lblRoundsPlayedC", {120, 720, 1320, 195}, "Rounds Played:"}},
    Label{Area::Stats, {"lblRoundsPlayed", {1440, 720, 855, 255}, "0"}},
    Label{Area::Stats, {"lblAmountWonC", {120, 1080, 1200, 195}, "Amount Won:"}},
    Label{Area::Stats, {"lblAmountWon", {1320, 1080, 855, 195}, "$0"}},
    Label{Area::Stats, {"lblAmountLostC", {120, 1320, 1200, 195}, "Amount Lost:"}},
    Label{Area::Stats, {"lblAmountLost", {1320, 1320, 855, 195}, "$0"}},
    Label{Area::Stats, {"lblAveGainsC", {120, 1560, 1200, 195}, "Average Gains:"}},
    Label{Area::Stats, {"lblAveGains", {1320, 1560, 855, 195}, "$0"}},
    Label{Area::Window,
          {"lblPayoffsC", {6480, 480, 1890, 330}, "Payoffs", Arial1425Bold, 0, Left, Green}},
};

// The payoff table: a row a paying hand of the game, the best first, 240 twips apart from 960
// (closer where more rows must fit above Game Help, see PayoffTopOf); the texts are the engine's
// (engine/PayoffTexts.h). Hand names start at 6480 and reach the multipliers, which all end at
// the same right edge and are as wide as their digits need, on the table's green. The rows keep
// the names the classic's rows were designed with.
struct PayoffRow {
    const char* nameLabel;
    const char* multiplierLabel;
};

inline constexpr std::array PayoffRows = {
    PayoffRow{"lblRoyalFlushC", "lblRFPayoffC"},
    PayoffRow{"lblStraightFlushC", "lblSFPayOffC"},
    PayoffRow{"lbl5KindC", "Label1"},
    PayoffRow{"lbl4KindC", "Label2"},
    PayoffRow{"lblFullC", "Label3"},
    PayoffRow{"lblFlushPayoff", "Label4"},
    PayoffRow{"lblStraightC", "Label5"},
    PayoffRow{"lbl3KindC", "Label6"},
    PayoffRow{"lbl2PairC", "Label7"},
    PayoffRow{"lblPairC", "Label8"},
    PayoffRow{"lblPayoff11C", "lblPayoff11"},
};
inline constexpr int PayoffLeft = 6480;
inline constexpr int PayoffRight = 8415;
inline constexpr int PayoffTop = 960;
inline constexpr int PayoffRowStep = 240;
inline constexpr int PayoffRowHeight = 255;
inline constexpr int PayoffBottom = 3405;    // a few pixels above Game Help, at 3480
inline constexpr int PayoffCrowdedTop = 900; // a few pixels under the line at 840

// More rows than fit 240 twips apart start closer under the line and stand closer together.
inline constexpr int PayoffTopOf(std::size_t row, std::size_t rows) {
    const int count = static_cast<int>(rows);
    if (PayoffTop + PayoffRowStep * (count - 1) + PayoffRowHeight <= PayoffBottom) {
        return PayoffTop + PayoffRowStep * static_cast<int>(row);
    }
    const int step = (PayoffBottom - PayoffCrowdedTop - PayoffRowHeight) / (count - 1);
    return PayoffCrowdedTop + step * static_cast<int>(row);
}
// "100x" 495, "50x" 375, "8x" and "x" 255.
inline constexpr int PayoffMultiplierWidth(std::string_view multiplier) {
    return multiplier.size() >= 4 ? 495 : multiplier.size() == 3 ? 375 : 255;
}

// The two labels of row `row` of `rows`, with their captions.
inline LabelRow PayoffName(std::size_t row, std::size_t rows, const char* name,
                           std::string_view multiplier) {
    const int width = PayoffRight - PayoffMultiplierWidth(multiplier) - PayoffLeft;
    return {PayoffRows[row].nameLabel,
            {PayoffLeft, PayoffTopOf(row, rows), width, PayoffRowHeight},
            name,
            Arial975Bold,
            0,
            HandName,
            Green};
}
inline LabelRow PayoffMultiplier(std::size_t row, std::size_t rows, const char* multiplier) {
    const int width = PayoffMultiplierWidth(multiplier);
    return {PayoffRows[row].multiplierLabel,
            {PayoffRight - width, PayoffTopOf(row, rows), width, PayoffRowHeight},
            multiplier,
            Arial975Bold,
            0,
            Right,
            Green};
}

inline constexpr std::array Buttons = {
    Button{"cmdDeal", Area::Window, {240, 2400, 1335, 375}, "&Deal"},
    Button{"cmdAddBet", Area::Window, {240, 3840, 1335, 360}, "&Bet:"},
    Button{"cmdWithdrawCash", Area::Bank, {120, 1200, 855, 375}, "&Withdraw"},
    Button{"cmdDeposit", Area::Bank, {1080, 1200, 855, 375}, "De&posit"},
    Button{"cmdBankLoan", Area::Bank, {120, 1200, 1815, 375}, "Get &Loan"},
    Button{"cmdChangeAccount", Area::Bank, {120, 1560, 1815, 375}, "&Change Account"},
    Button{"cmdEditAccount", Area::Bank, {120, 1920, 1815, 375}, "&Edit Account"},
    Button{"cmdClearStats", Area::Stats, {120, 1920, 2055, 375}, "Clear &Statistics"},
    Button{"cmdGameHelp", Area::Window, {6480, 3480, 1935, 375}, "Game &Help"},
    Button{"cmdOptions", Area::Window, {6480, 3960, 1935, 375}, "&Game Options"},
    Button{"cmdExit", Area::Window, {6480, 4440, 1935, 375}, "E&xit Poker"},
};

inline constexpr std::array Lines = {
    Line{"Line3", Area::Window, {240, 2880, 1320, 0}},
    Line{"Line2", Area::Window, {240, 3360, 1320, 0}},
    Line{"Line5", Area::Window, {6480, 840, 1920, 0}},
    Line{"Line1", Area::Bank, {120, 720, 1800, 0}},
    Line{"Line4", Area::Stats, {120, 960, 2040, 0}},
};

inline constexpr TextBox BetBox{"txtBet", Area::Window, {480, 4320, 1095, 315}, "5"};
inline constexpr TextBox BankBox{"txtBank", Area::Bank, {360, 840, 1575, 285}, "0"};
inline constexpr int AmountBoxMaxLength = 7;

// The invisible spot that opens the debug console.
inline constexpr Twips DebugSpot{7800, 1200, 255, 255};

} // namespace corvanta::layout
