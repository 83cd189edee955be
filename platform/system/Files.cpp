#include "platform/system/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace pf::sys {

namespace {

int errnoFor(QFileDevice::FileError e, int fallback)
{
    switch (e) {
    case QFileDevice::OpenError:
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return errno ? errno : fallback;
    case QFileDevice::PermissionsError:
        return EACCES;
    default:
        return fallback;
    }
}

bool fail(int *errorCode, int code)
{
    if (errorCode)
        *errorCode = code;
    return false;
}

} // namespace

bool copyFile(const QString &from, const QString &to, bool failIfExists, int *errorCode)
{
    if (errorCode)
        *errorCode = 0;
    QFileInfo src(from);
    if (!src.exists())
        return fail(errorCode, ENOENT);
    if (src.isDir())
        return fail(errorCode, EISDIR);
    QFileInfo dst(to);
    if (dst.exists()) {
        if (failIfExists)
            return fail(errorCode, EEXIST);
        if (dst.isDir())
            return fail(errorCode, EISDIR);
    }

    QFile in(from);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return fail(errorCode, errnoFor(in.error(), EACCES));
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly))
        return fail(errorCode, errnoFor(out.error(), EACCES));
    QByteArray buf;
    while (!in.atEnd()) {
        buf = in.read(1 << 20);
        if (buf.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return fail(errorCode, EIO);
        }
        if (out.write(buf) != buf.size()) {
            out.cancelWriting();
            return fail(errorCode, errnoFor(out.error(), EIO));
        }
    }
    errno = 0;
    if (!out.commit())
        return fail(errorCode, errnoFor(out.error(), EIO));
    QFile::setPermissions(to, src.permissions());
    return true;
}

QString findFile(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return QString();
    QDir dir(folder);
    if (!dir.exists())
        return QString();
    if (QFileInfo(dir.filePath(name)).isFile())
        return QDir::cleanPath(dir.filePath(name));
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(dir.filePath(e));
    }
    return QString();
}

QStringList listFiles(const QString &folder, const QString &pattern)
{
    QDir dir(folder);
    if (!dir.exists())
        return {};
    // "*.*" names every file, with or without a dot, as it always has.
    const QString p = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList result;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &e : entries) {
        if (re.match(e).hasMatch())
            result.append(e);
    }
    return result;
}

bool makeFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    QDir().mkpath(path);
    return QFileInfo(path).isDir();
}

} // namespace pf::sys
