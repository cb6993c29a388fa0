#pragma once
// Helpers for window tests: temporary folders, a game with scripted cards, and answers
// to the modal dialogs a command opens.

#include "support/ScriptedRandom.h"
#include "ui/GameModel.h"
#include "ui/basCards/basCards.h"
#include "ui/frmPoker/CardPicture.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <ostream>

// Readable strings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace corvanta::test {

// A program folder and a settings folder of their own, removed after the test.
struct TempFolders {
    QTemporaryDir program;
    QTemporaryDir config;
    std::string ProgramFolder() const { return program.path().toStdString(); }
    std::string ConfigFolder() const { return config.path().toStdString(); }
    QString BankPath() const { return program.filePath(QStringLiteral("gbank.db")); }
};

// The game a window test runs: scripted cards and the game model on the test's folders.
struct TestGame {
    explicit TestGame(const TempFolders& folders)
        : TestGame(GameFolders{.bank = folders.ProgramFolder(), .config = folders.ConfigFolder()}) {
    }
    explicit TestGame(GameFolders folders) : model(std::move(folders), random) {}
    CardDrawing cards;
    ScriptedRandom random;
    GameModel model;
};

// A test of the real main window on folders of its own.
class GameTest : public ::testing::Test {
protected:
    // Writes the bank (account names and savings) and the cash the game will start from.
    void Prepare(std::initializer_list<std::pair<const char*, std::int32_t>> accounts,
                 std::int32_t cash = 100);
    // Starts the game: its start-up runs, the window is shown and active.
    void Start();
    // Exits the game the orderly way (saving) and starts it again.
    void Restart();

    QPushButton* Button(const char* name);
    void Click(const char* name);
    QString Text(const char* labelName);

    // The card picture of a slot (0..4), whether "DISCARD" shows under it, what it shows
    // when painted now, and what the card library draws for a card in a mode.
    CardPicture* CardAt(int slot);
    bool DiscardShown(int slot);
    QImage Shown(int slot);
    QImage Drawn(int card, int mode);

    TempFolders folders;
    std::unique_ptr<TestGame> session;
    std::unique_ptr<MainWindow> window;
};

// Runs `answer` on the next modal dialog that opens (a message box, a prompt), from the
// event loop that the dialog itself runs. Gives up after a few seconds.
void AnswerNextDialog(std::function<void(QWidget* dialog)> answer);

// What a dialog said, for the test to check after the command has returned.
struct SeenMessage {
    QString title;
    QString text;
    QString defaultText; // a prompt's pre-filled answer
    bool seen = false;
};

// One answer to one dialog; AnswerDialogs answers the next dialogs in order.
using DialogStep = std::function<void(QWidget* dialog)>;
DialogStep PressInMessageBox(const QString& buttonText, std::shared_ptr<SeenMessage> seen = {});
DialogStep TypeInPrompt(const QString& text, std::shared_ptr<SeenMessage> seen = {},
                        bool cancel = false);
void AnswerDialogs(std::vector<DialogStep> steps);

// One-step forms: answer the next message box or prompt and report what it said.
std::shared_ptr<SeenMessage> AnswerMessageBox(const QString& buttonText = QStringLiteral("OK"));
std::shared_ptr<SeenMessage> AnswerPrompt(const QString& text, bool cancel = false);

template <typename T = QWidget> T* Find(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

QString Caption(QWidget& window, const char* labelName);

// The game's window of that object name among the top-level windows (frmDebug, frmHelp,
// frmAdvisor), shown or hidden; nullptr when there is none. Windows closed before are deleted
// first, as the event loop would have done.
QWidget* TopLevelWindow(const char* objectName);
template <typename T> T* TopLevel(const char* objectName) {
    return qobject_cast<T*>(TopLevelWindow(objectName));
}

// Presses a shortcut in the window as a player would. A closed dialog does not hand the
// activation back on the offscreen platform, so the window is activated first.
void PressKeys(QWidget& window, const QKeySequence& keys);

} // namespace corvanta::test
