#include "app/SignalQuit.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvanta {
namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
// The pair is set once before any handler is installed and never changes afterwards.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const int saved = errno; // the interrupted code may be about to read it
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

SignalQuit::SignalQuit() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return; // without the pair the signals keep their default action
    }
    ::fcntl(signalPipe[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalQuit::Quit);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

SignalQuit::~SignalQuit() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::signal(signal, SIG_DFL);
    }
    for (int& end : signalPipe) {
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
    }
}

void SignalQuit::SetMainWindow(QWidget& mainWindow) {
    mainWindow_ = &mainWindow;
    if (quitAsked_) {
        qApp->removeEventFilter(this);
        CloseMainWindow();
    }
}

void SignalQuit::Quit() {
    char buffer[16];
    [[maybe_unused]] const auto read = ::read(signalPipe[1], buffer, sizeof buffer);
    // A prompt or message box may be open; close it so the shutdown is not held up. The
    // command that opened it finishes first (closing a prompt answers it as Cancel), and the
    // main window closes after it, from the event loop: a shutdown in the middle of a command
    // would save before the command is done.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal) {
            break;
        }
    }
    if (mainWindow_ != nullptr) {
        CloseMainWindow();
    } else if (!quitAsked_) {
        // The start-up is under way: its further messages close as they open, and the window
        // closes once it is made, saving as at any other time.
        qApp->installEventFilter(this);
    }
    quitAsked_ = true;
}

void SignalQuit::CloseMainWindow() {
    QMetaObject::invokeMethod(mainWindow_.data(), &QWidget::close, Qt::QueuedConnection);
}

bool SignalQuit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && shown->isModal()) {
            QMetaObject::invokeMethod(shown, &QWidget::close, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvanta
