#pragma once
// The main of the benchmarks that lay out forms and report pages: offscreen
// unless a display is asked for, with the Persian faces the programs
// install and their way of keeping freed memory, then the benchmarks that
// `run` starts.
#include "platform/system/Memory.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

inline int runWidgetBenchmarks(int argc, char **argv,
                               const std::function<void()> &run = [] { benchmark::RunSpecifiedBenchmarks(); })
{
    // The memory the programs keep, as they keep it.
    pf::sys::keepFreedMemory();
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pf::ui::installPersianFonts();
    benchmark::Initialize(&argc, argv);
    run();
    benchmark::Shutdown();
    return 0;
}
