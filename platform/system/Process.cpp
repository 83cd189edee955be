#include "platform/system/Process.h"

#include <QProcess>

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace pf::sys {

ProcessStartError::ProcessStartError(const QString &program, int errorCode)
    : SystemError(QStringLiteral("Cannot start %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(errorCode))),
                  errorCode),
      m_program(program)
{
}

namespace {

uint32_t exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return uint32_t(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return uint32_t(128 + WTERMSIG(status));
    return 0;
}

// Collects the exit status of a program nobody waits for, so that it does
// not linger as a zombie.
void reapLater(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

uint32_t startProcess(const QString &path, bool wait, const QString &commandLine, int showCmd)
{
    return startProcess(path, wait, QProcess::splitCommand(commandLine), showCmd);
}

uint32_t startProcess(const QString &path, bool wait, const QStringList &arguments, int showCmd)
{
    (void)showCmd;
    if (path.isEmpty())
        throw ProcessStartError(path, ENOENT);

    // The texts are copied whole into buffers of their own length.
    std::vector<std::string> store;
    store.reserve(size_t(arguments.size()) + 1);
    store.push_back(path.toLocal8Bit().toStdString());
    for (const QString &a : arguments)
        store.push_back(a.toLocal8Bit().toStdString());
    std::vector<char *> argv;
    argv.reserve(store.size() + 1);
    for (std::string &s : store)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, store.front().c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0)
        throw ProcessStartError(path, rc);

    if (!wait) {
        reapLater(pid);
        return 0;
    }
    int status = 0;
    pid_t r;
    do {
        r = waitpid(pid, &status, 0);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return 0; // the wait failed: no exit code to report
    return exitCodeOf(status);
}

} // namespace pf::sys
