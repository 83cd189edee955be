#include "platform/system/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

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

bool failed(int *error, int code)
{
    if (error)
        *error = code;
    return false;
}

} // namespace

bool copyFile(const QString &from, const QString &to, bool failIfExists, int *errorCode)
{
    if (errorCode)
        *errorCode = 0;
    QFileInfo src(from);
    if (!src.exists())
        return failed(errorCode, ENOENT);
    if (src.isDir())
        return failed(errorCode, EISDIR);
    QFileInfo dst(to);
    if (dst.exists()) {
        if (failIfExists)
            return failed(errorCode, EEXIST);
        if (dst.isDir())
            return failed(errorCode, EISDIR);
    }

    QFile in(from);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return failed(errorCode, errnoFor(in.error(), EACCES));
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly))
        return failed(errorCode, errnoFor(out.error(), EACCES));
    QByteArray buf;
    while (!in.atEnd()) {
        buf = in.read(1 << 20);
        if (buf.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return failed(errorCode, EIO);
        }
        if (out.write(buf) != buf.size()) {
            out.cancelWriting();
            return failed(errorCode, errnoFor(out.error(), EIO));
        }
    }
    errno = 0;
    if (!out.commit())
        return failed(errorCode, errnoFor(out.error(), EIO));
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

namespace {

FaultHook &faultHook()
{
    static FaultHook hook;
    return hook;
}

// Asks the hook about a change; its error, or 0 when the change may be made.
int faulted(Change change, const QString &path)
{
    const FaultHook &hook = faultHook();
    return hook ? hook(change, path) : 0;
}

bool succeeded(int *error)
{
    if (error)
        *error = 0;
    return true;
}

} // namespace

void setFaultHook(FaultHook hook) { faultHook() = std::move(hook); }

QString Folder::filePath(const QString &name) const
{
    return m_path.endsWith(QLatin1Char('/')) ? m_path + name : m_path + QLatin1Char('/') + name;
}

QStringList folderRoots()
{
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
            roots << v.rootPath();
    return roots;
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

EntryKind kindOfError(int error) { return error == ENOENT || error == ENOTDIR ? EntryKind::None : EntryKind::Unknown; }

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
    return kindOfError(errno);
}

