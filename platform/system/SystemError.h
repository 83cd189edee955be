#pragma once
// Failures of the operating-system services (settings store, processes,
// files), carrying the system's error number where there is one.
#include <QString>
#include <stdexcept>

namespace pf::sys {

class SystemError : public std::runtime_error {
public:
    SystemError(const QString &msg, int errorCode = 0)
        : std::runtime_error(msg.toStdString()), m_msg(msg), m_code(errorCode) {}
    QString message() const { return m_msg; }
    // errno value of the failing call (ENOENT = 2 for a missing file), 0 when
    // the failure has none.
    int errorCode() const { return m_code; }

private:
    QString m_msg;
    int m_code;
};

} // namespace pf::sys
