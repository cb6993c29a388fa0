#include "ui/frmAccount/AccountWindow.h"

#include "bank/AccountEditor.h"
#include "ui/Dialogs.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvanta {
namespace {

constexpr QColor Salmon(255, 128, 128);
constexpr int NameBoxLength = 25; // more than the 20 the name keeps: the rest is cut when stored

constexpr LabelRow Captions[] = {
    {"lblAccountNameC_0", {120, 360, 1110, 195}, "Account Name:"},
    {"lblAccountEditC_1", {1080, 960, 735, 195}, "Password:"},
    {"lblAccountEditC_7", {240, 1320, 1590, 195}, "Again for Confirmation:"},
};
constexpr Twips NameLine{120, 720, 3840, 0};
constexpr Twips NameBox{1320, 240, 2655, 285};
constexpr Twips PasswordBoxes[] = {{2040, 840, 1935, 285}, {2040, 1200, 1935, 285}};
constexpr Twips ApplyButton{2400, 1680, 1575, 375};
constexpr Twips CancelButton{120, 1680, 1575, 375};

} // namespace

AccountWindow::AccountWindow(GameModel& model, QWidget* owner) : QDialog(owner), model_(model) {
    setObjectName(QStringLiteral("frmAccount"));
    setWindowTitle(QStringLiteral("Edit Account"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(4095), Px(2160));
    PaintBackground(this, Salmon);
    for (const LabelRow& row : Captions) {
        GrowToText(AddLabel(this, row)); // each still ends left of its box
    }
    AddLine(this, "Line1", NameLine);

    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtName_->setGeometry(ToPixels(NameBox));
    txtName_->setMaxLength(NameBoxLength);
    for (int i = 0; i < 2; ++i) {
        txtPW_[i] = new QLineEdit(this);
        txtPW_[i]->setObjectName(QStringLiteral("txtPW_%1").arg(i));
        txtPW_[i]->setGeometry(ToPixels(PasswordBoxes[i]));
        txtPW_[i]->setMaxLength(static_cast<int>(PasswordWidth));
        txtPW_[i]->setEchoMode(QLineEdit::Password); // also keeps input methods away
        txtPW_[i]->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    }
    auto* apply = new QPushButton(QStringLiteral("Save Changes"), this);
    apply->setObjectName(QStringLiteral("cmdApply"));
    apply->setGeometry(ToPixels(ApplyButton));
    apply->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(ToPixels(CancelButton));
    cancel->setAutoDefault(false);
    setTabOrder(txtName_, txtPW_[0]);
    setTabOrder(txtPW_[0], txtPW_[1]);
    setTabOrder(txtPW_[1], apply);
    setTabOrder(apply, cancel);
    connect(apply, &QPushButton::clicked, this, &AccountWindow::SaveChanges);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject); // Esc lands here too

    txtName_->setText(model_.AccountName());
}

void AccountWindow::SaveChanges() {
    const EditOutcome outcome =
        model_.SaveAccountChanges(txtName_->text(), txtPW_[0]->text(), txtPW_[1]->text());
    switch (outcome.status) {
    case EditStatus::Saved:
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
