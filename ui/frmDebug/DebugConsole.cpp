#include "ui/frmDebug/DebugConsole.h"

#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvanta {
namespace {

constexpr QColor ConsoleOlive(192, 192, 0);
constexpr QColor PaleYellow(255, 255, 128);
constexpr Qt::Alignment Right = Qt::AlignRight;

// The fixed captions.
constexpr LabelRow Captions[] = {
    {"lblMoneyC", {120, 1440, 1065, 195}, "Player's Money"},
    {"lblBetAmountC", {120, 1680, 825, 195}, "Bet Amount"},
    {"lblWinAmount", {120, 1920, 870, 195}, "Money Won"},
    {"lblWinHandC", {120, 2280, 1020, 195}, "Winning Hand"},
    {"lblLowNumC", {2640, 1440, 540, 195}, "# Order"},
    {"lblNumOrder", {3240, 1440, 1935, 255}, ""}, // nothing ever writes it
    {"Label1", {2640, 1680, 480, 195}, "F ADD"},
    {"Label2", {2160, 1920, 1095, 195}, "LNum, Subnum"},
    {"lblCard1", {720, 2640, 465, 195}, "Card 1"},
    {"lblCard2", {1320, 2640, 465, 195}, "Card 2"},
    {"lblCard3", {1920, 2640, 465, 195}, "Card 3"},
    {"lblCard4", {2520, 2640, 465, 195}, "Card 4"},
    {"lblCard5", {3120, 2640, 465, 195}, "Card 5"},
    {"lblCardValue", {120, 3000, 405, 195}, "Value"},
    {"lblCardSuite", {120, 3240, 360, 195}, "Suite"},
};

// The fields the engine writes.
constexpr LabelRow MoneyField{"lblMoney", {1320, 1440, 855, 255}, "0"};
constexpr LabelRow BetField{"lblBet", {1320, 1680, 975, 255}, "0"};
constexpr LabelRow WonField{"lblWon", {1320, 1920, 975, 255}, "0"};
constexpr LabelRow WinHandField{"lblWinHand", {1320, 2280, 975, 255}, "0"};
constexpr LabelRow FAddField{"lblFAdd", {3240, 1680, 2535, 255}, ""};
constexpr LabelRow LNumField{"lblLNum", {3360, 1920, 2175, 255}, ""};
constexpr LabelRow AppPathField{"lblAppPath", {120, 3480, 4695, 495}, ""};
constexpr const char* CardValueNames[] = {"lblCV1", "lblCV2", "lblCV3", "lblCV4", "lblCV5"};
constexpr const char* CardSuitNames[] = {"lblCS1", "lblCS2", "lblCS3", "lblCS4", "lblCS5"};
constexpr LabelRow CardField(const char* name, int slot, int top) {
    return {name, {840 + 600 * slot, top, 375, 255}, "0", GameFont::Standard, 0, Right};
}

struct LineRow {
    const char* name;
    Twips place;
};
constexpr LineRow Lines[] = {
    {"Line1", {120, 2880, 3600, 0}},
    {"Line2", {0, 1320, 5880, 0}},
    {"Line3", {600, 2880, 0, 600}},
};

struct ButtonRow {
    const char* name;
    Twips place;
    const char* caption;
};
constexpr ButtonRow PrevButton{"cmdPrevRec", {3840, 2640, 375, 375}, "<"};
constexpr ButtonRow CurrentButton{"cmdCurRec", {4200, 2640, 375, 375}, "C"};
constexpr ButtonRow NextButton{"cmdNextRec", {4560, 2640, 375, 375}, ">"};
constexpr ButtonRow SetCurrentButton{"cmdSetCurrRec", {5040, 2280, 1335, 375}, "Set As GCNum"};
constexpr ButtonRow SaveButton{"cmdSaveChanges", {5040, 2640, 1335, 375}, "Save Changes"};
constexpr ButtonRow NewButton{"cmdNewRecord", {5040, 3120, 1335, 375}, "New Record"};
constexpr ButtonRow DeleteButton{"cmdDelRecord", {5040, 3480, 1335, 375}, "Delete Record"};

} // namespace

