// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// A real 5 x 5 reveal with the real timer: when each of its 26 ticks came,
// against its schedule (tick t due t beats after the board was built).
#include "application.h"
#include "benchwindow.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The time of each tick, as the lesson reports it; the last one ends the run.
class TickTimes : public LessonListener
{
public:
    QElapsedTimer clock;
    std::vector<double> ticks;

    void ticked(int /*cell*/, int /*number*/, bool ended) override
    {
        ticks.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (ended)
            QCoreApplication::quit();
    }
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    TickTimes times;
    const BenchWindow drive(BenchWindow::Timer::Running);
    drive.form().addLessonListener(&times);
    const double beat = drive.timer()->interval();
    std::vector<double> &ticks = times.ticks;

    // The timer starts as the board is built, at the end of the choice.
    drive.choose(5);
    times.clock.start();
    app.exec();

    double worst = 0;
    std::printf("deviation of each tick (ms):");
    for (size_t t = 0; t < ticks.size(); ++t) {
        const double deviation = ticks[t] - beat * double(t + 1);
        std::printf(" %+.2f", deviation);
        if (std::abs(deviation) > std::abs(worst))
            worst = deviation;
    }
    const double drift = ticks.back() - beat * double(ticks.size());
    // Drift would show as lateness growing from tick to tick: the slope of
    // the deviations, fitted by least squares.
    double meanT = 0, meanD = 0;
    for (size_t t = 0; t < ticks.size(); ++t) {
        meanT += double(t) / double(ticks.size());
        meanD += (ticks[t] - beat * double(t + 1)) / double(ticks.size());
    }
    double covariance = 0, variance = 0;
    for (size_t t = 0; t < ticks.size(); ++t) {
        covariance += (double(t) - meanT) * (ticks[t] - beat * double(t + 1) - meanD);
        variance += (double(t) - meanT) * (double(t) - meanT);
    }
    std::printf("\nticks %zu\nlargest deviation %+.2f ms\ndrift at last tick %+.2f ms (trend %+.3f ms per tick)\n",
                ticks.size(), worst, drift, covariance / variance);
    return ticks.size() == 26 ? 0 : 1;
}
