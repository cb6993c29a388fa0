// The advisor window's costs, as a player feels them (see README.md, "Advisor window"):
//   open   the advisor from nothing to a whole frame (made, shown, every widget painted),
//          against a bare dialog of the same size made, shown and painted the same way; the
//          first opening of a run apart from the later ones
//   round  a round (bet, deal, draw, the events it posts handled and painted) with the advisor
//          open against one with it closed, and the memory the open advisor keeps per round
// Run under a display or the offscreen platform; prints medians.
#include "support/SavedFiles.h"
#include "support/TempFolder.h"
#include "ui/GameModel.h"
#include "ui/frmAdvisor/AdvisorWindow.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace corvanta {
namespace {

struct NoCards final : CardLibrary {
    void Open() override {}
    void Close() override {}
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds of `work` followed by every event it posted and a full paint of `window`.
double Timed(const std::function<QWidget*()>& work) {
    QElapsedTimer timer;
    timer.start();
    QWidget* window = work();
    QApplication::processEvents();
    if (window != nullptr) {
        window->grab(); // every widget painted: a whole frame
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1000;
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
            QMetaObject::invokeMethod(dialog, &QDialog::close, Qt::QueuedConnection);
            return dialog;
        }));
        const double opening = Timed([&] {
            auto* window = new AdvisorWindow(model);
            window->show();
            QMetaObject::invokeMethod(window, &QDialog::close, Qt::QueuedConnection);
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

void PlayRounds(GameModel& model, int rounds, std::vector<double>& times) {
    for (int round = 0; round < rounds; ++round) {
        times.push_back(Timed([&]() -> QWidget* {
            model.Bet(QStringLiteral("1"));
            model.Deal();
            model.Deal();
            return nullptr;
        }));
    }
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void MeasureRounds(GameModel& model, int rounds) {
    std::vector<double> closed;
    PlayRounds(model, rounds, closed);
    auto* window = new AdvisorWindow(model);
    window->show();
    QApplication::processEvents();
    std::vector<double> open;
    PlayRounds(model, rounds / 10, open); // settles the window in
    open.clear();
    const std::size_t before = HeapInUse();
    PlayRounds(model, rounds, open);
    const std::size_t after = HeapInUse();
    std::printf("a round (us, median of %d): advisor closed %.1f, open %.1f (%.2fx); the heap "
                "grew %.0f bytes a round with it open\n",
                rounds, Median(closed), Median(open), Median(open) / Median(closed),
                static_cast<double>(after - before) / rounds);
    delete window;
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
    NoCards cards;
    model.StartUp(cards);
    MeasureOpening(model, argc > 1 ? std::atoi(argv[1]) : 21);
    MeasureRounds(model, argc > 2 ? std::atoi(argv[2]) : 2000);
    model.ShutDown(cards);
    return 0;
}
