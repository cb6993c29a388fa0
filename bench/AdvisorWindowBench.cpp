// The advisor window's costs, as a player feels them (see README.md, "Advisor window"):
//   open   the advisor from nothing to a whole frame (made, shown, every widget painted),
//          against a bare dialog of the same size made, shown and painted the same way; the
//          first opening of a run apart from the later ones
//   round  a round played on the table (bet, deal, draw, after each the events it posts handled
//          and the windows painted) with the advisor open against one with it closed, and the
//          memory the open advisor keeps per round
// Run under a display or the offscreen platform; prints medians.
#include "cards/basCards.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"
#include "ui/GameModel.h"
#include "ui/frmAdvisor/AdvisorWindow.h"
#include "ui/frmPoker/MainWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QWindow>

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace corvanta {
namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds of `work` and every event it posted; a window it returns has been shown, and
// the time runs until the window system has it on the screen and it has painted its first
// frame (every widget), then it is closed outside the time.
double ThreadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The interface thread's CPU time, or else the wall time (CORVANTA_BENCH_WALL=1): the machine
// is shared, and only the CPU time holds still under a load.
const bool WallTime = qEnvironmentVariableIntValue("CORVANTA_BENCH_WALL") == 1;

double Now() {
    return WallTime ? static_cast<double>(QDateTime::currentMSecsSinceEpoch()) * 1e3
                    : ThreadCpuMicroseconds();
}

double Timed(const std::function<QWidget*()>& work) {
    QElapsedTimer timer;
    timer.start();
    const double start = Now();
    QWidget* window = work();
    QApplication::processEvents();
    while (window != nullptr && !window->windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    if (window != nullptr) {
        window->repaint(); // painted now, if the exposure has not painted it yet
    }
    const double elapsed =
        WallTime ? static_cast<double>(timer.nsecsElapsed()) / 1000 : Now() - start;
    if (window != nullptr) {
        window->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return elapsed;
}

void MeasureOpening(GameModel& model, int runs) {
    const QSize size = AdvisorWindow(model).size();
    std::vector<double> bare;
    std::vector<double> advisor;
    double first = 0;
    for (int run = 0; run < runs; ++run) {
        bare.push_back(Timed([&] {
            auto* dialog = new QDialog;
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->resize(size);
            dialog->show();
            return dialog;
        }));
        const double opening = Timed([&] {
            auto* window = new AdvisorWindow(model);
            window->show();
            return window;
        });
        (run == 0 ? first : advisor.emplace_back()) = opening;
        while (model.ReturnTableIfReady(model.CurrentGame()) == nullptr) {
            QApplication::processEvents(); // the first opening's tables, computed aside
        }
    }
    std::printf("open to a whole frame (us, median of %d): bare dialog %.0f, advisor %.0f "
                "(%.2fx); the run's first opening %.0f (%.2fx)\n",
                runs, Median(bare), Median(advisor), Median(advisor) / Median(bare), first,
                first / Median(bare));
}

// How a round reaches the screen: painted once, the bet, the deal and the draw made at once
// (the figure the advisor was first measured by); or painted after each of the three, as a
// player sees them.
enum class Painted { Once, EachStep };

void PlayRounds(GameModel& model, int rounds, Painted painted, std::vector<double>& times) {
    const auto step = [painted] {
        if (painted == Painted::EachStep) {
            QApplication::processEvents();
        }
    };
    for (int round = 0; round < rounds; ++round) {
        times.push_back(Timed([&]() -> QWidget* {
            model.Bet(QStringLiteral("5"));
            step();
            model.Deal();
            step();
            model.Deal();
            return nullptr;
        }));
    }
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// The least a second window following the game costs: a bare dialog of the advisor's size
// with one line that shows the phase of the round at every change of the table.
QWidget* FollowingDialog(GameModel& model, QSize size) {
    auto* dialog = new QDialog;
    dialog->resize(size);
    auto* line = new QLabel(dialog);
    line->setGeometry(10, 10, size.width() - 20, 20);
    QObject::connect(&model, &GameModel::handChanged, line, [&model, line] {
        line->setText(QStringLiteral("Phase %1").arg(static_cast<int>(model.Phase())));
    });
    return dialog;
}

// Rounds with the window closed and open in turns, a sixth of them at a time, so that a
// change in the machine's speed during the run weighs on both alike.
void MeasureRounds(GameModel& model, int rounds, Painted painted, bool bare) {
    constexpr int Turns = 6;
    std::vector<double> closed;
    std::vector<double> open;
    double heapGrowth = 0;
    const QSize size = AdvisorWindow(model).size();
    for (int turn = 0; turn < Turns; ++turn) {
        PlayRounds(model, rounds / Turns, painted, closed);
        QWidget* window = bare ? FollowingDialog(model, size) : new AdvisorWindow(model);
        window->show();
        QApplication::processEvents();
        std::vector<double> settling;
        PlayRounds(model, 10, painted, settling); // settles the window in
        const std::size_t before = HeapInUse();
        PlayRounds(model, rounds / Turns, painted, open);
        heapGrowth += static_cast<double>(HeapInUse()) - static_cast<double>(before);
        delete window;
    }
    std::printf("a round painted %s (us, median of %zu): %s closed %.1f, open %.1f (%.2fx); "
                "the heap grew %.0f bytes a round with it open\n",
                painted == Painted::Once ? "once" : "at each step", open.size(),
                bare ? "a bare dialog following the game" : "advisor", Median(closed), Median(open),
                Median(open) / Median(closed), heapGrowth / static_cast<double>(open.size()));
}

} // namespace
} // namespace corvanta

int main(int argc, char** argv) {
    using namespace corvanta;
    QApplication app(argc, argv);
    const test::TempFolder folder(test::TempFolder::Place::Memory); // saves cost no flushes
    if (!SaveSettings(folder.Path(), {63, 1, 100'000'000}).ok) {    // cash for every round
        return 1;
    }
    TimeSeededRandom random;
    GameModel model({.bank = folder.Path(), .config = folder.Path()}, random);
    CardDrawing cards;
    MainWindow table(model, cards); // starts the game
    table.show();
    while (!table.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    MeasureOpening(model, argc > 1 ? std::atoi(argv[1]) : 21);
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 2000;
    for (const Painted painted : {Painted::Once, Painted::EachStep}) {
        MeasureRounds(model, rounds, painted, false);
        MeasureRounds(model, rounds, painted, true);
    }
    table.close();
    return 0;
}
