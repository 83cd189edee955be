#include "platform/system/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#endif
#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_UNIX

namespace {

EntryKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

EntryKind kindOf(const QString &path, bool follow, int *error)
{
    struct stat st;
    const QByteArray p = QFile::encodeName(path);
    if ((follow ? ::stat(p.constData(), &st) : ::lstat(p.constData(), &st)) == 0) {
        if (error)
            *error = 0;
        return kindOfMode(st.st_mode);
    }
    if (error)
        *error = errno;
    return errno == ENOENT || errno == ENOTDIR ? EntryKind::None : EntryKind::Unknown;
}

} // namespace

EntryKind entryKind(const QString &path, int *error) { return kindOf(path, false, error); }

EntryKind targetKind(const QString &path, int *error) { return kindOf(path, true, error); }

PlainFile openPlainFile(const QString &path)
{
    PlainFile f;
    const EntryKind kind = targetKind(path, &f.error);
    if (kind == EntryKind::Folder || kind == EntryKind::Other) {
        f.notPlain = true;
        return f;
    }
    if (kind != EntryKind::File)
        return f;
    // Not waiting even if a pipe took the file's place since it was looked at.
    f.fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (f.fd < 0) {
        f.error = errno;
        return f;
    }
    struct stat st;
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(f.fd);
        f.fd = -1;
        f.notPlain = true;
        return f;
    }
    ::fcntl(f.fd, F_SETFL, ::fcntl(f.fd, F_GETFL) & ~O_NONBLOCK);
    f.error = 0;
    return f;
}

bool removeEntry(const QString &path, int *error)
{
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) {
        if (error)
            *error = 0;
        return true;
    }
    if (error)
        *error = errno;
    return false;
}

bool removeOwnFolder(const QString &path, OwnName own, QStringList *left, int *error)
{
    int err = 0;
    auto done = [&](bool ok) {
        if (error)
            *error = err;
        return ok;
    };
    const QByteArray p = QFile::encodeName(path);
    const EntryKind kind = entryKind(path, &err);
    if (kind == EntryKind::None)
        return done(true);
    if (kind != EntryKind::Folder) {
        // A link or a file in the place of the folder: the entry goes, what
        // a link names stays as it is.
        if (::unlink(p.constData()) == 0)
            return done(true);
        err = errno;
        return done(false);
    }
    const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return done(false);
    }
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        err = errno;
        ::close(fd);
        return done(false);
    }
    bool kept = false;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat st;
        const bool isFolder = ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        if (isFolder || !own(QFile::decodeName(name))) {
            kept = true;
            if (left)
                left->append(QFile::decodeName(name));
            continue;
        }
        if (::unlinkat(fd, e->d_name, 0) != 0 && errno != ENOENT) {
            kept = true;
            err = errno;
        }
    }
    ::closedir(dir);
    if (kept)
        return done(false);
    if (::rmdir(p.constData()) != 0 && errno != ENOENT) {
        err = errno;
        return done(false);
    }
    return done(true);
}

#else

EntryKind entryKind(const QString &path, int *error)
{
    if (error)
        *error = 0;
    const QFileInfo fi(path);
    if (fi.isSymLink())
        return EntryKind::Link;
    return targetKind(path, error);
}

EntryKind targetKind(const QString &path, int *error)
{
    if (error)
        *error = 0;
    const QFileInfo fi(path);
    if (!fi.exists())
        return EntryKind::None;
    return fi.isDir() ? EntryKind::Folder : fi.isFile() ? EntryKind::File : EntryKind::Other;
}

PlainFile openPlainFile(const QString &path)
{
    PlainFile f;
    const EntryKind kind = targetKind(path, &f.error);
    if (kind != EntryKind::File) {
        f.notPlain = kind != EntryKind::None;
        f.error = kind == EntryKind::None ? ENOENT : 0;
        return f;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        f.error = EACCES;
        return f;
    }
    f.fd = ::_dup(file.handle());
    return f;
}

bool removeEntry(const QString &path, int *error)
{
    if (error)
        *error = 0;
    if (entryKind(path) == EntryKind::None)
        return true;
    if (QFile::remove(path))
        return true;
    if (error)
        *error = EACCES;
    return false;
}

bool removeOwnFolder(const QString &path, OwnName own, QStringList *left, int *error)
{
    if (error)
        *error = 0;
    const EntryKind kind = entryKind(path);
    if (kind == EntryKind::None)
        return true;
    if (kind != EntryKind::Folder)
        return removeEntry(path, error);
    QDir dir(path);
    bool kept = false;
    for (const QFileInfo &e : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if ((e.isDir() && !e.isSymLink()) || !own(e.fileName()) || !QFile::remove(e.filePath())) {
            kept = true;
            if (left)
                left->append(e.fileName());
        }
    }
    return !kept && QDir().rmdir(path);
}

#endif

} // namespace pf::sys
