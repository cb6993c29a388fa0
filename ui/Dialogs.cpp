#include "ui/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

namespace corvanta {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).remove(QChar(u'\0'));
}

QString MoneyText(const Money& money) {
    const QString digits = QString::number(money.amount);
    switch (money.form) {
    case MoneyForm::Dollars:
        break;
    case MoneyForm::SpacedDollars:
        return (money.amount >= 0 ? QStringLiteral("$ ") : QStringLiteral("$")) + digits;
    case MoneyForm::Plain:
        return digits;
    }
    return QStringLiteral("$") + digits;
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

namespace {

// A message box that goes where it is told once it knows its size, before it is on the screen.
class PlacedMessageBox : public QMessageBox {
public:
    PlacedMessageBox(const QString& title, const QString& text, QWidget* parent,
                     const BoxPlace& place)
        : QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent),
          place_(place) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // sizes the box
        if (place_) {
            move(place_(size()));
        }
    }

private:
    const BoxPlace& place_;
};

} // namespace

QPoint PlaceClearOf(const QRect& keepClear, QSize size, const QRect& screen) {
    constexpr int Gap = 8;
    const int centredLeft = keepClear.center().x() - size.width() / 2;
    auto onScreen = [&](QPoint corner) {
        const int right = screen.right() - size.width() + 1;
        const int bottom = screen.bottom() - size.height() + 1;
        return QPoint(std::clamp(corner.x(), screen.left(), std::max(screen.left(), right)),
                      std::clamp(corner.y(), screen.top(), std::max(screen.top(), bottom)));
    };
    const QPoint below(centredLeft, keepClear.bottom() + 1 + Gap);
    if (below.y() + size.height() <= screen.bottom() + 1) {
        return onScreen(below);
    }
    const QPoint above(centredLeft, keepClear.top() - Gap - size.height());
    if (above.y() >= screen.top()) {
        return onScreen(above);
    }
    const QPoint right(keepClear.right() + 1 + Gap, keepClear.top());
    if (right.x() + size.width() <= screen.right() + 1) {
        return onScreen(right);
    }
    const QPoint left(keepClear.left() - Gap - size.width(), keepClear.top());
    return onScreen(left.x() >= screen.left() ? left : below);
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text, YesNo byDefault,
              const BoxPlace& place) {
    PlacedMessageBox box(title, text, parent, place);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault == YesNo::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString AskText(QWidget* parent, const QString& title, const QString& prompt,
                const QString& defaultText) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

Answer AskPlayer(QWidget* parent, const Question& question) {
    const QString title = ToQString(question.title);
    const QString text = ToQString(question.text);
    switch (question.kind) {
    case Question::Kind::Text:
        return {AskText(parent, title, text, ToQString(question.defaultText)).toStdString()};
    case Question::Kind::YesNo:
        return {{}, AskYesNo(parent, title, text)};
    case Question::Kind::Message:
        ShowMessage(parent, title, text);
        break;
    case Question::Kind::None:
        break;
    }
    return {};
}

} // namespace corvanta