DebugConsole::DebugConsole(GameModel& model) : QWidget(nullptr), model_(model) {
    setObjectName(QStringLiteral("frmDebug"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads it; the next hand loads it again
    setWindowTitle(QStringLiteral("Debug Console"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Px(6495), Px(4020));
    PaintBackground(this, ConsoleOlive);
    BuildLabels();
    BuildEditor();
    ConnectEditor();

    // The load step.
    const EditorStart start = model_.StartRecordEditor(editor_);
    ShowView(start.view);
    txtDebug_->setPlainText(ToQString(start.summary));
    lblAppPath_->setText(model_.BankFileLine());
}

void DebugConsole::BuildLabels() {
    auto add = [this](const LabelRow& row) {
        QLabel* label = AddLabel(this, row);
        GrowToText(label); // none of the captions reaches its neighbour
        return label;
    };
    for (const LabelRow& row : Captions) {
        add(row);
    }
    lblMoney_ = add(MoneyField);
    lblBet_ = add(BetField);
    lblWon_ = add(WonField);
    lblWinHand_ = add(WinHandField);
    lblFAdd_ = add(FAddField);
    lblLNum_ = add(LNumField);
    lblAppPath_ = add(AppPathField);
    lblAppPath_->setWordWrap(true);
    for (int slot = 0; slot < HandSize; ++slot) {
        lblCV_[slot] = add(CardField(CardValueNames[slot], slot, 3000));
        lblCS_[slot] = add(CardField(CardSuitNames[slot], slot, 3240));
    }
    for (const LineRow& line : Lines) {
        AddLine(this, line.name, line.place);
    }
}

void DebugConsole::BuildEditor() {
    txtDebug_ = new QPlainTextEdit(this);
    txtDebug_->setObjectName(QStringLiteral("txtDebug"));
    txtDebug_->setReadOnly(true);
    txtDebug_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDebug_->setGeometry(0, 0, width(), Px(1215)); // at the top, as wide as the window
    SetColour(txtDebug_, QPalette::Base, PaleYellow);

    auto box = [this](const char* name, const Twips& place) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(ToPixels(place));
        return edit;
    };
    txtAccount_ = box("txtAccount", {3840, 1440, 2535, 285});
    txtSavings_ = box("txtSavings", {3840, 1800, 2535, 285});
    txtIndex_ = box("txtIndex", {3840, 2160, 495, 375});
    txtIndex_->setReadOnly(true);

    auto button = [this](const ButtonRow& row) {
        auto* b = new QPushButton(QString::fromLatin1(row.caption), this);
        b->setObjectName(QString::fromLatin1(row.name));
        b->setGeometry(ToPixels(row.place));
        b->setAutoDefault(false);
        return b;
    };
    cmdPrevRec_ = button(PrevButton);
    cmdCurRec_ = button(CurrentButton);
    cmdNextRec_ = button(NextButton);
    cmdSetCurrRec_ = button(SetCurrentButton);
    cmdSaveChanges_ = button(SaveButton);
    cmdNewRecord_ = button(NewButton);
    cmdDelRecord_ = button(DeleteButton);
    QWidget* order[] = {txtDebug_,     txtAccount_,    txtSavings_,  txtIndex_,
                        cmdPrevRec_,   cmdNextRec_,    cmdCurRec_,   cmdSaveChanges_,
                        cmdNewRecord_, cmdSetCurrRec_, cmdDelRecord_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void DebugConsole::ConnectEditor() {
    auto showIfAny = [this](const std::optional<RecordView>& view) {
        if (view) {
            ShowView(*view);
        }
    };
    connect(cmdCurRec_, &QPushButton::clicked, this,
            [this] { ShowView(model_.ShowCurrentRecord(editor_)); });
    connect(cmdNextRec_, &QPushButton::clicked, this,
            [=, this] { showIfAny(model_.ShowNextRecord(editor_)); });
    connect(cmdPrevRec_, &QPushButton::clicked, this,
            [=, this] { showIfAny(model_.ShowPreviousRecord(editor_)); });
    connect(cmdNewRecord_, &QPushButton::clicked, this,
            [=, this] { showIfAny(model_.NewRecord(editor_)); });
    connect(cmdSaveChanges_, &QPushButton::clicked, this, [this] {
        model_.SaveRecordChanges(editor_, txtAccount_->text(), txtSavings_->text());
    });
    connect(cmdSetCurrRec_, &QPushButton::clicked, this,
            [this] { txtDebug_->setPlainText(model_.SetAsGCNum(editor_)); });
    connect(cmdDelRecord_, &QPushButton::clicked, this, [this] {
        if (const auto outcome = model_.DeleteRecord(editor_)) {
            if (outcome->shown) {
                ShowRecord(*outcome->shown);
            }
            txtDebug_->setPlainText(ToQString(outcome->summary));
        }
    });
}

void DebugConsole::ShowRecord(const RecordText& record) {
    txtAccount_->setText(ToQString(record.name));
    txtSavings_->setText(ToQString(record.savings));
}

void DebugConsole::ShowView(const RecordView& view) {
    ShowRecord(view.record);
    txtIndex_->setText(ToQString(view.index));
}

void DebugConsole::ShowHand(const DealReport& report) {
    const Evaluation& evaluation = report.outcome.evaluation;
    const Settlement& settlement = report.outcome.settlement;
    for (int i = 0; i < HandSize; ++i) {
        lblCV_[i]->setText(QString::number(evaluation.values[i]));
        lblCS_[i]->setText(QString::number(evaluation.suits[i]));
    }
    if (evaluation.testsRan) {
        lblFAdd_->setText(QString::number(evaluation.straight.FAdd));
        lblLNum_->setText(
            QStringLiteral("%1, %2").arg(evaluation.straight.LNum).arg(evaluation.straight.SubNum));
    }
    lblWinHand_->setText(QString::number(settlement.hand));
    lblMoney_->setText(QString::number(settlement.moneyBefore));
    lblBet_->setText(QString::number(settlement.bet));
    lblWon_->setText(QString::number(settlement.paid));
    if (evaluation.testsRan) {
        txtDebug_->setPlainText(ToQString(evaluation.trace));
    }
}

} // namespace corvanta