// A descriptor opened for reading without waiting, kept only when it is a
// plain file.
PlainFile plainOf(int fd, int openError)
{
    PlainFile f;
    if (fd < 0) {
        f.error = openError;
        f.link = openError == ELOOP;
        f.notPlain = f.link;
        return f;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        f.notPlain = true;
        return f;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    f.fd = fd;
    return f;
}

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::shared_ptr<const int> holding(int fd)
{
    return std::shared_ptr<const int>(new int(fd), [](const int *p) {
        ::close(*p);
        delete p;
    });
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
    const int fd = ::open(QFile::encodeName(path).constData(), kReadFlags);
    return plainOf(fd, fd < 0 ? errno : 0);
}

Folder Folder::open(const QString &path, bool follow, int *error)
{
    Folder f;
    const int fd = ::open(QFile::encodeName(path).constData(), kFolderFlags | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        failed(error, errno == ENOTDIR && !follow && entryKind(path) == EntryKind::Link ? ELOOP : errno);
        return f;
    }
    succeeded(error);
    f.m_fd = holding(fd);
    f.m_path = path;
    return f;
}

Folder Folder::folder(const QString &name, int *error) const
{
    Folder f;
    if (!m_fd) {
        failed(error, EBADF);
        return f;
    }
    const int fd = ::openat(*m_fd, QFile::encodeName(name).constData(), kFolderFlags | O_NOFOLLOW);
    if (fd < 0) {
        // A link in its place is no folder of this one.
        failed(error, errno == ENOTDIR && kind(name) == EntryKind::Link ? ELOOP : errno);
        return f;
    }
    succeeded(error);
    f.m_fd = holding(fd);
    f.m_path = filePath(name);
    return f;
}

EntryKind Folder::kind(const QString &name, int *error) const
{
    struct stat st;
    if (m_fd && ::fstatat(*m_fd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        succeeded(error);
        return kindOfMode(st.st_mode);
    }
    const int e = m_fd ? errno : EBADF;
    failed(error, e);
    return kindOfError(e);
}

qint64 Folder::size(const QString &name) const
{
    struct stat st;
    if (m_fd && ::fstatat(*m_fd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return qint64(st.st_size);
    return -1;
}

QStringList Folder::entries(int *error) const
{
    QStringList names;
    if (!m_fd) {
        failed(error, EBADF);
        return names;
    }
    // A listing of its own: the descriptor held stays where it is.
    const int fd = ::openat(*m_fd, ".", kFolderFlags);
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        failed(error, errno);
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names << QFile::decodeName(name);
    }
    ::closedir(dir);
    names.sort();
    succeeded(error);
    return names;
}

PlainFile Folder::openPlain(const QString &name) const
{
    if (!m_fd) {
        PlainFile f;
        f.error = EBADF;
        return f;
    }
    // A pipe opened without waiting is refused by what it is, once open.
    const int fd = ::openat(*m_fd, QFile::encodeName(name).constData(), kReadFlags | O_NOFOLLOW);
    return plainOf(fd, fd < 0 ? errno : 0);
}

bool Folder::makeFolder(const QString &name, int *error) const
{
    if (!m_fd)
        return failed(error, EBADF);
    if (const int e = faulted(Change::MakeFolder, filePath(name)))
        return failed(error, e);
    if (::mkdirat(*m_fd, QFile::encodeName(name).constData(), 0777) != 0)
        return failed(error, errno);
    return succeeded(error);
}

bool Folder::remove(const QString &name, int *error) const
{
    if (!m_fd)
        return failed(error, EBADF);
    if (kind(name) == EntryKind::None)
        return succeeded(error);
    if (const int e = faulted(Change::Remove, filePath(name)))
        return failed(error, e);
    if (::unlinkat(*m_fd, QFile::encodeName(name).constData(), 0) == 0 || errno == ENOENT)
        return succeeded(error);
    return failed(error, errno);
}

bool Folder::removeOwnFolder(const QString &name, OwnName own, QStringList *left, int *error) const
{
    const EntryKind k = kind(name, error);
    if (k == EntryKind::None)
        return succeeded(error);
    if (k != EntryKind::Folder)
        return remove(name, error);
    int err = 0;
    const Folder inner = folder(name, &err);
    if (!inner.isOpen())
        return failed(error, err);
    const QStringList names = inner.entries(&err);
    if (err != 0)
        return failed(error, err);
    bool kept = false;
    for (const QString &entry : names) {
        if (inner.kind(entry) == EntryKind::Folder || !own(entry)) {
            kept = true;
            if (left)
                left->append(entry);
            continue;
        }
        int e = 0;
        if (!inner.remove(entry, &e)) {
            kept = true;
            err = e;
            if (left)
                left->append(entry);
        }
    }
    if (kept)
        return failed(error, err ? err : ENOTEMPTY);
    if (const int e = faulted(Change::Remove, filePath(name)))
        return failed(error, e);
    if (::unlinkat(*m_fd, QFile::encodeName(name).constData(), AT_REMOVEDIR) != 0 && errno != ENOENT)
        return failed(error, errno);
    return succeeded(error);
}

bool Folder::rename(const QString &name, const Folder &to, const QString &toName, int *error) const
{
    if (!m_fd || !to.m_fd)
        return failed(error, EBADF);
    if (const int e = faulted(Change::Rename, filePath(name)))
        return failed(error, e);
    if (::renameat(*m_fd, QFile::encodeName(name).constData(), *to.m_fd, QFile::encodeName(toName).constData()) != 0)
        return failed(error, errno);
    return succeeded(error);
}

bool Folder::exchange(const QString &a, const QString &b, int *error) const
{
    if (!m_fd)
        return failed(error, EBADF);
#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
    if (const int e = faulted(Change::Rename, filePath(a)))
        return failed(error, e);
    if (::renameat2(*m_fd, QFile::encodeName(a).constData(), *m_fd, QFile::encodeName(b).constData(),
                    RENAME_EXCHANGE) != 0)
        return failed(error, errno);
    return succeeded(error);
#else
    Q_UNUSED(a);
    Q_UNUSED(b);
    return failed(error, ENOSYS);
#endif
}

bool Folder::sync(int *error) const
{
    if (!m_fd)
        return failed(error, EBADF);
    if (const int e = faulted(Change::Sync, m_path))
        return failed(error, e);
    if (::fsync(*m_fd) != 0)
        return failed(error, errno);
    return succeeded(error);
}

NewFile::NewFile(const Folder &in, const QString &name) : m_path(in.filePath(name))
{
    // The name is taken afresh: a link or file there goes as the entry it
    // is, and the file is made new, so no link is written through.
    if (!in.remove(name, &m_error))
        return;
    if ((m_error = faulted(Change::Write, m_path)) != 0)
        return;
    m_fd = ::openat(*in.m_fd, QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    0666);
    if (m_fd < 0)
        m_error = errno;
}

NewFile::~NewFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool NewFile::write(const char *data, qint64 size)
{
    if (m_error)
        return false;
    if ((m_error = faulted(Change::Write, m_path)) != 0)
        return false;
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool NewFile::finish()
{
    if (!m_error && (m_error = faulted(Change::Sync, m_path)) == 0 && ::fsync(m_fd) != 0)
        m_error = errno;
    if (m_fd >= 0 && ::close(m_fd) != 0 && !m_error)
        m_error = errno;
    m_fd = -1;
    return !m_error;
}

#else
#error "The file layer is written for POSIX systems."
#endif

} // namespace pf::sys
