#pragma once
// frmAccount, the account editor: renames the current account and sets its password.
// The one window that lives with the bank; it is built into the window library, not the core.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace corvanta {

struct Bank;

class AccountWindow : public QDialog {
    Q_OBJECT
public:
    AccountWindow(Bank& bank, QWidget* owner);

signals:
    // A valid name (and a matching or empty password) was stored.
    void accountCaptionChanged(const QString& lblCurrentAccount);

private:
    void SaveChanges();

    Bank& bank_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtPW_[2] = {};
};

} // namespace corvanta
