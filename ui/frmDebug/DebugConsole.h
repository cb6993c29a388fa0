#pragma once
// frmDebug, the developer's console: what the engine saw in the last hand, and a raw
// editor of the account table. Opened by the invisible spot and the access code; created
// hidden by the first hand evaluated while it is not loaded.

#include "bank/RecordEditor.h"

#include <QWidget>

#include <string_view>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace corvanta {

struct Bank;
struct Evaluation;
struct Settlement;

inline constexpr std::string_view DebugAccessCode = "larkspurs";

class DebugConsole : public QWidget {
    Q_OBJECT
public:
    DebugConsole(Bank& bank, const QString& bankFilePath);

    // What one evaluation and its settlement write into the fields.
    void ShowHand(const Evaluation& evaluation, const Settlement& settlement);

signals:
    // "Set As GCNum": the main window's account name and savings captions.
    void currentAccountChanged(const QString& lblCurrentAccount, const QString& lblSavings);

private:
    void ShowView(const RecordView& view);
    void ShowBoxes(const RecordBoxes& boxes);
    QLabel* Field(const char* name) const;

    Bank& bank_;
    RecordEditor editor_;
    QPlainTextEdit* txtDebug_ = nullptr;
    QLineEdit* txtAccount_ = nullptr;
    QLineEdit* txtSavings_ = nullptr;
    QLineEdit* txtIndex_ = nullptr;
};

} // namespace corvanta
