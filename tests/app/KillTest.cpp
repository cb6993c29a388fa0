// The real window played and killed: rounds and bank commands clicked in the game's own
// window, in a child process that the test ends with SIGKILL after a step or a random moment
// into the next. The next start finds the bank and the settings exactly as an orderly exit at
// the last save point would have left them, byte for byte.
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
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

using test::Card;

// Two rounds with the bank commands between them, each a click on a control of the window
// after typing into a box; every step is a save point.
struct Step {
    const char* control;
    const char* box = nullptr;
    const char* text = "5";
};
const Step Script[] = {
    {"cmdAddBet"},
    {"cmdDeal"},
    {"Card2"},
    {"cmdDeal"},
    {"cmdDeposit", "txtBank", "20"},
    {"cmdWithdrawCash", "txtBank", "7"},
    {"cmdClearStats"},
    {"cmdAddBet", "txtBet", "30"},
    {"cmdDeal"},
    {"cmdDeal"},
};
constexpr std::size_t Steps = std::size(Script);

// The same step through the game's core.
void Play(GameSession& game, const Step& step) {
    const std::string_view control = step.control;
    if (control == "cmdAddBet") {
        game.Bet(step.text);
    } else if (control == "cmdDeal") {
        game.Deal();
    } else if (control == "Card2") {
        game.ToggleDiscard(1);
    } else if (control == "cmdDeposit") {
        game.Deposit(step.text);
    } else if (control == "cmdWithdrawCash") {
        game.Withdraw(step.text, AmountSource::BankBox);
    } else {
        game.ClearStatistics();
    }
}

void AddCards(test::ScriptedRandom& random) {
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

std::string Files(const test::TempFolder& folder) {
    return test::ReadBytes(BankFilePath(folder / "data")) + "|" +
           test::ReadBytes(SettingsFilePath(folder / "config"));
}

// The two files as an orderly exit after the first `steps` steps leaves them.
std::string FilesAfter(std::size_t steps) {
    const test::TempFolder folder;
    Prepare(folder);
    test::ScriptedRandom random;
    AddCards(random);
    GameSession game(FoldersIn(folder), random);
    game.StartUp();
    for (std::size_t n = 0; n < steps; ++n) {
        Play(game, Script[n]);
    }
    EXPECT_TRUE(game.ShutDown().empty());
    return Files(folder);
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
    test::ScriptedRandom random;
    AddCards(random);
    GameModel model(FoldersIn(folder), random);
    MainWindow window(model, cards);
    window.show();
    char byte = 1;
    for (const Step& step : Script) {
        if (step.box != nullptr) {
            window.findChild<QLineEdit*>(QString::fromLatin1(step.box))
                ->setText(QString::fromLatin1(step.text));
        }
        QTest::mouseClick(window.findChild<QWidget*>(QString::fromLatin1(step.control)),
                          Qt::LeftButton);
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
    std::vector<std::string> expected;
    for (std::size_t n = 0; n <= Steps; ++n) {
        expected.push_back(FilesAfter(n));
    }
    std::mt19937 random(20261207);
    for (std::size_t after = 0; after <= Steps; ++after) {
        for (const bool midStep : {false, true}) {
            const test::TempFolder folder;
            Prepare(folder);
            const std::size_t done = PlayAndKill(folder, after, midStep && after < Steps, random);
            ASSERT_LE(done, Steps);
            test::ScriptedRandom cards;
            GameSession restarted(FoldersIn(folder), cards);
            restarted.StartUp();
            const std::string onDisk = Files(folder);
            EXPECT_TRUE(onDisk == expected[done] ||
                        (midStep && done < Steps && onDisk == expected[done + 1]))
                << "killed after " << done << " steps" << (midStep ? ", inside the next" : "");
        }
    }
}

} // namespace
} // namespace corvanta
