#include "ui/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

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

bool AskYesNo(QWidget* parent, const QString& title, const QString& text, YesNo byDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
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
