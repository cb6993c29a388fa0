#pragma once
// frmDebug, the developer's console: what the engine saw in the last hand, and a raw
// editor of the account table. Opened by the invisible spot and the access code
// (game/DebugAccess.h); created hidden by the first hand evaluated while it is not loaded.

#include "bank/RecordEditor.h"
#include "engine/Cards.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvanta {

class GameModel;
struct DealReport;

class DebugConsole : public QWidget {
    Q_OBJECT
public:
    explicit DebugConsole(GameModel& model);

    // What one evaluation and its settlement write into the fields.
    void ShowHand(const DealReport& report);

private:
    void BuildLabels();
    void BuildEditor();
    void ConnectEditor();
    void ShowView(const RecordView& view);
    void ShowRecord(const RecordText& record);

    GameModel& model_;
    RecordEditor editor_;
    QPlainTextEdit* txtDebug_ = nullptr;
    QLineEdit* txtAccount_ = nullptr;
    QLineEdit* txtSavings_ = nullptr;
    QLineEdit* txtIndex_ = nullptr;
    QLabel* lblMoney_ = nullptr;
    QLabel* lblBet_ = nullptr;
    QLabel* lblWon_ = nullptr;
    QLabel* lblWinHand_ = nullptr;
    QLabel* lblFAdd_ = nullptr;
    QLabel* lblLNum_ = nullptr;
    QLabel* lblAppPath_ = nullptr;
    std::array<QLabel*, HandSize> lblCV_{};
    std::array<QLabel*, HandSize> lblCS_{};
    QPushButton* cmdPrevRec_ = nullptr;
    QPushButton* cmdCurRec_ = nullptr;
    QPushButton* cmdNextRec_ = nullptr;
    QPushButton* cmdSetCurrRec_ = nullptr;
    QPushButton* cmdSaveChanges_ = nullptr;
    QPushButton* cmdNewRecord_ = nullptr;
    QPushButton* cmdDelRecord_ = nullptr;
};

} // namespace corvanta
