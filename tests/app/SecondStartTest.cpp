// A second start of the real program while the game runs on the same folders: it brings the
// running window to the front and ends with status 1, touching no file and showing no message.
// The running game is RunGame in a child process of this test, which watches its own window
// become the active one again after another window took the activation.
#include "app/RunGame.h"
#include "ui/Widgets.h"

#include "support/TempFolder.h"

#include "RealProgram.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvanta {
namespace {

// Every file of the game's data and settings folders, with its bytes.
std::string Snapshot(const test::TempFolder& folder) {
    std::string all;
    for (const char* games : {"data", "config"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder / games)) {
            all += entry.path().string() + "=" +
                   (entry.is_regular_file() ? test::ReadBytes(entry.path()) : "/") + "\n";
        }
    }
    return all;
}

// The first copy, as main() runs it on the folders StartProgram gives the second. Once its
// window shows, another window takes the activation and `ready` hears a byte; when the game's
// window is the active one again, `raised` hears one, and the game ends once `end` hears one.
[[noreturn]] void RunFirstCopy(const test::TempFolder& folder, int ready, int raised, int end) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("HOME", folder.Path().c_str(), 1);
    int argc = 1;
    char name[] = "corvanta";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    NameTheApplication();
    InstallGameFonts();
    QWidget other;
    QTimer watch;
    bool otherActive = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* game = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            game = top->objectName() == QStringLiteral("frmPoker") && top->isVisible() ? top : game;
        }
        const char byte = 1;
        if (game == nullptr) {
            return;
        } else if (!otherActive) {
            other.show();
            other.activateWindow();
            otherActive = QApplication::activeWindow() == &other;
            if (otherActive && ::write(ready, &byte, 1) != 1) {
                ::_exit(3);
            }
        } else if (QApplication::activeWindow() == game) {
            watch.stop();
            char heard = 0;
            if (::write(raised, &byte, 1) != 1 || ::read(end, &heard, 1) != 1) {
                ::_exit(3);
            }
            other.close(); // else it would keep the game's event loop running
            game->close();
        }
    });
    watch.start(20);
    const std::string root = QDir::cleanPath(QString::fromStdString(folder.Path())).toStdString();
    ::_exit(RunGame(
        {.program = root + "/program", .data = root + "/data", .config = root + "/config"}));
}

// Whether a byte comes through the pipe within 20 seconds.
bool Hears(int pipe) {
    pollfd poll{.fd = pipe, .events = POLLIN, .revents = 0};
    char byte = 0;
    return ::poll(&poll, 1, 20'000) == 1 && ::read(pipe, &byte, 1) == 1;
}

TEST(SecondStart, BringsTheRunningWindowToTheFrontAndEnds) {
    const test::TempFolder folder;
    std::filesystem::create_directories(folder / "program");
    int ready[2];
    int raised[2];
    int end[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(raised), 0);
    ASSERT_EQ(::pipe(end), 0);
    const pid_t first = ::fork();
    if (first == 0) {
        RunFirstCopy(folder, ready[1], raised[1], end[0]);
    }
    ::close(ready[1]);
    ::close(raised[1]);
    ::close(end[0]);
    if (!Hears(ready[0])) {
        ::kill(first, SIGKILL);
        ::waitpid(first, nullptr, 0);
        FAIL() << "the first copy's window did not show";
    }
    const std::string before = Snapshot(folder);

    const int status = test::WaitForTheEnd(test::StartProgram(folder));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1)
        << "status " << status << " (a message box shown would have held it until killed)";
    EXPECT_TRUE(Hears(raised[0])) << "the first copy's window did not come to the front";
    EXPECT_EQ(Snapshot(folder), before);
    const char byte = 1;
    EXPECT_EQ(::write(end[1], &byte, 1), 1); // the first copy's game ends

    const int firstStatus = test::WaitForTheEnd(first);
    EXPECT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0) << firstStatus;
    for (const int pipe : {ready[0], raised[0], end[1]}) {
        ::close(pipe);
    }
}

} // namespace
} // namespace corvanta
