#include "bank/frmAccount/AccountWindow.h"

#include "bank/Accounts.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvanta {
namespace {

constexpr int NameBoxLength = 25; // more than the 20 the name keeps: the rest is cut when stored
constexpr int PasswordLength = 8;

} // namespace

AccountWindow::AccountWindow(Bank& bank, QWidget* owner) : QDialog(owner), bank_(bank) {
    setObjectName(QStringLiteral("frmAccount"));
    setWindowTitle(QStringLiteral("Edit Account"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(4095), Px(2160));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(255, 128, 128));
    setPalette(palette);
    setAutoFillBackground(true);

    auto label = [this](const char* name, const char* caption, QRect geometry) {
        auto* l = new QLabel(QString::fromLatin1(caption), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        GrowToText(l); // each still ends left of its box
    };
    label("lblAccountNameC_0", "Account Name:", TwipsRect(120, 360, 1110, 195));
    label("lblAccountEditC_1", "Password:", TwipsRect(1080, 960, 735, 195));
    label("lblAccountEditC_7", "Again for Confirmation:", TwipsRect(240, 1320, 1590, 195));

    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(Px(120), Px(720), Px(3960) - Px(120), 1);
    QPalette black = line->palette();
    black.setColor(QPalette::Window, Qt::black);
    line->setPalette(black);
    line->setAutoFillBackground(true);

    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtName_->setGeometry(TwipsRect(1320, 240, 2655, 285));
    txtName_->setMaxLength(NameBoxLength);
    const QRect passwordBoxes[] = {TwipsRect(2040, 840, 1935, 285),
                                   TwipsRect(2040, 1200, 1935, 285)};
    for (int i = 0; i < 2; ++i) {
        txtPW_[i] = new QLineEdit(this);
        txtPW_[i]->setObjectName(QStringLiteral("txtPW_%1").arg(i));
        txtPW_[i]->setGeometry(passwordBoxes[i]);
        txtPW_[i]->setMaxLength(PasswordLength);
        txtPW_[i]->setEchoMode(QLineEdit::Password); // also keeps input methods away
        txtPW_[i]->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    }
    auto* apply = new QPushButton(QStringLiteral("Save Changes"), this);
    apply->setObjectName(QStringLiteral("cmdApply"));
    apply->setGeometry(TwipsRect(2400, 1680, 1575, 375));
    apply->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(TwipsRect(120, 1680, 1575, 375));
    cancel->setAutoDefault(false);
    setTabOrder(txtName_, txtPW_[0]);
    setTabOrder(txtPW_[0], txtPW_[1]);
    setTabOrder(txtPW_[1], apply);
    setTabOrder(apply, cancel);
    connect(apply, &QPushButton::clicked, this, &AccountWindow::SaveChanges);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject); // Esc lands here too

    txtName_->setText(ToQString(TrimmedText(CurrentAccount(bank_).Name)));
}

void AccountWindow::SaveChanges() {
    const EditOutcome outcome =
        SaveAccountChanges(bank_, txtName_->text().toStdString(), txtPW_[0]->text().toStdString(),
                           txtPW_[1]->text().toStdString());
    switch (outcome.status) {
    case EditStatus::Saved:
        emit accountCaptionChanged(ToQString(outcome.accountCaption));
        accept();
        return;
    case EditStatus::BlankName:
        ShowMessage(this, ToQString(EditAccountTitle), ToQString(outcome.message));
        txtName_->setText(ToQString(outcome.restoredName));
        return;
    case EditStatus::PasswordMismatch:
        ShowMessage(this, ToQString(EditAccountTitle), ToQString(outcome.message));
        txtPW_[0]->clear();
        txtPW_[1]->clear();
        return;
    }
}

} // namespace corvanta
