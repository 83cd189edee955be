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
