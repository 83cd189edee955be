#pragma once
// Helpers shared by the dataset classes: quoting, field lists, value
// conversion and ordering.
#include "platform/db/Db.h"

#include "platform/common/Numbers.h"

#include <sqlite3.h>

namespace pf::db::detail {

// Marks our table files; the low bit of user_version says the file is
// protected by the session password.
inline constexpr int kApplicationId = 0x42525631; // "BRV1"

inline QString quoteId(const QString &id)
{
    QString s = id;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

inline QStringList splitFields(const QString &s)
{
    QStringList out;
    for (const QString &p : s.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

// The field type of a column as the table file declares it (`key`: the
// column is the row key); `size` receives a text field's length.
inline FieldType fieldTypeOfDecl(const QString &declared, bool key, int *size)
{
    const QString decl = declared.toUpper();
    *size = 0;
    if (decl.startsWith(QLatin1String("VARCHAR")) || decl.startsWith(QLatin1String("CHAR")) ||
        decl.startsWith(QLatin1String("TEXT")) || decl.startsWith(QLatin1String("STRING"))) {
        const qsizetype open = decl.indexOf(QLatin1Char('('));
        bool ok = false;
        const int n = open < 0 ? 0 : decl.mid(open + 1).section(QLatin1Char(')'), 0, 0).trimmed().toInt(&ok);
        *size = ok ? n : 255;
        return FieldType::String;
    }
    if (decl.startsWith(QLatin1String("SMALLINT")))
        return FieldType::SmallInt;
    if (decl.startsWith(QLatin1String("INT")))
        return key ? FieldType::AutoInc : FieldType::Integer;
    if (decl.startsWith(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (decl.startsWith(QLatin1String("BLOB")) || decl.startsWith(QLatin1String("GRAPHIC")))
        return FieldType::Blob;
    return FieldType::Float;
}

inline FieldType typeFromDecl(const QString &declRaw, const QVariant &sample)
{
    const QString decl = declRaw.toUpper();
    if (decl.isEmpty()) {
        switch (sample.typeId()) {
        case QMetaType::LongLong:
            return FieldType::Integer;
        case QMetaType::QString:
            return FieldType::String;
        case QMetaType::QByteArray:
            return FieldType::Blob;
        default:
            return FieldType::Float;
        }
    }
    if (decl.startsWith(QLatin1String("VARCHAR")) || decl.startsWith(QLatin1String("CHAR")) ||
        decl.startsWith(QLatin1String("TEXT")))
        return FieldType::String;
    if (decl.startsWith(QLatin1String("SMALLINT")))
        return FieldType::SmallInt;
    if (decl.startsWith(QLatin1String("INT")))
        return FieldType::Integer;
    if (decl.startsWith(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (decl.startsWith(QLatin1String("BLOB")))
        return FieldType::Blob;
    return FieldType::Float;
}

// Brings a stored value to the field's type.
inline QVariant normalise(FieldType t, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (t) {
    case FieldType::Float: {
        if (v.typeId() == QMetaType::QString) {
            double d = 0;
            if (pf::strToFloat(v.toString(), &d))
                return d;
            return QVariant();
        }
        return v.toDouble();
    }
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
        if (v.typeId() == QMetaType::Double)
            return qlonglong(pf::roundToInt(v.toDouble()));
        return v.toLongLong();
    case FieldType::Boolean:
        return v.toLongLong() != 0;
    case FieldType::String:
        if (v.typeId() == QMetaType::Double)
            return pf::floatToStr(v.toDouble());
        return v.toString();
    case FieldType::Blob:
        return v.toByteArray();
    }
    return v;
}

// Whether a value is already what normalise would make of it for the type.
inline bool holdsType(FieldType t, const QVariant &v)
{
    switch (t) {
    case FieldType::Float:
        return v.typeId() == QMetaType::Double;
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
        return v.typeId() == QMetaType::LongLong;
    case FieldType::String:
        return v.typeId() == QMetaType::QString;
    default:
        return false;
    }
}

inline QString textOf(FieldType t, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (t) {
    case FieldType::Float:
        return pf::floatToStr(v.toDouble());
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Blob:
        return QString::fromLatin1(v.toByteArray());
    default:
        // The values fields hold, taken as they are.
        if (v.typeId() == QMetaType::QString)
            return *static_cast<const QString *>(v.constData());
        if (v.typeId() == QMetaType::LongLong)
            return QString::number(*static_cast<const qlonglong *>(v.constData()));
        return v.toString();
    }
}

// Order of two values as an index orders them: null first, numbers by
// value, texts by the Persian collation.
inline int compareValues(const QVariant &a, const QVariant &b)
{
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const bool as = a.typeId() == QMetaType::QString, bs = b.typeId() == QMetaType::QString;
    if (as && bs)
        return persianCompare(a.toString(), b.toString());
    if (as != bs) {
        // A text key against a number: compare as numbers when the text is one.
        double x = 0;
        if (as && pf::strToFloat(a.toString(), &x)) {
            const double y = b.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (bs && pf::strToFloat(b.toString(), &x)) {
            const double y = a.toDouble();
            return y < x ? -1 : (y > x ? 1 : 0);
        }
        return as ? 1 : -1;
    }
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Each column is asked of the engine once: its value, whose type and
// contents are then read without another call.
inline QVariant columnValue(sqlite3_stmt *st, int c)
{
    sqlite3_value *v = sqlite3_column_value(st, c);
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
    default:
        return QVariant();
    }
}

// A column of the current row as the field's type holds it (what
// normalise(columnValue(...)) gives, without the detour for the common
// cases).
inline QVariant fieldValue(sqlite3_stmt *st, int c, FieldType t)
{
    sqlite3_value *v = sqlite3_column_value(st, c);
    const int ct = sqlite3_value_type(v);
    if (ct == SQLITE_NULL)
        return QVariant();
    switch (t) {
    case FieldType::Float:
        if (ct == SQLITE_FLOAT || ct == SQLITE_INTEGER)
            return QVariant(sqlite3_value_double(v));
        break;
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
        if (ct == SQLITE_INTEGER)
            return QVariant(qlonglong(sqlite3_value_int64(v)));
        break;
    case FieldType::String:
        if (ct == SQLITE_TEXT)
            return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v)));
        break;
    default:
        break;
    }
    return normalise(t, columnValue(st, c));
}

} // namespace pf::db::detail
