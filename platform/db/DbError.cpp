#include "platform/db/DbTypes.h"

#include <sqlite3.h>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pf::db {

DbError::DbError(const QString &userText)
    : std::runtime_error(userText.toStdString()), m_detail(userText), m_userText(userText)
{
}

DbError::DbError(DbFault fault, const QStringList &tables, const QString &detail)
    : std::runtime_error(detail.toStdString()), m_fault(fault), m_tables(tables), m_detail(detail)
{
}

DbFault faultOfEngineCode(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbFault::Busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return DbFault::Damaged;
    case SQLITE_CANTOPEN:
        return DbFault::Missing;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DbFault::ReadOnly;
    case SQLITE_FULL:
        return DbFault::DiskFull;
    case SQLITE_IOERR:
        return code == SQLITE_IOERR_READ || code == SQLITE_IOERR_SHORT_READ ? DbFault::Damaged : DbFault::ReadOnly;
    default:
        return DbFault::Other;
    }
}

DbFault faultOfSystemError(int error)
{
#ifdef Q_OS_WIN
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return DbFault::Busy;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return DbFault::Missing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return DbFault::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return DbFault::DiskFull;
    default:
        return DbFault::Other;
    }
#else
    switch (error) {
    case EBUSY:
    case ETXTBSY:
        return DbFault::Busy;
    case ENOENT:
        return DbFault::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
        return DbFault::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return DbFault::DiskFull;
    default:
        return DbFault::Other;
    }
#endif
}

QString DbError::message() const
{
    if (!m_userText.isEmpty())
        return m_userText;
    // What the failure concerns: the table files by name, or the data
    // folder as a whole.
    const QString subject = m_tables.isEmpty()
                                ? QStringLiteral("پوشه داده ها")
                                : (m_tables.size() == 1 ? QStringLiteral("جدول ") : QStringLiteral("جدولهاي ")) +
                                      m_tables.join(QStringLiteral("، "));
    switch (m_fault) {
    case DbFault::Busy:
        return QStringLiteral("%1 در اختيار برنامه ديگري است؛ آن برنامه را ببنديد و دوباره سعي كنيد").arg(subject);
    case DbFault::Damaged:
        return QStringLiteral("%1 آسيب ديده است").arg(subject);
    case DbFault::Missing:
        return QStringLiteral("%1 پيدا نشد").arg(subject);
    case DbFault::ReadOnly:
        return QStringLiteral("در %1 نمي توان نوشت").arg(subject);
    case DbFault::DiskFull:
        return QStringLiteral("در %1 نمي توان نوشت: جاي خالي ديسك تمام شده است").arg(subject);
    case DbFault::Changed:
        return QStringLiteral("ركوردي از %1 را برنامه ديگري تغيير داده يا حذف كرده است").arg(subject);
    case DbFault::Other:
        break;
    }
    return m_tables.isEmpty() ? QStringLiteral("عمليات پايگاه داده انجام نشد")
                              : QStringLiteral("عمليات روي %1 انجام نشد").arg(subject);
}

} // namespace pf::db
