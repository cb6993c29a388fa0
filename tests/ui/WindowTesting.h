#pragma once
// What the window tests share: the game's two folders in one test::TempFolder, the real main
// window on scripted cards, what a control shows, and answers to the dialogs a command opens.

#include "cards/basCards.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"
#include "ui/GameModel.h"
#include "ui/frmPoker/MainWindow.h"

#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <concepts>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace corvanta::test {

// The program folder, which holds the bank, and the settings folder of one game.
struct GameFiles {
    GameFiles();
    GameFolders Folders() const { return {.bank = program, .config = config}; }
    std::string Bank() const { return ReadBytes(program + "/gbank.db"); }
    std::string Settings() const { return ReadBytes(config + "/corvanta/settings.reg"); }

    TempFolder root;
    std::string program = root / "program";
    std::string config = root / "config";
};

// A record of gbank.db: the name padded to 20 bytes, the password to 8 (NULs when none was
// ever set), the savings, rounds played, won and lost, and amounts won and lost, little-endian.
std::string Record(const std::string& name, std::int32_t savings, std::int16_t played = 0,
                   std::int16_t won = 0, std::int16_t lost = 0, std::int32_t amountWon = 0,
                   std::int32_t amountLost = 0, const std::string& password = {});

// The card library, scripted cards and the game model of one game.
struct TestGame {
    explicit TestGame(GameFolders folders) : model(std::move(folders), random) {}
    CardDrawing cards;
    ScriptedRandom random;
    GameModel model;
};

// A control by its object name, in `window` or else among the top-level windows and in them; and
// what it shows: a window's title, the text of a label, a box or a button, a frame's title, a
// menu entry's caption, a
// table's cells ("; " between them, " / " between rows), else its accessible name and
// description; then " (off)" when disabled, " (checked)" for a checked entry; or "hidden", or
// "<none>".
// `placed` adds "@" and its place in its window's client area, or a menu entry's shortcut.
QObject* Find(QWidget& window, const char* name);
QString Look(QWidget& window, const char* name, bool placed = false);
// Checks "name=look | name=look@place ...".
void ExpectLooks(QWidget& window, const QString& looks);

// The game's window of that object name, or nullptr; those closed before are deleted first,
// as the event loop would have done.
QWidget* TopLevel(const char* objectName);

// An answer to a modal dialog: the caption of a message box's button to press, a prompt's text
// to type (Cancel cancels it), or work to do in any other dialog.
struct Answer {
    Answer(const char* text) : text(QString::fromUtf8(text)) {}
    template <std::invocable<QWidget&> Work> Answer(Work work) : work(std::move(work)) {}
    QString text;
    std::function<void(QWidget&)> work;
};
inline const char* const Cancel = "<Cancel>";

// While it lives, answers the modal dialogs in order (those beyond the answers by OK or
// Cancel), and writes down what each said: "title: text", a prompt's default text after
// " | ", "\n" between dialogs.
class DialogAnswers {
public:
    explicit DialogAnswers(std::vector<Answer> answers = {});
    std::vector<Answer> answers;
    std::string said;

private:
    QTimer timer_;
    QWidget* busy_ = nullptr; // the dialog whose work is under way
};

// The real main window on the test's own folders.
class GameTest : public ::testing::Test {
public: // for the lambdas of the tests' tables
    // gbank.db, and the settings: card back 63, account 1 and the cash.
    void Prepare(const std::string& bank, std::int32_t cash = 100);
    void Start();   // the start-up runs, the window shows and is active
    void Restart(); // the orderly exit, which saves, and a new start

    // An action of a test's table, and what the windows show after it, what its dialogs said
    // (nothing: no dialog), gbank.db's bytes and a line of settings.reg (when given); a step
    // must expect something beyond silence, in these or by an `expect` of its script, and an
    // empty text is expected only as "name=". The action is `act`, then the
    // script: commands split by "; ", each a verb and its words:
    //   click NAME...      a button or a card clicked, or a menu entry, in any window
    //   type BOX TEXT      a box's text set; keyclicks BOX TEXT: typed key by key
    //   keys SEQUENCE      pressed in the main window; press NAME SEQUENCE: on that control;
    //                      hit SEQUENCE: where the focus is, as a player's next key
    //   answer TEXT        the next dialog's answer (see Answer)
    //   bet AMOUNT         the bet box's text and a click on Bet
    //   deal CARD...       the cards dealt next ("8C", "TD", "AS"), then a click on Deal;
    //                      cards CARD...: the cards alone
    //   expect LOOKS       what the windows show now (see ExpectLooks)
    //   close WINDOW       a window closed, as its close box does
    //   restart            the orderly exit and a new start
    struct Step {
        const char* what;
        const char* script;
        std::string looks = {};
        std::string said = {};
        std::string bank = {};
        const char* settings = "";
        std::function<void(GameTest&)> act = nullptr;
    };
    void Run(const std::vector<Step>& steps);
    void Do(const char* script);
    // The answers to the dialogs of the step under way; an answer that runs a script.
    void Answers(std::vector<Answer> answers) { answering_->answers = std::move(answers); }
    Answer Doing(const char* script) {
        return [this, script](QWidget&) {
            Do(script);
        };
    }

    // What a card picture (slot 0..4) shows, and what the library draws on the table's green.
    QImage Shown(int slot);
    QImage Drawn(int card, int mode);

    GameFiles files;
    std::unique_ptr<TestGame> game;
    std::unique_ptr<MainWindow> window;

private:
    DialogAnswers* answering_ = nullptr;
};

} // namespace corvanta::test
