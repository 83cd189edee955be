#pragma once
// The peak resident size of this process in KiB. getrusage's ru_maxrss
// would do, but on Linux a child started from a (large) benchmark process
// inherits the parent's figure across fork and exec; VmHWM, the same
// high-water mark kept per address space, starts afresh at exec.
#include <QByteArray>
#include <QFile>

#include <sys/resource.h>

inline double peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss);
}
