// Card drawing: preparing every image, and one draw. Needs a QGuiApplication for fonts, so it has
// its own main on the offscreen platform.
#include "cards/basCards.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// Draws every face, inverted face and back once, so that each image is painted.
void DrawWholeDeck(corvanta::CardDrawing& cards) {
    QImage target(corvanta::CardWidth, corvanta::CardHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    for (int card = 0; card < corvanta::CardCount; ++card) {
        cards.cdtDraw(painter, 0, 0, card, corvanta::CardDrawing::Face, Qt::white);
        cards.cdtDraw(painter, 0, 0, card, corvanta::CardDrawing::InvertedFace, Qt::white);
    }
    for (int back = corvanta::FirstBack; back < corvanta::FirstBack + corvanta::BackCount; ++back) {
        cards.cdtDraw(painter, 0, 0, back, corvanta::CardDrawing::Back, Qt::white);
    }
}

void BM_cdtInit(benchmark::State& state) {
    for (auto _ : state) {
        corvanta::CardDrawing cards;
        int width = 0;
        int height = 0;
        cards.cdtInit(width, height);
        benchmark::DoNotOptimize(width);
        cards.cdtTerm();
    }
}
BENCHMARK(BM_cdtInit)->Unit(benchmark::kMillisecond);

// Every image painted: what the first draws of a whole deck cost together (with the 117
// blits, a small part of it).
void BM_DrawWholeDeck(benchmark::State& state) {
    for (auto _ : state) {
        corvanta::CardDrawing cards;
        int width = 0;
        int height = 0;
        cards.cdtInit(width, height);
        DrawWholeDeck(cards);
        cards.cdtTerm();
    }
}
BENCHMARK(BM_DrawWholeDeck)->Unit(benchmark::kMillisecond);

// One face drawn into a card-sized picture, as a card box paints itself.
void BM_cdtDraw(benchmark::State& state) {
    corvanta::CardDrawing cards;
    int width = 0;
    int height = 0;
    cards.cdtInit(width, height);
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0, 128, 0));
    QPainter painter(&picture);
    int card = 0;
    for (auto _ : state) {
        cards.cdtDraw(painter, 0, 0, card, corvanta::CardDrawing::Face, QColor(255, 255, 255));
        card = (card + 1) % corvanta::CardCount;
    }
    painter.end();
    cards.cdtTerm();
}
BENCHMARK(BM_cdtDraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
