// The game's start as main() runs it: where the bank goes, and what a second copy does.
#include "WindowTesting.h"

#include "app/RunGame.h"
#include "app/RunningCopy.h"
#include "bank/BankFolder.h"
#include "storage/InstanceLock.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <filesystem>
#include <sys/stat.h>

namespace corvanta {
namespace {

// Every file and folder below `folder`, with the files' bytes.
std::string Snapshot(const std::string& folder) {
    std::string all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        all += entry.path().string() + "=" +
               (entry.is_regular_file() ? test::ReadBytes(entry.path()) : "/") + "\n";
    }
    return all;
}

// While the timer lives: runs `work` on the game's main window once it shows, and closes it.
std::unique_ptr<QTimer> WhenTheGameShows(std::function<void(QWidget&)> work) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [work] {
        if (QWidget* game = test::TopLevel("frmPoker"); game != nullptr && game->isVisible()) {
            work(*game);
            game->close();
        }
    });
    timer->start(10);
    return timer;
}

// The bank beside the program when one is there, else in the player's data folder: the game
// holds the lock beside it while it runs, the console names it, and the exit saves it there. A
// second copy, on the same bank or with the same settings, says so and touches nothing.
TEST(StartUp, TheBankBesideTheProgramOrInTheDataFolderAndNoSecondCopy) {
    const test::GameFiles files;
    const std::string data = files.root / "data";
    ASSERT_EQ(::mkdir(data.c_str(), 0700), 0);
    const Folders paths{.program = files.program, .data = data, .config = files.config};
    for (const bool portable : {true, false}) {
        SCOPED_TRACE(portable);
        const std::string folder = portable ? files.program : data + "/corvanta";
        const std::string other = portable ? data + "/corvanta" : files.program;
        portable ? test::WriteBytes(files.program + "/gbank.db", "")
                 : (void)std::filesystem::remove(files.program + "/gbank.db");
        bool locked = false;
        QString console;
        const auto game = WhenTheGameShows([&](QWidget& game) {
            locked = InstanceLock(LockFilePath(folder)).GetStatus() == InstanceLock::Status::InUse;
            test::DialogAnswers answers({"larkspurs"});
            QTest::mouseClick(game.findChild<QWidget*>(QStringLiteral("imgShowDebug")),
                              Qt::LeftButton);
            console = test::Look(game, "lblAppPath");
        });
        EXPECT_EQ(RunGame(paths), 0);
        EXPECT_TRUE(locked);
        EXPECT_EQ(console, QString::fromStdString(folder + "/gbank.db"));
        EXPECT_EQ(test::ReadBytes(folder + "/gbank.db"), test::Record("Default", 100));
        EXPECT_EQ(test::ReadBytes(other + "/gbank.db"), "<missing>");
        EXPECT_EQ(InstanceLock(LockFilePath(folder)).GetStatus(), InstanceLock::Status::Held);
    }
    const std::string before = Snapshot(files.root.Path());
    for (const std::string& lock :
         {LockFilePath(data + "/corvanta"), files.config + "/corvanta/settings.reg.lock"}) {
        SCOPED_TRACE(lock);
        const InstanceLock firstCopy(lock);
        ASSERT_EQ(firstCopy.GetStatus(), InstanceLock::Status::Held);
        test::DialogAnswers answers;
        const auto secondCopy = WhenTheGameShows([](QWidget&) { ADD_FAILURE() << "it started"; });
        EXPECT_EQ(RunGame(paths), AlreadyRunningStatus);
        EXPECT_EQ(answers.said, "Corvanta: Corvanta is already running.");
        EXPECT_EQ(Snapshot(files.root.Path()), before);
    }
}

// The window and the desktop entry agree on the application's name: docks and task bars
// match the window's class (X11) or app id (Wayland) to the menu entry. The entry is read as
// installed, from the source.
TEST(StartUp, TheWindowAndTheDesktopEntryAgreeOnTheName) {
    const QString nameBefore = QCoreApplication::applicationName();
    NameTheApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Corvanta"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Corvanta"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.corvanta.Corvanta"));
    const std::string entry = test::ReadBytes(CORVANTA_DESKTOP_FILE);
    EXPECT_EQ(std::filesystem::path(CORVANTA_DESKTOP_FILE).filename(),
              QGuiApplication::desktopFileName().toStdString() + ".desktop");
    for (const std::string key : {"Name=", "StartupWMClass="}) {
        EXPECT_NE(entry.find("\n" + key + QCoreApplication::applicationName().toStdString() + "\n"),
                  std::string::npos)
            << key;
    }
    QCoreApplication::setApplicationName(nameBefore);
}

