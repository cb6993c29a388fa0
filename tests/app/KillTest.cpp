// The real window played and killed: rounds and bank commands clicked in the game's own
// window, in a child process that the test ends with SIGKILL at a random moment. The next
// start finds the bank and the settings exactly as an orderly exit at the last save point
// would have left them, byte for byte.
#include "bank/BankFile.h"
#include "game/GameSession.h"
#include "settings/Settings.h"
#include "settings/basRegistry.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/basCards/basCards.h"
#include "ui/frmPoker/MainWindow.h"

#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::Card;
using test::ScriptedRandom;

// One command as the player clicks it, and the same command through the game's core.
struct Step {
    std::function<void(QWidget& window)> click;
    std::function<void(GameSession& game)> play;
};

void Click(QWidget& window, const char* name) {
    QTest::mouseClick(window.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
}

void Type(QWidget& window, const char* box, const char* text) {
    window.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromLatin1(text));
}

// Two rounds with the bank commands between them; every step is a save point.
const std::vector<Step>& Script() {
    static const std::vector<Step> steps = {
        {[](QWidget& w) { Click(w, "cmdAddBet"); },
         [](GameSession& g) {
             g.Bet("5");
         }},
        {[](QWidget& w) { Click(w, "cmdDeal"); },
         [](GameSession& g) {
             g.Deal();
         }},
        {[](QWidget& w) { Click(w, "Card2"); },
         [](GameSession& g) {
             g.ToggleDiscard(1);
         }},
        {[](QWidget& w) { Click(w, "cmdDeal"); },
         [](GameSession& g) {
             g.Deal();
         }},
        {[](QWidget& w) { Type(w, "txtBank", "20"), Click(w, "cmdDeposit"); },
         [](GameSession& g) {
             g.Deposit("20");
         }},
        {[](QWidget& w) { Type(w, "txtBank", "7"), Click(w, "cmdWithdrawCash"); },
         [](GameSession& g) {
             g.Withdraw("7", AmountSource::BankBox);
         }},
        {[](QWidget& w) { Click(w, "cmdClearStats"); },
         [](GameSession& g) {
             g.ClearStatistics();
         }},
        {[](QWidget& w) { Type(w, "txtBet", "30"), Click(w, "cmdAddBet"); },
         [](GameSession& g) {
             g.Bet("30");
         }},
        {[](QWidget& w) { Click(w, "cmdDeal"); },
         [](GameSession& g) {
             g.Deal();
         }},
        {[](QWidget& w) { Click(w, "cmdDeal"); },
         [](GameSession& g) {
             g.Deal();
         }},
    };
    return steps;
}

void AddCards(ScriptedRandom& random) {
    random.Add({Card(8, 1), Card(8, 2), Card(3, 3), Card(8, 4), Card(12, 3), Card(3, 2)});
    random.Add({Card(2, 1), Card(5, 2), Card(7, 3), Card(9, 4), Card(13, 1)});
}

GameFolders FoldersIn(const test::TempFolder& folder) {
    return {.bank = folder / "data", .config = folder / "config"};
}

void Prepare(const test::TempFolder& folder) {
    Bank bank;
    bank.AccountCount = 1;
    AssignText(bank.AccountTable[1].Name, "Player");
    bank.AccountTable[1].Savings = 300;
    ::mkdir((folder / "data").c_str(), 0700);
    ASSERT_TRUE(SaveBank(bank, folder / "data").Ok);
    ASSERT_TRUE(SaveSettings(folder / "config", {63, 1, 200}).Ok);
}

// The two files as an orderly exit after the first `steps` commands leaves them.
std::string FilesAfter(std::size_t steps) {
    const test::TempFolder folder;
    Prepare(folder);
    ScriptedRandom random;
    AddCards(random);
    GameSession game(FoldersIn(folder), random);
    game.StartUp();
    for (std::size_t n = 0; n < steps; ++n) {
        Script()[n].play(game);
    }
    EXPECT_TRUE(game.ShutDown().empty());
    return test::ReadBytes(BankFilePath(folder / "data")) + "|" +
           test::ReadBytes(SettingsFilePath(folder / "config"));
}

// The child: the real window, the script clicked step by step; after each step it says so on
// `done` and waits for a byte on `go`.
[[noreturn]] void PlayInTheWindow(const test::TempFolder& folder, int done, int go) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "corvanta";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    InstallGameFonts();
    CardDrawing cards;
    ScriptedRandom random;
    AddCards(random);
    GameModel model(FoldersIn(folder), random);
    MainWindow window(model, cards);
    window.show();
    char byte = 1;
    for (const Step& step : Script()) {
        step.click(window);
        if (::write(done, &byte, 1) != 1 || ::read(go, &byte, 1) != 1) {
            ::_exit(2);
        }
    }
    for (;;) {
        ::pause(); // played out: wait for the kill
    }
}

// Plays the script in a child up to step `after` (0: none), then kills it there, or a random
// moment into the next step; returns the steps finished before the kill.
std::size_t PlayAndKill(const test::TempFolder& folder, std::size_t after, bool midStep,
                        std::mt19937& random) {
    int done[2];
    int go[2];
    if (::pipe(done) != 0 || ::pipe(go) != 0) {
        ADD_FAILURE() << "no pipes";
        return 0;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(done[0]);
        ::close(go[1]);
        PlayInTheWindow(folder, done[1], go[0]);
    }
    ::close(done[1]);
    ::close(go[0]);
    std::size_t finished = 0;
    char byte = 1;
    while (finished < after && ::read(done[0], &byte, 1) == 1) {
        ++finished;
        if (finished < after || midStep) {
            [[maybe_unused]] const auto sent = ::write(go[1], &byte, 1);
        }
    }
    if (midStep) {
        ::usleep(random() % 4000); // the next step's click, its save, or its wait
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(go[1]);
    while (::read(done[0], &byte, 1) == 1) {
        ++finished; // a step that finished before the kill landed
    }
    ::close(done[0]);
    return finished;
}

// Killed after every step, and a random moment into each: the next start finds the files
// of the last finished step, or (killed inside a step's save) of that step.
TEST(KillTest, TheNextStartFindsTheFilesOfTheLastSavePoint) {
    const std::size_t steps = Script().size();
    std::vector<std::string> expected;
    for (std::size_t n = 0; n <= steps; ++n) {
        expected.push_back(FilesAfter(n));
    }
    std::mt19937 random(20261207);
    for (std::size_t after = 0; after <= steps; ++after) {
        for (const bool midStep : {false, true}) {
            const test::TempFolder folder;
            Prepare(folder);
            const std::size_t done = PlayAndKill(folder, after, midStep && after < steps, random);
            ASSERT_LE(done, steps);
            ScriptedRandom cards;
            GameSession restarted(FoldersIn(folder), cards);
            restarted.StartUp();
            const std::string onDisk = test::ReadBytes(BankFilePath(folder / "data")) + "|" +
                                       test::ReadBytes(SettingsFilePath(folder / "config"));
            const bool atLastSave = onDisk == expected[done];
            const bool inTheNext = midStep && done < steps && onDisk == expected[done + 1];
            EXPECT_TRUE(atLastSave || inTheNext)
                << "killed after " << done << " steps" << (midStep ? ", inside the next" : "");
        }
    }
}

} // namespace
} // namespace corvanta
