#pragma once
// frmAccount, the account editor: renames the current account and sets its password.
// The one window that lives with the bank; it is built into the window library, not the core.

#include <QDialog>

class QLineEdit;

namespace corvanta {

class GameModel;

class AccountWindow : public QDialog {
    Q_OBJECT
public:
    AccountWindow(GameModel& model, QWidget* owner);

private:
    void SaveChanges();

    GameModel& model_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtPW_[2] = {};
};

} // namespace corvanta