// A copy that holds the lock but does not answer at its socket (too busy, or too old to
// listen) cannot be brought to the front: the second start says that the game runs, as it does
// where no copy listens at all.
TEST(StartUp, ACopyThatDoesNotAnswerIsSaidToBeRunning) {
    const test::GameFiles files;
    const std::string data = files.root / "data";
    std::filesystem::create_directories(data + "/corvanta");
    const Folders paths{.program = files.program, .data = data, .config = files.config};
    const InstanceLock firstCopy(LockFilePath(data + "/corvanta"));
    ASSERT_EQ(firstCopy.GetStatus(), InstanceLock::Status::Held);
    QLocalServer silent; // its connections wait: the event loop runs only in the message box
    ASSERT_TRUE(silent.listen(
        RunningCopy::SocketNames({.bank = data + "/corvanta", .config = files.config})[0]));
    test::DialogAnswers answers;
    EXPECT_EQ(RunGame(paths), AlreadyRunningStatus);
    EXPECT_EQ(answers.said, "Corvanta: Corvanta is already running.");
}

// The running copy's sockets: only the player can call them, one that a killed copy left
// behind is taken over, and they go with the copy. A call that is not the game's question is
// hung up on without an answer.
TEST(StartUp, TheRunningCopysSocketsArePrivateAndGoWithIt) {
    const test::GameFiles files;
    const GameFolders folders{.bank = files.root / "data", .config = files.config};
    const std::array<QString, 2> paths = RunningCopy::SocketNames(folders);
    test::WriteBytes(paths[0].toStdString(), "left by a copy that was killed");
    {
        const RunningCopy copy(folders);
        for (const QString& path : paths) {
            struct stat status {};
            ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
            EXPECT_TRUE(S_ISSOCK(status.st_mode)) << path.toStdString();
            EXPECT_EQ(status.st_mode & 0777, 0600u) << path.toStdString();
        }
        QLocalSocket stranger;
        stranger.connectToServer(paths[1]);
        ASSERT_TRUE(stranger.waitForConnected(1000));
        stranger.write("who is there?\n");
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 3000));
        EXPECT_EQ(stranger.readAll(), QByteArray());
    }
    for (const QString& path : paths) {
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    }
}

// A lock that cannot be taken (a link or a folder in its place, another user's file) leaves
// nothing to tell whether another copy runs: the game says so, plays, and writes nothing, so
// two copies can never mix their money.
TEST(StartUp, ALockThatCannotBeTakenIsSaidAndNothingIsSaved) {
    struct Row {
        const char* name;
        const char* lock; // below the test's root
        std::function<bool(const std::string&, const std::string&)> arrange; // lock, root
        const char* reason;
    };
    const Row rows[] = {
        {"a link as the bank's lock", "data/corvanta/gbank.db.lock",
         [](const std::string& lock, const std::string& root) {
             return ::symlink((root + "/elsewhere").c_str(), lock.c_str()) == 0;
         },
         "Not a regular file"},
        {"a folder as the settings' lock", "config/corvanta/settings.reg.lock",
         [](const std::string& lock, const std::string&) {
             return ::mkdir(lock.c_str(), 0700) == 0;
         },
         "Is a directory"},
        {"another user's lock", "config/corvanta/settings.reg.lock",
         [](const std::string& lock, const std::string&) {
             test::WriteBytes(lock, "");
             return ::chown(lock.c_str(), 1, 1) == 0; // only root can
         },
         "Not your own file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const test::GameFiles files;
        const std::string data = files.root / "data";
        const Folders paths{.program = files.program, .data = data, .config = files.config};
        std::filesystem::create_directories(data + "/corvanta");
        std::filesystem::create_directories(files.config + "/corvanta");
        test::WriteBytes(data + "/corvanta/gbank.db", test::Record("Default", 100));
        // The other lock is there already, as after an earlier game.
        test::WriteBytes(data + "/corvanta/gbank.db.lock", "");
        test::WriteBytes(files.config + "/corvanta/settings.reg.lock", "");
        const std::string lock = files.root / row.lock;
        std::filesystem::remove(lock);
        if (!row.arrange(lock, files.root.Path())) {
            continue;
        }
        const std::string before = Snapshot(files.root.Path());
        test::DialogAnswers answers;
        bool played = false;
        const auto game = WhenTheGameShows([&played](QWidget& game) {
            played = true;
            game.findChild<QLineEdit*>(QStringLiteral("txtBank"))->setText(QStringLiteral("20"));
            QTest::mouseClick(game.findChild<QWidget*>(QStringLiteral("cmdDeposit")),
                              Qt::LeftButton);
            EXPECT_EQ(test::Look(game, "lblSavings"), QStringLiteral("$120"));
        });
        EXPECT_EQ(RunGame(paths), 0);
        EXPECT_TRUE(played);
        EXPECT_EQ(answers.said, "Corvanta - Save: The lock " + lock + " could not be taken:\r" +
                                    row.reason +
                                    ". Another copy of the game might be using the same files, "
                                    "so this game saves nothing.");
        EXPECT_EQ(Snapshot(files.root.Path()), before);
    }
}

} // namespace
} // namespace corvanta
