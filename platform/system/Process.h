#pragma once
// Starting another program directly (never through a shell) and, when
// asked, waiting for it to end.
#include "platform/system/SystemError.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace pf::sys {

// Show code of a normal window (the one every caller of the system passes).
constexpr int kShowNormal = 1;

// A program that could not be started; errorCode() is the system's error
// number (2 when the file does not exist, 13 when it may not be run).
class ProcessStartError : public SystemError {
public:
    ProcessStartError(const QString &program, int errorCode);
    QString program() const { return m_program; }

private:
    QString m_program;
};

// Starts the program at `path` with the arguments split out of
// `commandLine` (blanks separate them, double quotes group them; no shell
// is involved). With `wait` it blocks until the program ends and returns
// its exit code (128 + the signal number when a signal ended it); without,
// it returns 0 at once and the program runs on by itself. `showCmd` is the
// requested window show code; this window system gives it no meaning.
// Throws ProcessStartError when the program cannot be started.
uint32_t startProcess(const QString &path, bool wait, const QString &commandLine, int showCmd = kShowNormal);

// The same with the arguments given one by one.
uint32_t startProcess(const QString &path, bool wait, const QStringList &arguments, int showCmd = kShowNormal);

} // namespace pf::sys
