// The main window resized from its default size to fill the screen, to the end of the repaint
// of every control and card at the new scale. Run it under Xvfb on a 1920 × 1080 screen (see
// bench/README.md); without a display it falls back to the offscreen platform.
#include "cards/basCards.h"
#include "engine/basPoker.h"
#include "ui/GameModel.h"
#include "ui/Widgets.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

using namespace corvanta;

// Resizes the window and waits until the window system has given it the new size (the X
// server answers a resize of a mapped window later), then repaints all of it at once.
void ResizeAndRepaint(QWidget& window, QSize size) {
    window.resize(size);
    QElapsedTimer waited;
    waited.start();
    while (window.size() != size && waited.elapsed() < 1000) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    window.repaint();
}

// Waits until the window system shows the window: nothing is painted before.
void WaitUntilExposed(QWidget& window) {
    QElapsedTimer waited;
    waited.start();
    while (!window.windowHandle()->isExposed() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// The game on a dealt hand of five faces, the window shown at its default size.
struct ShownGame {
    QTemporaryDir folder;
    CardDrawing cards;
    TimeSeededRandom random;
    GameModel model{{.bank = folder.filePath(QStringLiteral("program")).toStdString(),
                     .config = folder.filePath(QStringLiteral("config")).toStdString()},
                    random};
    MainWindow window{model, cards};

    ShownGame() {
        window.show();
        WaitUntilExposed(window);
        model.Bet(QStringLiteral("5"));
        model.Deal();
        ResizeAndRepaint(window, window.minimumSize());
    }
};

// From `small` to a screen-filling size, timed, and back, not timed. With `newScale` each
// goes to a size a pixel narrower than the last, so the cards are painted afresh at a scale
// never drawn before, as in a live resize: the worst case.
void JumpToFullScreen(benchmark::State& state, QWidget& window, QSize small, bool newScale) {
    const QSize full = window.screen()->availableGeometry().size();
    int narrower = 0;
    for (auto _ : state) {
        ResizeAndRepaint(window, full - QSize(newScale ? narrower++ % 64 : 0, 0));
        state.PauseTiming();
        ResizeAndRepaint(window, small);
        state.ResumeTiming();
    }
}

// A live resize at full screen: the player drags the window's edge, a pixel at a time, and
// each size is a scale never drawn before. The window system keeps the backing store of the
// screen's size it already has, so this is the window's own repaint at that size.
void LiveResizeAtFullScreen(benchmark::State& state, QWidget& window) {
    const QSize full = window.screen()->availableGeometry().size();
    ResizeAndRepaint(window, full);
    int narrower = 1;
    for (auto _ : state) {
        ResizeAndRepaint(window, full - QSize(narrower++ % 64, 0));
    }
}

void BM_ResizeToFullScreen(benchmark::State& state) {
    ShownGame game;
    JumpToFullScreen(state, game.window, game.window.minimumSize(), true);
}
BENCHMARK(BM_ResizeToFullScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

// Back and forth between two sizes already painted: the controls laid out again, the cards'
// images already there (a maximize after the first).
void BM_ResizeToFullScreenAgain(benchmark::State& state) {
    ShownGame game;
    JumpToFullScreen(state, game.window, game.window.minimumSize(), false);
}
BENCHMARK(BM_ResizeToFullScreenAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LiveResizeAtFullScreen(benchmark::State& state) {
    ShownGame game;
    LiveResizeAtFullScreen(state, game.window);
}
BENCHMARK(BM_LiveResizeAtFullScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same window repainted at the default size, for comparison.
void BM_RepaintAtDefaultSize(benchmark::State& state) {
    ShownGame game;
    for (auto _ : state) {
        game.window.repaint();
    }
}
BENCHMARK(BM_RepaintAtDefaultSize)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: a bare window of the table's default size with a green client area and a menu
// bar, resized the same ways. Its repaint is the window system's share: a backing store of
// the screen's size (new at a jump from the default size), filled and handed to the X server.
struct BareWindow {
    QMainWindow window;

    BareWindow() {
        window.menuBar()->addMenu(QStringLiteral("&Game"));
        auto* client = new QWidget(&window);
        PaintBackground(client, TableGreen);
        window.setCentralWidget(client);
        window.resize(573, 329 + window.menuBar()->sizeHint().height());
        window.show();
        WaitUntilExposed(window);
    }
};

void BM_BareWindowToFullScreen(benchmark::State& state) {
    BareWindow bare;
    JumpToFullScreen(state, bare.window, bare.window.size(), true);
}
BENCHMARK(BM_BareWindowToFullScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareWindowLiveResizeAtFullScreen(benchmark::State& state) {
    BareWindow bare;
    LiveResizeAtFullScreen(state, bare.window);
}
BENCHMARK(BM_BareWindowLiveResizeAtFullScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallGameFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
