#include "platform/system/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

using namespace pf::sys;

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

} // namespace

TEST(FileCopy, CopiesAndHonoursTheExistingTargetFlag)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("Bank1.DB"));
    const QString dst = dir.filePath(QStringLiteral("copy.DB"));
    QByteArray big(3 * 1024 * 1024 + 17, 'a');
    big[5] = '\0';
    writeFile(src, big);

    int code = -1;
    EXPECT_TRUE(copyFile(src, dst, true, &code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(dst), big);

    // failIfExists: the existing target is left alone.
    writeFile(dst, "old");
    EXPECT_FALSE(copyFile(src, dst, true, &code));
    EXPECT_EQ(code, EEXIST);
    EXPECT_EQ(readFile(dst), QByteArray("old"));

    // Otherwise it is replaced.
    EXPECT_TRUE(copyFile(src, dst, false, &code));
    EXPECT_EQ(readFile(dst), big);
}

TEST(FileCopy, FailuresLeaveTheTargetUntouched)
{
    QTemporaryDir dir;
    const QString dst = dir.filePath(QStringLiteral("t.db"));
    writeFile(dst, "keep");
    int code = 0;
    EXPECT_FALSE(copyFile(dir.filePath(QStringLiteral("none.db")), dst, false, &code));
    EXPECT_EQ(code, ENOENT);
    EXPECT_EQ(readFile(dst), QByteArray("keep"));

    EXPECT_FALSE(copyFile(dst, dir.filePath(QStringLiteral("no/such/folder/t.db")), false, &code));
    EXPECT_NE(code, 0);
}

TEST(FileSearch, FindsNamesCaseInsensitivelyPreferringTheExactOne)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Bank1.DB")), "1");
    EXPECT_EQ(findFile(dir.path(), QStringLiteral("bank1.db")), dir.filePath(QStringLiteral("Bank1.DB")));
    EXPECT_EQ(findFile(dir.path() + QStringLiteral("/"), QStringLiteral("BANK1.db")), dir.filePath(QStringLiteral("Bank1.DB")));
    writeFile(dir.filePath(QStringLiteral("bank1.db")), "2");
    EXPECT_EQ(findFile(dir.path(), QStringLiteral("bank1.db")), dir.filePath(QStringLiteral("bank1.db")));
    EXPECT_TRUE(findFile(dir.path(), QStringLiteral("Bank2.db")).isEmpty());
    EXPECT_TRUE(findFile(dir.filePath(QStringLiteral("nofolder")), QStringLiteral("Bank1.db")).isEmpty());
}

TEST(FileSearch, ListsPlainFilesByPattern)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("b.DB")), "");
    writeFile(dir.filePath(QStringLiteral("a.db")), "");
    writeFile(dir.filePath(QStringLiteral(".hidden.db")), "");
    writeFile(dir.filePath(QStringLiteral("c.px")), "");
    writeFile(dir.filePath(QStringLiteral("noext")), "");
    ASSERT_TRUE(makeFolder(dir.filePath(QStringLiteral("sub.db"))));

    const QStringList dbs = listFiles(dir.path(), QStringLiteral("*.db"));
    EXPECT_EQ(dbs, (QStringList{QStringLiteral(".hidden.db"), QStringLiteral("a.db"), QStringLiteral("b.DB")}));
    EXPECT_EQ(listFiles(dir.path(), QStringLiteral("*.*")).size(), 5);
    EXPECT_TRUE(listFiles(dir.filePath(QStringLiteral("missing")), QStringLiteral("*")).isEmpty());
}

TEST(Folders, MakesNestedFolders)
{
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("x/BackubData"));
    EXPECT_TRUE(makeFolder(nested));
    EXPECT_TRUE(makeFolder(nested));
    writeFile(dir.filePath(QStringLiteral("file")), "");
    EXPECT_FALSE(makeFolder(dir.filePath(QStringLiteral("file/sub"))));
}

TEST(Folders, AFolderHeldOpenIsActedOnByNameNeverThroughALink)
{
    QTemporaryDir dir;
    const QString held = dir.filePath(QStringLiteral("held"));
    const QString outside = dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(makeFolder(held) && makeFolder(outside));
    for (const QString &f : {held + QStringLiteral("/x"), outside + QStringLiteral("/x")})
        writeFile(f, "keep");
    ASSERT_TRUE(QFile::link(outside, held + QStringLiteral("/link")));
    const Folder folder = Folder::open(held, false);
    ASSERT_TRUE(folder.isOpen());
    // The folder is swapped for a link to another after it was opened: what
    // is done by name still happens in the folder held.
    ASSERT_TRUE(QFile::rename(held, dir.filePath(QStringLiteral("moved"))) && QFile::link(outside, held));
    int error = 0;
    EXPECT_EQ(folder.kind(QStringLiteral("link")), EntryKind::Link);
    EXPECT_FALSE(folder.folder(QStringLiteral("link"), &error).isOpen());
    EXPECT_EQ(error, ELOOP);
    EXPECT_TRUE(folder.openPlain(QStringLiteral("link")).link);
    EXPECT_TRUE(folder.removeOwnFolder(QStringLiteral("link"), [](const QString &) { return true; }));
    EXPECT_TRUE(folder.rename(QStringLiteral("x"), folder, QStringLiteral("y")));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("moved/y"))), QByteArray("keep"));
    EXPECT_EQ(readFile(outside + QStringLiteral("/x")), QByteArray("keep"));
    EXPECT_FALSE(Folder::open(held, false, &error).isOpen());
    EXPECT_EQ(error, ELOOP);
    EXPECT_TRUE(Folder::open(held, true).isOpen());
    // A change the fault hook fails is not made.
    setFaultHook([](Change, const QString &) { return EIO; });
    EXPECT_FALSE(folder.remove(QStringLiteral("y"), &error));
    setFaultHook({});
    EXPECT_EQ(error, EIO);
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("moved/y"))), QByteArray("keep"));
}
