#include "ui/frmOptions/OptionsWindow.h"

#include "cards/basCards.h"
#include "engine/Table.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace corvanta {
namespace {

constexpr QColor Teal(0, 128, 128);
constexpr int FrameMargin = 30;

// Seven pictures in the top row, six below, 1200 twips apart; each has a yellow frame
// around it that shows while it is the choice.
constexpr Twips PicturePlace(int picture) {
    const int row = picture <= 7 ? 0 : 1;
    const int column = picture <= 7 ? picture - 1 : picture - 8;
    return {120 + 1200 * column, row == 0 ? 120 : 1680, 1065, 1440};
}
constexpr Twips FramePlace(int picture) {
    const Twips at = PicturePlace(picture);
    return {at.left - FrameMargin, at.top - FrameMargin, 1140, 1515};
}
constexpr Twips CloseButton{6960, 3240, 1455, 375};

// BG1 ... BG13: one card back each.
class BackPicture : public QWidget {
public:
    BackPicture(CardDrawing& cards, int picture, OptionsWindow* window)
        : QWidget(window), cards_(cards), picture_(picture), window_(window) {
        setObjectName(QStringLiteral("BG%1").arg(picture));
        setAccessibleName(QStringLiteral("Card back %1").arg(picture));
        setFocusPolicy(Qt::StrongFocus);
        PaintBackground(this, TableGreen);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        cards_.cdtDraw(painter, 0, 0, BackOfPicture(picture_), CardDrawing::Back, Qt::white);
        if (hasFocus()) {
            DrawFocusRing(painter, rect());
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

OptionsWindow::OptionsWindow(GameModel& model, CardDrawing& cards, QWidget* owner)
    : QDialog(owner), model_(model) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Game Options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(8520), Px(3765));
    PaintBackground(this, Teal);

    QWidget* previous = nullptr;
    for (int picture = 1; picture <= BackCount; ++picture) {
        auto* frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("shpBG_%1").arg(picture - 1));
        frame->setGeometry(ToPixels(FramePlace(picture)));
        PaintBackground(frame, Yellow);
        frames_[picture - 1] = frame;
        auto* back = new BackPicture(cards, picture, this);
        back->setGeometry(ToPixels(PicturePlace(picture)));
        if (previous != nullptr) {
            setTabOrder(previous, back);
        }
        previous = back;
    }
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setGeometry(ToPixels(CloseButton));
    close->setDefault(true);
    setTabOrder(previous, close);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // The window opens with the back in use framed, as the choice that Close keeps.
    HideFrames();
    frames_[PictureOfBack(model.BackInUse()) - 1]->show();
}

void OptionsWindow::HideFrames() {
    for (QWidget* frame : frames_) {
        frame->hide();
    }
}

void OptionsWindow::SelectBack(int picture) {
    HideFrames();
    frames_[picture - 1]->show();
    model_.ChooseBack(picture);
}

} // namespace corvanta
