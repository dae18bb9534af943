// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// 1,000 cycles of choose a size, reveal to the end, clear, with n going
// round 3..21: resident memory after cycle 100 and after cycle 1,000, and the
// number of live objects under the window after every clear.
#include "application.h"
#include "benchwindow.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication();
    const BenchWindow drive;
    const MainForm &form = drive.form();

    // A clear leaves the text box empty, and an empty text document holds one
    // object fewer than one with text; start from the same empty box.
    drive.chooseTop();
    QCoreApplication::processEvents();
    const qsizetype objectsAtStart = form.findChildren<QObject *>().size();

    long after100 = 0;
    int objectMismatches = 0;
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        const int n = 3 + 2 * ((cycle - 1) % 10);
        drive.choose(n);
        drive.revealAll();
        drive.clear();
        QCoreApplication::processEvents();
        if (form.findChildren<QObject *>().size() != objectsAtStart)
            ++objectMismatches;
        if (cycle == 100)
            after100 = residentKiB();
    }
    const long after1000 = residentKiB();
    std::printf("objects at start %lld, clears that left a different count %d\n", (long long)objectsAtStart,
                objectMismatches);
    std::printf("resident after cycle 100 %ld KiB, after cycle 1000 %ld KiB, growth %ld KiB\n", after100, after1000,
                after1000 - after100);
    return objectMismatches == 0 && after1000 - after100 < 1024 ? 0 : 1;
}
