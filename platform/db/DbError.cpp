#include "platform/db/DbTypes.h"

namespace pf::db {

DbError::DbError(const QString &userText)
    : std::runtime_error(userText.toStdString()), m_detail(userText), m_userText(userText)
{
}

DbError::DbError(DbFault fault, const QStringList &tables, const QString &detail)
    : std::runtime_error(detail.toStdString()), m_fault(fault), m_tables(tables), m_detail(detail)
{
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
