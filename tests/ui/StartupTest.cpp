// The game's start as main() runs it: where the bank goes, and what a second copy does.
#include "WindowTesting.h"

#include "app/RunGame.h"
#include "bank/BankFile.h"
#include "bank/BankFolder.h"
#include "settings/basRegistry.h"
#include "storage/Folders.h"
#include "storage/InstanceLock.h"
#include "ui/frmDebug/DebugConsole.h"
#include "ui/frmPoker/MainWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace corvanta {
namespace {

using test::AnswerMessageBox;
using test::AnswerPrompt;
using test::Find;

// Every file and folder below `folder` with its bytes ("/" for a folder).
std::map<std::string, std::string> Snapshot(const QTemporaryDir& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    const fs::path root = folder.path().toStdString();
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string bytes = "/";
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream read;
            read << in.rdbuf();
            bytes = read.str();
        }
        files[fs::relative(entry.path(), root).string()] = bytes;
    }
    return files;
}

std::string Bytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    return in ? read.str() : "<missing>";
}

QMainWindow* ShownMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window != nullptr && window->objectName() == QLatin1String("frmPoker") &&
            window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Runs `work` on the game's main window once it shows, from inside the running game.
void WhenMainWindowShows(std::function<void(QMainWindow&)> work,
                         std::shared_ptr<QElapsedTimer> clock = {}) {
    if (!clock) {
        clock = std::make_shared<QElapsedTimer>();
        clock->start();
    }
    QTimer::singleShot(10, [work = std::move(work), clock]() mutable {
        if (QMainWindow* window = ShownMainWindow()) {
            work(*window);
            return;
        }
        if (clock->elapsed() > 5000) {
            ADD_FAILURE() << "the main window never showed";
            QCoreApplication::quit();
            return;
        }
        WhenMainWindowShows(std::move(work), clock);
    });
}

class StartupTest : public ::testing::Test {
protected:
    Folders Paths() const {
        return {.program = folders.ProgramFolder(),
                .data = data.path().toStdString(),
                .config = folders.ConfigFolder()};
    }
    std::string LockPath() const { return LockFilePath(folders.ProgramFolder()); }

    test::TempFolders folders;
    QTemporaryDir data;
};

// A copy running on the same bank, or a portable copy elsewhere sharing the same settings
// file (and so the same cash on hand): the second copy says so and touches nothing.
TEST_F(StartupTest, SecondCopySaysSoAndLeavesEveryFileAlone) {
    // The first copy has played and saved once, and left its empty lock files.
    const std::string settingsLock = SettingsFilePath(folders.ConfigFolder()) + ".lock";
    {
        test::TestGame session(folders);
        MainWindow(session.model, session.cards).close();
        const InstanceLock bankLock(LockPath());
        const InstanceLock settingsLockOnce(settingsLock);
    }
    const auto program = Snapshot(folders.program);
    const auto config = Snapshot(folders.config);
    ASSERT_EQ(program.count("gbank.db"), 1u);
    ASSERT_EQ(config.count("corvanta/settings.reg"), 1u);
    for (const std::string& heldLock : {LockPath(), settingsLock}) {
        SCOPED_TRACE(heldLock);
        const InstanceLock firstCopy(heldLock);
        ASSERT_EQ(firstCopy.GetStatus(), InstanceLock::Status::Held);
        // Should the game start all the same, it is closed again so the test ends.
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QMainWindow* window = ShownMainWindow()) {
                ADD_FAILURE() << "the second copy started";
                window->close();
            }
        });
        guard.start(50);
        auto seen = AnswerMessageBox(QStringLiteral("OK"));
        EXPECT_EQ(RunGame(Paths()), AlreadyRunningStatus);
        EXPECT_EQ(seen->title, QStringLiteral("Corvanta"));
        EXPECT_EQ(seen->text, QStringLiteral("Corvanta is already running."));
        EXPECT_EQ(Snapshot(folders.program), program);
        EXPECT_EQ(Snapshot(folders.config), config);
        EXPECT_TRUE(Snapshot(data).empty());
    }
}

TEST_F(StartupTest, PortableCopyHoldsTheLockWhileItRunsAndKeepsItsBankBesideIt) {
    // A bank brought beside the program: the game uses it there.
    std::ofstream(folders.BankPath().toStdString(), std::ios::binary).flush();
    bool lockedWhileRunning = false;
    QString consolePath;
    WhenMainWindowShows([&](QMainWindow& window) {
        lockedWhileRunning = InstanceLock(LockPath()).GetStatus() == InstanceLock::Status::InUse;
        AnswerPrompt(QStringLiteral("larkspurs"));
        QTest::mouseClick(Find(window, "imgShowDebug"), Qt::LeftButton);
        if (auto* console = test::TopLevel<DebugConsole>("frmDebug")) {
            consolePath = test::Caption(*console, "lblAppPath");
        }
        window.close();
    });
    EXPECT_EQ(RunGame(Paths()), 0);

    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_EQ(consolePath, folders.BankPath());
    EXPECT_EQ(Bytes(folders.BankPath()).size(), 46u); // the Default account, saved at exit
    EXPECT_TRUE(Snapshot(data).empty());
    // Gone with the game: the next copy starts.
    EXPECT_EQ(InstanceLock(LockPath()).GetStatus(), InstanceLock::Status::Held);
}

TEST_F(StartupTest, ConsoleShowsTheBankInThePlayersDataFolder) {
    // An installed copy: ChooseBankFolder sent the bank to the data folder.
    const std::string bankFolder = data.path().toStdString() + "/corvanta";
    ASSERT_EQ(CreateFolders(bankFolder).Ok, true);
    test::TestGame session({.bank = bankFolder, .config = folders.ConfigFolder()});
    {
        MainWindow window(session.model, session.cards);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        AnswerPrompt(QStringLiteral("larkspurs"));
        QTest::mouseClick(Find(window, "imgShowDebug"), Qt::LeftButton);
        auto* console = test::TopLevel<DebugConsole>("frmDebug");
        ASSERT_NE(console, nullptr);
        EXPECT_EQ(test::Caption(*console, "lblAppPath"),
                  QString::fromStdString(bankFolder + "/gbank.db"));
        window.close();
    }
    EXPECT_EQ(Bytes(QString::fromStdString(bankFolder + "/gbank.db")).size(), 46u);
    EXPECT_EQ(Bytes(folders.BankPath()), "<missing>");
}

} // namespace
} // namespace corvanta
