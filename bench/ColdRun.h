#pragma once
// A task run once in a fresh process of the benchmark program (a user's
// first click), and a path and its floor so run in turns.
//
// The child runs on the processor the benchmark runs on, and the path and
// its floor take turns, so that both meet the machine as it is at that
// moment: on a virtual machine a process moved between processors, or an
// hour of other guests, changes a run by half, and a path measured before
// its floor would compare two machines.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace benchcold {

// What a cold run printed: the task's seconds, a second figure of the
// task's own (or -1), and the page faults taken while the task ran.
struct Run {
    double seconds = -1, extra = -1, faults = -1;
};

// Runs this program with `args` in a fresh process on the processor this
// process is on.
inline Run run(const QStringList &args)
{
    QProcess child;
    const int cpu = sched_getcpu();
    child.setChildProcessModifier([cpu] {
        if (cpu >= 0) {
            cpu_set_t set;
            CPU_ZERO(&set);
            CPU_SET(cpu, &set);
            sched_setaffinity(0, sizeof set, &set);
        }
    });
    child.start(QCoreApplication::applicationFilePath(), args);
    child.waitForFinished(600000);
    Run r;
    std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf", &r.seconds, &r.extra, &r.faults);
    return r;
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The child's side: `task` timed, with the page faults taken while it ran;
// a task that failed (false) has -1 seconds.
inline Run timeTask(const std::function<bool()> &task)
{
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer clock;
    clock.start();
    const bool done = task();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    getrusage(RUSAGE_SELF, &after);
    return {done ? seconds : -1.0, -1, double(after.ru_minflt - before.ru_minflt)};
}

// Prints a run for the parent to read; the child's exit code.
inline int report(const Run &r)
{
    std::printf("%.6f %.6f %.0f\n", r.seconds, r.extra, r.faults);
    return r.seconds < 0 ? 1 : 0;
}

// The runs of a path and of its floor, taken in turns.
struct Turns {
    std::vector<double> path, floor, pathFaults, floorFaults, extra;
};

// One turn per iteration of `state`: the floor's run, then the path's; the
// path's seconds are the iteration's time, and "ratio" the median of each
// path's run over the floor's run of its turn. False when a run failed.
inline bool takeTurns(benchmark::State &state, const QStringList &pathArgs, const QStringList &floorArgs,
                      Turns &turns)
{
    for (auto _ : state) {
        const Run floor = run(floorArgs);
        const Run path = run(pathArgs);
        if (floor.seconds < 0 || path.seconds < 0) {
            state.SkipWithError(floor.seconds < 0 ? "the cold floor failed" : "the cold path failed");
            return false;
        }
        state.SetIterationTime(path.seconds);
        turns.path.push_back(path.seconds);
        turns.floor.push_back(floor.seconds);
        turns.pathFaults.push_back(path.faults);
        turns.floorFaults.push_back(floor.faults);
        turns.extra.push_back(path.extra);
    }
    // Each run over the floor's run beside it, which met the machine as it
    // was then.
    std::vector<double> ratios;
    for (size_t i = 0; i < turns.path.size(); ++i)
        ratios.push_back(turns.path[i] / turns.floor[i]);
    state.counters["floor_ms"] = median(turns.floor) * 1000;
    state.counters["ratio"] = median(ratios);
    state.counters["faults"] = median(turns.pathFaults);
    state.counters["floor_faults"] = median(turns.floorFaults);
    return true;
}

// The floor's side of the turns, as its own line: each run's seconds.
inline void replayFloor(benchmark::State &state, const Turns &turns)
{
    size_t i = 0;
    for (auto _ : state)
        state.SetIterationTime(turns.floor.empty() ? 0 : turns.floor[i++ % turns.floor.size()]);
    state.counters["faults"] = median(turns.floorFaults);
}

} // namespace benchcold
