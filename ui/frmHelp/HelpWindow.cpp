#include "ui/frmHelp/HelpWindow.h"

#include "ui/Widgets.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>

#include <cmath>
#include <map>
#include <string_view>

namespace corvanta {
namespace {

constexpr QColor HelpBackground(255, 128, 0);

constexpr const char* TabCaptions[] = {"How To Play", "Bank Accounts", "Miscellaneous"};

struct HelpLabel {
    int tab;          // index into TabCaptions
    LabelRow row;     // placed from the tab control's corner
    bool transparent; // lets the tab's background show instead of the control grey
};

constexpr GameFont Bold = GameFont::StandardBold;
constexpr GameFont Plain = GameFont::Standard;

// Every label of the three tabs, in position order. lblMisc_3, _4 and _5 are 6300 twips wide,
// like the paragraphs below them: at their drawn widths (3900, 4110, 5145) Liberation Sans needs
// a second line that their one-line height cannot show.
static constexpr HelpLabel Labels[] = {
    {0,
     {"lblHTP_0",
      {240, 480, 6360, 195},
      "1) To begin the round, enter a starting bet of at least $5, then click <Bet>.",
      Bold},
     false},
    {0,
     {"lblHTP_1",
      {240, 840, 6450, 435},
      "2) Click the <Deal> button once to receive your cards. Once you have received your cards, "
      "you will no longer be allowed to place bets.",
      Bold},
     false},
    {0,
     {"lblHTP_2",
      {240, 1320, 6345, 435},
      "3) Click on the cards you wish to discard. Their colors will be inverted, and the word "
      "\"DISCARD\" will appear below each of them.",
      Bold},
     false},
    {0,
     {"lblHTP_3",
      {240, 1800, 6060, 195},
      "4) Click on <Deal> again to receive your new cards and end the round.",
      Bold},
     false},
    {0,
     {"lblHTP_4",
      {240, 2160, 6060, 195},
      "5) Your winnings will automatically be added to your cash.",
      Bold},
     false},
    {0,
     {"lblHTP_5",
      {480, 2400, 5295, 195},
      "Cash on Hand is displayed in yellow below the <Deal> button.",
      Bold},
     false},
    {0,
     {"lblHTP_6",
      {480, 2640, 5310, 195},
      "The Amount Bet is displayed in green above the <Bet> button.",
      Bold},
     false},

    {1,
     {"lblBA_0",
      {240, 480, 5055, 195},
      "To access an existing account or to create a new account:",
      Bold},
     false},
    {1,
     {"lblBA_5",
      {360, 720, 6195, 675},
      "Click on <Change Account>. Enter the name of the account you wish to access or create. The "
      "game will then access the account if it already exists, or create a new account if it does "
      "not.",
      Plain},
     false},
    {1, {"lblBA_2", {240, 1320, 1695, 195}, "To edit an account:", Bold}, false},
    {1,
     {"lblBA_6",
      {360, 1560, 6315, 795},
      "Click on <Edit Account>. The game will display a form that will allow you to change the "
      "name "
      "and password of the account. Press <Save Changes> to save the changes and return to the "
      "game. (Setting the password will not affect gameplay as the feature has not yet been "
      "implemented.)",
      Plain},
     false},
    {1,
     {"lblBA_1", {240, 2400, 4050, 195}, "To deposit or withdraw money from an account:", Bold},
     true},
    {1,
     {"lblBA_7",
      {360, 2640, 6315, 435},
      "Enter the amount you wish to deposit or withdraw into the text box above the <Deposit> and "
      "<Withdraw> buttons, then click on the action you wish to perform.",
      Plain},
     false},
    {1,
     {"lblBA_4", {240, 3120, 4155, 195}, "What happens when an account goes bankrupt?", Bold},
     false},
    {1,
     {"lblBA_8",
      {360, 3360, 6315, 435},
      "Nothing. If you go bankrupt, the bank will provide you a $50 loan to keep playing. You can "
      "receive this loan as many time as you need, and do not need to repay it.",
      Plain},
     false},

    {2, {"lblMisc_0", {240, 480, 2235, 195}, "To change the card back:", Bold}, false},
    {2,
     {"lblMisc_3",
      {360, 720, 6300, 195},
      "1) Click on <Options> or select 'Options' from the menu.",
      Plain},
     false},
    {2,
     {"lblMisc_4",
      {360, 960, 6300, 195},
      "2) Click on the image you want to use as the new back face. It will be highlighted.",
      Plain},
     false},
    {2,
     {"lblMisc_5",
      {360, 1200, 6300, 195},
      "3) Close the Options window to continue playing with the new back face.",
      Plain},
     false},
    {2, {"lblMisc_1", {240, 1560, 2625, 195}, "Keeping track of the statistics:", Bold}, false},
    {2,
     {"lblMisc_2",
      {360, 1800, 6300, 435},
      "The game records the number of rounds played, rounds won, rounds lost, the amount won, the "
      "amount lost, and calculates the average gains of each round.",
      Plain},
     true},
    {2,
     {"lblMisc_6",
      {360, 2280, 6300, 675},
      "The Average Gains of each round is calculated by detracting the Amount Lost from the Amount "
      "Won, then dividing the result by the total number of rounds played.",
      Plain},
     true},
    {2,
     {"lblMisc_7",
      {360, 2760, 6300, 435},
      "The Amount Won only includes the sum of winnings above the amounts bet. Because of this, "
      "winnings from a single pair are not included.",
      Plain},
     true},
    {2,
     {"lblMisc_8",
      {360, 3240, 6300, 435},
      "To clear your statistics, click on the <Clear Statistics> button. This action cannot be "
      "undone.",
      Bold},
     false},
};

// The pages after the three above: longer texts, each in a box that scrolls, on the tab
// control's orange. Rich text; "&rarr;" is an arrow.
struct HelpPage {
    const char* name; // the text box's object name
    const char* caption;
    const char* text;
};

static constexpr HelpPage Pages[] = {
    {"txtAdvisorHelp", "Hold Advisor",
     "<p><b>Game &rarr; Hold Advisor</b> (Ctrl+H) opens a window beside the table that follows "
     "the game as you play.</p>"
     "<p>Once five cards are dealt, it lists the best holds, ranked by their exact expected "
     "return per dollar bet, for example \"Keep Two of Clubs, Two of Hearts &mdash; returns "
     "2.1921 &times; bet\". Holds worth exactly the same are marked \"=\" rather than "
     "ranked. It also shows what your current marks are worth. After the draw the list and "
     "the worth of the marks you drew with stay, for review, until the next deal.</p>"
     "<p><b>Mark Best Hold</b> (Space, or Enter while it has the focus) marks the discards of "
     "the best hold on the table, exactly as clicking those cards would. Esc closes the window. "
     "The game's keys work in it as on the table, and Enter anywhere else in it presses "
     "Deal.</p>"
     "<p>The figures are exact: the advisor counts every possible draw instead of sampling. "
     "For this session it grades your play (the rounds advised, those played with a best "
     "hold, the small and large mistakes and the dollars they gave up), lists every round, "
     "newest first, which <b>Save List as CSV...</b> writes to a file, and draws your bankroll "
     "round after round.</p>"
     "<p>On the right, the game under perfect play: for every hand its pay, how often a round "
     "ends with it and its share of the return; below it, the same for standing pat (never "
     "drawing).</p>"},
    {"txtTrainerHelp", "Trainer",
     "<p><b>Game &rarr; Trainer Mode</b> (Ctrl+T) turns the trainer on or off; the menu entry "
     "is checked while it is on, and the game remembers it.</p>"
     "<p>With the trainer on, a draw whose marks return less than the best hold asks first, "
     "in a box titled \"Corvanta - Trainer\": what your discards return, whether that is a "
     "small mistake (less than 0.05 &times; bet given up) or a large one, and the best hold "
     "with its return.</p>"
     "<p><b>No</b> takes you back to marking, with your marks as they were. <b>Yes</b> draws "
     "as you marked.</p>"
     "<p>A hold exactly as good as the best is no mistake. The hold advisor's window keeps "
     "the score of the session: the accuracy, the mistakes and what they cost.</p>"},
    {"txtKeysHelp", "Keys",
     "<table cellspacing=\"0\" cellpadding=\"1\">"
     "<tr><td><b>Enter</b>&nbsp;&nbsp;</td><td>Deal, and draw after a deal. When a button "
     "is disabled under the focus, the focus goes to Deal, never onto another "
     "command.</td></tr>"
     "<tr><td><b>Ctrl+D</b></td><td>Deal</td></tr>"
     "<tr><td><b>Ctrl+B</b></td><td>Place Bet (asks for the amount)</td></tr>"
     "<tr><td><b>Ctrl+H</b></td><td>Hold Advisor</td></tr>"
     "<tr><td><b>Ctrl+T</b></td><td>Trainer Mode on or off</td></tr>"
     "<tr><td><b>Ctrl+W</b></td><td>Withdraw from your savings (asks for the "
     "amount)</td></tr>"
     "<tr><td><b>Ctrl+P</b></td><td>Deposit into your savings (asks for the amount)</td></tr>"
     "<tr><td><b>Ctrl+A</b></td><td>Change Account (asks for the name)</td></tr>"
     "<tr><td><b>Ctrl+Y</b></td><td>Exit, saving first</td></tr>"
     "<tr><td><b>F1</b></td><td>Game Help: this window</td></tr>"
     "<tr><td><b>Space</b></td><td>Marks or unmarks the card that has the focus; Mark Best "
     "Hold in the advisor</td></tr>"
     "<tr><td><b>Tab</b></td><td>Moves from control to control: Deal, the five cards, Bet, "
     "...</td></tr>"
     "<tr><td><b>Alt+letter</b></td><td>Presses the button whose caption has that letter "
     "underlined, as Alt+D for Deal</td></tr>"
     "<tr><td><b>Esc</b></td><td>Closes this window, the options, the advisor and the "
     "account editor</td></tr>"
     "</table>"
     "<p>Ctrl+B, Ctrl+D, Ctrl+T and Enter work in the advisor's window too.</p>"},
    {"txtGamesHelp", "Casino Games",
     "<p>Choose the game in the <b>Game</b> menu between rounds. The classic is the "
     "default.</p>"
     "<p><b>Classic</b>: every card comes from a full deck, with replacement, so a hand may "
     "hold the same card twice. Pays One Pair 1, Two Pair 2, Three of a Kind 3, Straight 5, "
     "Flush 8, Full House 12, Four of a Kind 25, Five of a Kind 40, Straight Flush 50, Royal "
     "Flush 100. The ace plays high only, and a flush overwrites a pair, three of a kind or a "
     "full house.</p>"
     "<p>The casino games deal from <b>one 52-card deck</b>: the draw comes from the 47 cards "
     "not dealt, so a discarded card never comes back. The ace plays high or low (A-2-3-4-5 is "
     "a straight), and the royal pays 800 &times; the bet, as on a casino's full-bet "
     "table.</p>"
     "<p><b>Jacks or Better 9/6</b>: Jacks or Better (a pair of jacks, queens, kings or aces) "
     "1, Two Pair 2, Three of a Kind 3, Straight 4, Flush 6, Full House 9, Four of a Kind 25, "
     "Straight Flush 50, Royal Flush 800. A lower pair pays nothing.</p>"
     "<p><b>Bonus Poker 8/5</b>: as Jacks or Better, but Flush 5, Full House 8, and four of "
     "a kind by its cards: Four 5s-Ks 25, Four 2s-4s 40, Four Aces 80.</p>"
     "<p><b>Deuces Wild</b> (full pay): every two is wild and counts as the card that makes "
     "the best-paying hand. Three of a Kind 1, Straight 2, Flush 2, Full House 3, Four of a "
     "Kind 5, Straight Flush 9, Five of a Kind 15, Wild Royal Flush 25, Four Deuces 200, "
     "Natural Royal Flush 800.</p>"
     "<p>What each game returns per dollar bet under perfect play (the advisor's best hold "
     "every time):</p>"
     "<table cellspacing=\"0\" cellpadding=\"1\">"
     "<tr><td>Classic&nbsp;&nbsp;</td><td align=\"right\">217.68 %</td></tr>"
     "<tr><td>Jacks or Better 9/6&nbsp;&nbsp;</td><td align=\"right\">99.5439 %</td></tr>"
     "<tr><td>Bonus Poker 8/5</td><td align=\"right\">99.1660 %</td></tr>"
     "<tr><td>Deuces Wild</td><td align=\"right\">100.7620 %</td></tr>"
     "</table>"
     "<p>Below 100 % the house wins in the long run even against perfect play; the "
     "classic, with its full deck for every card, pays the player more than twice the "
     "bet.</p>"},
};

// Where a page's text stands: the whole tab below its strip, inside the labels' margins.
constexpr Twips PageText{180, 420, 6540, 3480};

struct ColourWord {
    const char* name;
    const char* sentence; // the label whose plain word this one hides
    const char* word;
    QColor colour;
};

// Two words drawn in their own colour over the same word in a sentence on "How To Play".
static constexpr ColourWord ColourWords[] = {
    {"lblHTP_7", "lblHTP_5", "yellow", QColor(192, 192, 0)},
    {"lblHTP_8", "lblHTP_6", "green", QColor(0, 255, 0)},
};

// A paragraph of help text ("<Bet>" and friends are text, not markup), wrapped in its place.
QLabel* AddHelpLabel(QWidget* area, const LabelRow& row, bool transparent) {
    QLabel* label = AddLabel(area, row);
    label->setWordWrap(true);
    if (!transparent) {
        // The tab's orange is inherited; an opaque label shows the system's control grey.
        PaintBackground(label, QApplication::palette().color(QPalette::Button));
    }
    return label;
}

// Where `sentence` draws `word`, in its own coordinates, wide enough for the word's advance and
// its ink. The layout placed the colour words for MS Sans Serif; the substitute font puts the
// plain word elsewhere, so the cover is measured with the font actually used.
struct WordCover {
    QRect rect;
    int indent; // from the cover's left edge to the word's pen position
};

WordCover MeasureWord(const QLabel& sentence, const QString& word) {
    const QFontMetricsF metrics(sentence.font());
    const QString text = sentence.text();
    const qreal pen = metrics.horizontalAdvance(text.left(text.indexOf(word)));
    const QRectF ink = metrics.boundingRect(word).translated(pen, 0);
    const int left = static_cast<int>(std::floor(std::min(pen, ink.left())));
    const int right =
        static_cast<int>(std::ceil(std::max(pen + metrics.horizontalAdvance(word), ink.right())));
    return {QRect(left, 0, right - left, sentence.height()),
            static_cast<int>(std::lround(pen)) - left};
}

void AddColourWord(QWidget* area, const QLabel* sentence, const ColourWord& item) {
    const QString word = QString::fromLatin1(item.word);
    const GameFont font = sentence->font().bold() ? GameFont::StandardBold : GameFont::Standard;
    QLabel* label = AddHelpLabel(area, {item.name, {}, item.word, font}, false);
    SetColour(label, QPalette::WindowText, item.colour);
    const WordCover cover = MeasureWord(*sentence, word);
    label->setGeometry(cover.rect.translated(sentence->pos()));
    label->setIndent(cover.indent);
}

QTextBrowser* AddHelpPage(QTabWidget* tabs, const HelpPage& item) {
    auto* page = new QWidget(tabs); // addTab moves it into the page stack
    page->setAutoFillBackground(true);
    tabs->addTab(page, QString::fromLatin1(item.caption));
    auto* text = new QTextBrowser(page);
    text->setObjectName(QString::fromLatin1(item.name));
    text->setAccessibleName(QString::fromLatin1(item.caption)); // what a screen reader names
    text->setFrameShape(QFrame::NoFrame);
    text->setFont(FontOf(GameFont::Standard));
    SetColour(text, QPalette::Base, HelpBackground);
    text->setHtml(QString::fromUtf8(item.text));
    return text;
}

} // namespace

HelpWindow::HelpWindow()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Game Help"));
    setFixedSize(Px(7110), Px(4680));
    SetColour(this, QPalette::Window, HelpBackground);

