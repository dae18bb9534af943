// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The board's work, in-process and offscreen: the square, building and
// clearing a board, one reveal step, one cell report; and loading Qt's
// Bulgarian texts, part of every start. Each iteration times
// only the work itself; the event loop runs between iterations, untimed, as
// it would between two clicks.
#include "application.h"
#include "benchwindow.h"
#include "qttranslation.h"

#include <QApplication>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

template<typename Work> void timeOnce(benchmark::State &state, Work &&work)
{
    const auto start = Clock::now();
    work();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    QCoreApplication::processEvents();
}

void BuildSquare(benchmark::State &state)
{
    MagicSquare square;
    for (auto _ : state) {
        square.build(21);
        benchmark::DoNotOptimize(square);
    }
}

void ShowAndClearBoard(benchmark::State &state)
{
    const int n = int(state.range(0));
    const BenchWindow drive;
    for (auto _ : state) {
        timeOnce(state, [&] {
            drive.choose(n);
            drive.clear();
        });
    }
}

void RevealTick(benchmark::State &state)
{
    const BenchWindow drive;
    drive.choose(21);
    for (auto _ : state) {
        if (!drive.lesson().timerRunning()) {
            drive.clear();
            drive.choose(21);
        }
        timeOnce(state, [&] { drive.tick(); });
    }
}

void CellReport(benchmark::State &state)
{
    const BenchWindow drive;
    drive.choose(21);
    drive.revealAll();
    int k = 0;
    for (auto _ : state) {
        QPushButton *cell = drive.cell(k);
        k = (k + 97) % 441;
        timeOnce(state, [&] { cell->click(); });
    }
}

void LoadQtTranslation(benchmark::State &state)
{
    for (auto _ : state) {
        QTranslator translator;
        benchmark::DoNotOptimize(loadQtTranslation(translator));
    }
}

} // namespace

BENCHMARK(BuildSquare);
BENCHMARK(LoadQtTranslation)->Unit(benchmark::kMicrosecond);
// Fixed iteration counts: the untimed event loop between iterations would
// otherwise make the automatic count run for minutes.
BENCHMARK(ShowAndClearBoard)->Arg(3)->Arg(21)->Iterations(100)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RevealTick)->Iterations(442)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(CellReport)->Iterations(250)->UseManualTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
