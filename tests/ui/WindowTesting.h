#pragma once
// What the window tests share: the game's two folders in one test::TempFolder, the real main
// window on scripted cards, what a control shows, and answers to the dialogs a command opens.

#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"
#include "ui/GameModel.h"
#include "ui/basCards/basCards.h"
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
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
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

// A control by its object name, in `window` or else in the other top-level windows; and what
// it shows: a label's or a box's text; "on" or "off" for a button or a menu entry ("checked"
// when checked); a table's cells ("; " between them, " / " between rows); else its accessible
// name and description, and " (off)" when disabled; "hidden" when hidden.
QObject* Find(QWidget& window, const char* name);
QString Look(QWidget& window, const char* name);
// Checks "name=look | name=look ...".
void ExpectLooks(QWidget& window, const QString& looks);
// Checks "name=caption | ...", or "name=caption@left,top,width,height" with the place from
// `origin`'s corner, or for a menu entry "name=caption@shortcut".
void ExpectCaptions(QWidget& origin, const char* expected);

// The game's window of that object name, shown or hidden, or nullptr; windows closed before
// are deleted first, as the event loop would have done.
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
};

// The real main window on the test's own folders.
class GameTest : public ::testing::Test {
public: // for the lambdas of the tests' tables
    // gbank.db, and the settings: card back 63, account 1 and the cash.
    void Prepare(const std::string& bank, std::int32_t cash = 100);
    void Start();   // the start-up runs, the window shows and is active
    void Restart(); // the orderly exit, which saves, and a new start

    // An action of a test's table, and what the windows show after it, what its dialogs said,
    // gbank.db's bytes and a line of settings.reg (when given).
    struct Step {
        const char* what;
        std::function<void(GameTest&)> act;
        std::string looks = {};
        std::string said = {};
        std::string bank = {};
        const char* settings = "";
    };
    void Run(const std::vector<Step>& steps);
    // The answers to the dialogs of the step under way.
    void Answers(std::vector<Answer> answers) { answering_->answers = std::move(answers); }

    // A click on a button or a card, or a menu entry triggered, in any window (see Find).
    void Click(const char* name);
    void Type(const char* box, const char* text);
    // Keys pressed in the main window, or on a control of any window given the focus.
    void Keys(const char* keys, const char* control = nullptr);
    // A deal of these cards (after a bet by the Bet button), or a draw of these.
    void Deal(const FiveCards& cards);
    void BetAndDeal(const FiveCards& cards, const char* bet = "5");
    void Draw(std::initializer_list<int> cards = {});

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