    tabHelp_ = new QTabWidget(this);
    tabHelp_->setObjectName(QStringLiteral("tabHelp"));
    tabHelp_->setGeometry(ToPixels({120, 120, 6855, 3975}));
    tabHelp_->tabBar()->setFont(FontOf(GameFont::StandardBold));
    // The tabs themselves wear the tab control's orange too; the style draws them in Button.
    SetColour(tabHelp_->tabBar(), QPalette::Button, HelpBackground);
    for (std::size_t tab = 0; tab < tabAreas_.size(); ++tab) {
        auto* page = new QWidget(tabHelp_); // addTab moves it into the page stack
        page->setAutoFillBackground(true);
        tabHelp_->addTab(page, QString::fromLatin1(TabCaptions[tab]));
        tabAreas_[tab] = new QWidget(page);
        tabAreas_[tab]->resize(tabHelp_->size());
    }
    for (const HelpPage& item : Pages) {
        pageTexts_.push_back(AddHelpPage(tabHelp_, item));
    }
    std::map<std::string_view, QLabel*> sentences;
    for (const HelpLabel& item : Labels) {
        sentences[item.row.name] = AddHelpLabel(tabAreas_[item.tab], item.row, item.transparent);
    }
    // Created after the sentences, so they lie on top of them.
    for (const ColourWord& item : ColourWords) {
        AddColourWord(tabAreas_[0], sentences.at(item.sentence), item);
    }

    // Default button for Enter; Esc reaches QDialog::reject, which closes the window too.
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(ToPixels({5280, 4200, 1695, 375}));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setTabOrder(tabHelp_, cmdClose);
    tabHelp_->setFocus();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The tab control lays out its pages only once shown; now the pages' offset from the tab
    // control's corner is known, and each area is moved back by it.
    for (QWidget* area : tabAreas_) {
        area->move(-area->parentWidget()->mapTo(tabHelp_, QPoint(0, 0)));
    }
    for (QTextBrowser* text : pageTexts_) {
        const QRect place = ToPixels(PageText);
        text->setGeometry(place.translated(-text->parentWidget()->mapTo(tabHelp_, QPoint(0, 0))));
    }
}

} // namespace corvanta
