#pragma once
// The main window's controls, placed in twips as they were designed.

#include <QColor>
#include <Qt>

#include <array>

namespace corvanta::layout {

enum class Area { Window, Bank, Stats };
enum class Font {
    Default,
    SansSerif12Bold,
    Arial12Bold,
    Arial12,
    Arial975,
    Arial975Bold,
    Arial1425Bold
};

struct Label {
    const char* name;
    Area area;
    int left, top, width, height;
    const char* caption;
    Font font = Font::Default;
    QRgb colour = 0; // 0: the standard text colour
    Qt::AlignmentFlag align = Qt::AlignLeft;
    bool opaque = false; // the payoff table paints its own green background
};

struct Button {
    const char* name;
    Area area;
    int left, top, width, height;
    const char* caption;
};

struct Line {
    const char* name;
    Area area;
    int x1, y1, x2, y2;
};

inline constexpr QRgb Yellow = qRgb(255, 255, 0);
inline constexpr QRgb BrightGreen = qRgb(0, 255, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb TableGreen = qRgb(0, 128, 0);

inline constexpr int ClientWidth = 8595;
inline constexpr int ClientHeight = 4935;

inline constexpr int CardLeft(int slot) {
    return 240 + 1200 * slot;
}
inline constexpr int CardTop = 480;
inline constexpr int DiscardTop = 2040;

inline constexpr std::array Labels = {
    Label{"lblLastHandC", Area::Window, 240, 120, 1335, 300, "Last Hand:", Font::SansSerif12Bold},
    Label{"lblLastHand", Area::Window, 1680, 120, 4455, 375, "", Font::SansSerif12Bold, Yellow},
    Label{"lblCurrentCash", Area::Window, 240, 3000, 1335, 255, "$100", Font::Arial12Bold, Yellow,
          Qt::AlignRight},
    Label{"lblBetAmount", Area::Window, 240, 3480, 1335, 255, "$0", Font::Arial12Bold, BrightGreen,
          Qt::AlignRight},
    Label{"lblBetAmountC", Area::Window, 300, 4350, 135, 270, "$", Font::Arial12},
    Label{"lblAccountC", Area::Bank, 120, 240, 645, 195, "Account:"},
    Label{"lblCurrentAccount", Area::Bank, 840, 240, 1215, 255, ""},
    // One pixel wider than designed: "Savings:" in Liberation Sans needs 42 pixels.
    Label{"lblSavingsC", Area::Bank, 120, 480, 630, 195, "Savings:"},
    Label{"lblSavings", Area::Bank, 840, 480, 915, 195, "$0"},
    Label{"lblCashAmount", Area::Bank, 165, 840, 135, 270, "$", Font::Arial12},
    Label{"lblRoundsWonC", Area::Stats, 120, 240, 1320, 195, "Rounds Won:"},
    Label{"lblRoundsWon", Area::Stats, 1440, 240, 855, 255, "0"},
    Label{"lblRoundsLostC", Area::Stats, 120, 480, 1320, 195, "Rounds Lost:"},
    Label{"lblRoundsLost", Area::Stats, 1440, 480, 855, 255, "0"},
    Label{"lblRoundsPlayedC", Area::Stats, 120, 720, 1320, 195, "Rounds Played:"},
    Label{"lblRoundsPlayed", Area::Stats, 1440, 720, 855, 255, "0"},
    Label{"lblAmountWonC", Area::Stats, 120, 1080, 1200, 195, "Amount Won:"},
    Label{"lblAmountWon", Area::Stats, 1320, 1080, 855, 195, "$0"},
    Label{"lblAmountLostC", Area::Stats, 120, 1320, 1200, 195, "Amount Lost:"},
    Label{"lblAmountLost", Area::Stats, 1320, 1320, 855, 195, "$0"},
    Label{"lblAveGainsC", Area::Stats, 120, 1560, 1200, 195, "Average Gains:"},
    Label{"lblAveGains", Area::Stats, 1320, 1560, 855, 195, "$0"},
    Label{"lblPayoffsC", Area::Window, 6480, 480, 1890, 330, "Payoffs", Font::Arial1425Bold, 0,
          Qt::AlignLeft, true},
};

struct PayoffRow {
    const char* handName;
    const char* handCaption;
    const char* multiplierName;
    int category; // the payoff table's caption for this category
    int multiplierLeft, multiplierWidth;
};

// From the top: ten rows 240 twips apart from 960. Hand names start at 6480 and reach
// the multipliers, which all end at the same right edge.
inline constexpr int PayoffLeft = 6480;
inline constexpr int PayoffTop = 960;
inline constexpr int PayoffRowStep = 240;
inline constexpr int PayoffRowHeight = 255;
inline constexpr std::array PayoffRows = {
    PayoffRow{"lblRoyalFlushC", "Royal Flush", "lblRFPayoffC", 10, 7920, 495},
    PayoffRow{"lblStraightFlushC", "Straight Flush", "lblSFPayOffC", 9, 8040, 375},
    PayoffRow{"lbl5KindC", "Five of a Kind", "Label1", 8, 8040, 375},
    PayoffRow{"lbl4KindC", "Four of a Kind", "Label2", 7, 8040, 375},
    PayoffRow{"lblFullC", "Full House", "Label3", 6, 8040, 375},
    PayoffRow{"lblFlushPayoff", "Flush", "Label4", 5, 8160, 255},
    PayoffRow{"lblStraightC", "Straight", "Label5", 4, 8160, 255},
    PayoffRow{"lbl3KindC", "Three of a Kind", "Label6", 3, 8160, 255},
    PayoffRow{"lbl2PairC", "Two Pair", "Label7", 2, 8160, 255},
    PayoffRow{"lblPairC", "Pair", "Label8", 1, 8160, 255},
};

inline constexpr std::array Buttons = {
    Button{"cmdDeal", Area::Window, 240, 2400, 1335, 375, "&Deal"},
    Button{"cmdAddBet", Area::Window, 240, 3840, 1335, 360, "&Bet:"},
    Button{"cmdWithdrawCash", Area::Bank, 120, 1200, 855, 375, "&Withdraw"},
    Button{"cmdDeposit", Area::Bank, 1080, 1200, 855, 375, "De&posit"},
    Button{"cmdBankLoan", Area::Bank, 120, 1200, 1815, 375, "Get &Loan"},
    Button{"cmdChangeAccount", Area::Bank, 120, 1560, 1815, 375, "&Change Account"},
    Button{"cmdEditAccount", Area::Bank, 120, 1920, 1815, 375, "&Edit Account"},
    Button{"cmdClearStats", Area::Stats, 120, 1920, 2055, 375, "Clear &Statistics"},
    Button{"cmdGameHelp", Area::Window, 6480, 3480, 1935, 375, "Game &Help"},
    Button{"cmdOptions", Area::Window, 6480, 3960, 1935, 375, "&Game Options"},
    Button{"cmdExit", Area::Window, 6480, 4440, 1935, 375, "E&xit Poker"},
};

inline constexpr std::array Lines = {
    Line{"Line3", Area::Window, 240, 2880, 1560, 2880},
    Line{"Line2", Area::Window, 240, 3360, 1560, 3360},
    Line{"Line5", Area::Window, 6480, 840, 8400, 840},
    Line{"Line1", Area::Bank, 120, 720, 1920, 720},
    Line{"Line4", Area::Stats, 120, 960, 2160, 960},
};

struct Frame {
    const char* name;
    int left, top, width, height;
    const char* caption;
};
inline constexpr Frame BankFrame{"fraBank", 1800, 2400, 2055, 2415, "Bank"};
inline constexpr Frame StatsFrame{"fraStats", 3960, 2400, 2295, 2415, "Statistics"};

struct TextBox {
    const char* name;
    Area area;
    int left, top, width, height;
    const char* text;
};
inline constexpr TextBox BetBox{"txtBet", Area::Window, 480, 4320, 1095, 315, "5"};
inline constexpr TextBox BankBox{"txtBank", Area::Bank, 360, 840, 1575, 285, "0"};
inline constexpr int AmountBoxMaxLength = 7;

// The invisible spot that opens the debug console.
inline constexpr int DebugSpotLeft = 7800, DebugSpotTop = 1200, DebugSpotSize = 255;

} // namespace corvanta::layout
