#include "ui/frmOptions/OptionsWindow.h"

#include "engine/Table.h"
#include "ui/Twips.h"
#include "ui/basCards/basCards.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace corvanta {
namespace {

constexpr int BackMode = 1;
constexpr int PictureWidth = 1065, PictureHeight = 1440;
constexpr int FrameMargin = 30, FrameWidth = 1140, FrameHeight = 1515;

// Seven pictures in the top row, six below, 1200 twips apart.
constexpr QPoint PictureTopLeft(int picture) {
    const int row = picture <= 7 ? 0 : 1;
    const int column = picture <= 7 ? picture - 1 : picture - 8;
    return {120 + 1200 * column, row == 0 ? 120 : 1680};
}

void Paint(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// BG1 ... BG13: one card back each.
class BackPicture : public QWidget {
public:
    BackPicture(CardDrawing& cards, int picture, OptionsWindow* window)
        : QWidget(window), cards_(cards), picture_(picture), window_(window) {
        setObjectName(QStringLiteral("BG%1").arg(picture));
        setAccessibleName(QStringLiteral("Card back %1").arg(picture));
        setFocusPolicy(Qt::StrongFocus);
        Paint(this, QColor(0, 128, 0));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        cards_.cdtDraw(painter, 0, 0, 52 + picture_, BackMode, Qt::white);
        if (hasFocus()) {
            painter.setPen(QPen(QColor(255, 255, 0), 2, Qt::DotLine));
            painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 4, 4);
        }
    }
    void mousePressEvent(QMouseEvent*) override { window_->SelectBack(picture_); }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space) {
            window_->SelectBack(picture_);
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    CardDrawing& cards_;
    int picture_;
    OptionsWindow* window_;
};

} // namespace

OptionsWindow::OptionsWindow(Table& table, CardDrawing& cards, QWidget* owner)
    : QDialog(owner), table_(table) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Game Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(8520), Px(3765));
    Paint(this, QColor(0, 128, 128));

    QWidget* previous = nullptr;
    for (int picture = 1; picture <= BackCount; ++picture) {
        const QPoint at = PictureTopLeft(picture);
        auto* frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("shpBG_%1").arg(picture - 1));
        frame->setGeometry(
            TwipsRect(at.x() - FrameMargin, at.y() - FrameMargin, FrameWidth, FrameHeight));
        Paint(frame, QColor(255, 255, 0));
        frames_[picture - 1] = frame;
        auto* back = new BackPicture(cards, picture, this);
        back->setGeometry(TwipsRect(at.x(), at.y(), PictureWidth, PictureHeight));
        if (previous != nullptr) {
            setTabOrder(previous, back);
        }
        previous = back;
    }
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setGeometry(TwipsRect(6960, 3240, 1455, 375));
    close->setDefault(true);
    setTabOrder(previous, close);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    HideFrames(); // the window opens with no frame, whichever back is in use
}

void OptionsWindow::HideFrames() {
    for (QWidget* frame : frames_) {
        frame->hide();
    }
}

void OptionsWindow::SelectBack(int picture) {
    HideFrames();
    frames_[picture - 1]->show();
    table_.OptionsCardBG = static_cast<std::int16_t>(52 + picture);
}

void RunOptions(Table& table, CardDrawing& cards, QWidget* owner) {
    OptionsWindow window(table, cards, owner);
    window.exec(); // Close and the close box both end here with the last pick kept
    if (table.OptionsCardBG != table.CardBG) {
        table.CardBG = table.OptionsCardBG;
    }
}

} // namespace corvanta
