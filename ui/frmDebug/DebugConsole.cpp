#include "ui/frmDebug/DebugConsole.h"

#include "engine/Format.h"
#include "engine/Round.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvanta {
namespace {

struct LabelSpec {
    const char* name;
    int left, top, width, height;
    const char* caption;
    bool rightAligned = false;
};

// Fixed captions and the fields the engine writes.
constexpr LabelSpec Labels[] = {
    {"lblMoneyC", 120, 1440, 1065, 195, "Player's Money"},
    {"lblMoney", 1320, 1440, 855, 255, "0"},
    {"lblBetAmountC", 120, 1680, 825, 195, "Bet Amount"},
    {"lblBet", 1320, 1680, 975, 255, "0"},
    {"lblWinAmount", 120, 1920, 870, 195, "Money Won"},
    {"lblWon", 1320, 1920, 975, 255, "0"},
    {"lblWinHandC", 120, 2280, 1020, 195, "Winning Hand"},
    {"lblWinHand", 1320, 2280, 975, 255, "0"},
    {"lblLowNumC", 2640, 1440, 540, 195, "# Order"},
    {"lblNumOrder", 3240, 1440, 1935, 255, ""},
    {"Label1", 2640, 1680, 480, 195, "F ADD"},
    {"lblFAdd", 3240, 1680, 2535, 255, ""},
    {"Label2", 2160, 1920, 1095, 195, "LNum, Subnum"},
    {"lblLNum", 3360, 1920, 2175, 255, ""},
    {"lblCard1", 720, 2640, 465, 195, "Card 1"},
    {"lblCard2", 1320, 2640, 465, 195, "Card 2"},
    {"lblCard3", 1920, 2640, 465, 195, "Card 3"},
    {"lblCard4", 2520, 2640, 465, 195, "Card 4"},
    {"lblCard5", 3120, 2640, 465, 195, "Card 5"},
    {"lblCardValue", 120, 3000, 405, 195, "Value"},
    {"lblCardSuite", 120, 3240, 360, 195, "Suite"},
    {"lblCV1", 840, 3000, 375, 255, "0", true},
    {"lblCV2", 1440, 3000, 375, 255, "0", true},
    {"lblCV3", 2040, 3000, 375, 255, "0", true},
    {"lblCV4", 2640, 3000, 375, 255, "0", true},
    {"lblCV5", 3240, 3000, 375, 255, "0", true},
    {"lblCS1", 840, 3240, 375, 255, "0", true},
    {"lblCS2", 1440, 3240, 375, 255, "0", true},
    {"lblCS3", 2040, 3240, 375, 255, "0", true},
    {"lblCS4", 2640, 3240, 375, 255, "0", true},
    {"lblCS5", 3240, 3240, 375, 255, "0", true},
    {"lblAppPath", 120, 3480, 4695, 495, ""},
};

struct LineSpec {
    const char* name;
    int x1, y1, x2, y2;
};
constexpr LineSpec Lines[] = {
    {"Line1", 120, 2880, 3720, 2880},
    {"Line2", 0, 1320, 5880, 1320},
    {"Line3", 600, 2880, 600, 3480},
};

void Paint(QWidget* widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

DebugConsole::DebugConsole(Bank& bank, const QString& bankFilePath)
    : QWidget(nullptr), bank_(bank) {
    setObjectName(QStringLiteral("frmDebug"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads it; the next hand loads it again
    setWindowTitle(QStringLiteral("Debug Console"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Px(6495), Px(4020));
    Paint(this, QPalette::Window, QColor(192, 192, 0));
    setAutoFillBackground(true);

    for (const LabelSpec& item : Labels) {
        auto* label = new QLabel(QString::fromLatin1(item.caption), this);
        label->setObjectName(QString::fromLatin1(item.name));
        label->setGeometry(TwipsRect(item.left, item.top, item.width, item.height));
        label->setAlignment((item.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        GrowToText(label); // none of the captions reaches its neighbour
    }
    Field("lblAppPath")->setWordWrap(true);
    for (const LineSpec& item : Lines) {
        auto* line = new QWidget(this);
        line->setObjectName(QString::fromLatin1(item.name));
        const QRect span =
            QRect(QPoint(Px(std::min(item.x1, item.x2)), Px(std::min(item.y1, item.y2))),
                  QPoint(Px(std::max(item.x1, item.x2)), Px(std::max(item.y1, item.y2))));
        line->setGeometry(span.x(), span.y(), std::max(1, span.width()),
                          std::max(1, span.height()));
        Paint(line, QPalette::Window, Qt::black);
        line->setAutoFillBackground(true);
    }

    txtDebug_ = new QPlainTextEdit(this);
    txtDebug_->setObjectName(QStringLiteral("txtDebug"));
    txtDebug_->setReadOnly(true);
    txtDebug_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDebug_->setGeometry(0, 0, width(), Px(1215)); // at the top, as wide as the window
    Paint(txtDebug_, QPalette::Base, QColor(255, 255, 128));

    auto box = [this](const char* name, QRect geometry) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(geometry);
        return edit;
    };
    txtAccount_ = box("txtAccount", TwipsRect(3840, 1440, 2535, 285));
    txtSavings_ = box("txtSavings", TwipsRect(3840, 1800, 2535, 285));
    txtIndex_ = box("txtIndex", TwipsRect(3840, 2160, 495, 375));
    txtIndex_->setReadOnly(true);

    auto button = [this](const char* name, const char* caption, QRect geometry) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(geometry);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* previous = button("cmdPrevRec", "<", TwipsRect(3840, 2640, 375, 375));
    QPushButton* current = button("cmdCurRec", "C", TwipsRect(4200, 2640, 375, 375));
    QPushButton* next = button("cmdNextRec", ">", TwipsRect(4560, 2640, 375, 375));
    QPushButton* setCurrent =
        button("cmdSetCurrRec", "Set As GCNum", TwipsRect(5040, 2280, 1335, 375));
    QPushButton* save = button("cmdSaveChanges", "Save Changes", TwipsRect(5040, 2640, 1335, 375));
    QPushButton* newRecord = button("cmdNewRecord", "New Record", TwipsRect(5040, 3120, 1335, 375));
    QPushButton* deleteRecord =
        button("cmdDelRecord", "Delete Record", TwipsRect(5040, 3480, 1335, 375));
    QWidget* order[] = {txtDebug_, txtAccount_, txtSavings_, txtIndex_,  previous,    next,
                        current,   save,        newRecord,   setCurrent, deleteRecord};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    auto showIfAny = [this](const std::optional<RecordView>& view) {
        if (view) {
            ShowView(*view);
        }
    };
    connect(current, &QPushButton::clicked, this,
            [this] { ShowView(ShowCurrentRecord(editor_, bank_)); });
    connect(next, &QPushButton::clicked, this,
            [=, this] { showIfAny(ShowNextRecord(editor_, bank_)); });
    connect(previous, &QPushButton::clicked, this,
            [=, this] { showIfAny(ShowPreviousRecord(editor_, bank_)); });
    connect(newRecord, &QPushButton::clicked, this,
            [=, this] { showIfAny(NewRecord(editor_, bank_)); });
    connect(save, &QPushButton::clicked, this, [this] {
        SaveRecordChanges(editor_, bank_, txtAccount_->text().toStdString(),
                          txtSavings_->text().toStdString());
    });
    connect(setCurrent, &QPushButton::clicked, this, [this] {
        const CurrentAccountChange change = SetAsGCNum(editor_, bank_);
        emit currentAccountChanged(ToQString(change.lblCurrentAccount),
                                   ToQString(change.lblSavings));
        txtDebug_->setPlainText(ToQString(change.txtDebug));
    });
    connect(deleteRecord, &QPushButton::clicked, this, [this] {
        if (const auto outcome = DeleteRecord(editor_, bank_)) {
            if (outcome->boxes) {
                ShowBoxes(*outcome->boxes);
            }
            txtDebug_->setPlainText(ToQString(outcome->txtDebug));
        }
    });

    // The load step.
    const EditorStart start = StartRecordEditor(editor_, bank_);
    ShowView(start.view);
    txtDebug_->setPlainText(ToQString(start.txtDebug));
    Field("lblAppPath")->setText(bankFilePath);
}

QLabel* DebugConsole::Field(const char* name) const {
    return findChild<QLabel*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void DebugConsole::ShowBoxes(const RecordBoxes& boxes) {
    txtAccount_->setText(ToQString(boxes.txtAccount));
    txtSavings_->setText(ToQString(boxes.txtSavings));
}

void DebugConsole::ShowView(const RecordView& view) {
    ShowBoxes(view.boxes);
    txtIndex_->setText(ToQString(view.txtIndex));
}

void DebugConsole::ShowHand(const Evaluation& evaluation, const Settlement& settlement) {
    for (int i = 0; i < HandSize; ++i) {
        Field(QStringLiteral("lblCV%1").arg(i + 1).toLatin1().constData())
            ->setText(QString::number(evaluation.values[i]));
        Field(QStringLiteral("lblCS%1").arg(i + 1).toLatin1().constData())
            ->setText(QString::number(evaluation.suits[i]));
    }
    if (evaluation.testsRan) {
        Field("lblFAdd")->setText(QString::number(evaluation.straight.FAdd));
        Field("lblLNum")->setText(
            QStringLiteral("%1, %2").arg(evaluation.straight.LNum).arg(evaluation.straight.SubNum));
    }
    Field("lblWinHand")->setText(QString::number(static_cast<int>(settlement.category)));
    Field("lblMoney")->setText(QString::number(settlement.moneyBefore));
    Field("lblBet")->setText(QString::number(settlement.bet));
    Field("lblWon")->setText(QString::number(settlement.paid));
    if (evaluation.testsRan) {
        txtDebug_->setPlainText(ToQString(evaluation.trace));
    }
}

} // namespace corvanta
