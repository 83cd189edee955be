#include "platform/system/Files.h"
#include "platform/system/Process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pf::sys;

TEST(ProcessLauncher, WaitingReturnsTheExitCode)
{
    EXPECT_EQ(startProcess(QStringLiteral("/bin/true"), true, QString(), kShowNormal), 0u);
    EXPECT_EQ(startProcess(QStringLiteral("/bin/false"), true, QString(), kShowNormal), 1u);
    // The command line is split into arguments for the program itself;
    // double quotes group an argument.
    EXPECT_EQ(startProcess(QStringLiteral("/bin/sh"), true, QStringLiteral("-c \"exit 3\""), kShowNormal), 3u);
    EXPECT_EQ(startProcess(QStringLiteral("/bin/sh"), true, QStringList{QStringLiteral("-c"), QStringLiteral("exit 3")}),
              3u);
    // A program ended by a signal.
    EXPECT_EQ(startProcess(QStringLiteral("/bin/sh"), true, QStringList{QStringLiteral("-c"), QStringLiteral("kill -9 $$")}),
              137u);
}

TEST(ProcessLauncher, WaitIsHonoured)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("done"));
    // The file is written only after a pause; with wait it is there on return.
    startProcess(QStringLiteral("/bin/sh"), true,
                 QStringList{QStringLiteral("-c"), QStringLiteral("sleep 0.2; echo x > \"$0\""), marker});
    EXPECT_TRUE(QFile::exists(marker));

    // Without waiting there is no exit code to return.
    EXPECT_EQ(startProcess(QStringLiteral("/bin/sh"), false, QStringLiteral("-c \"exit 7\"")), 0u);
}

TEST(ProcessLauncher, NoShellInterpretsTheCommandLine)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("created"));
    EXPECT_EQ(startProcess(QStringLiteral("/bin/echo"), true, QStringLiteral("hello; touch ") + victim), 0u);
    EXPECT_FALSE(QFile::exists(victim));
}

TEST(ProcessLauncher, LongPathsAndCommandLinesPassWhole)
{
    QTemporaryDir dir;
    const QString deep = dir.filePath(QString(90, QLatin1Char('d')) + QStringLiteral("/") + QString(40, QLatin1Char('e')));
    ASSERT_TRUE(makeFolder(deep));
    const QString program = deep + QStringLiteral("/Rodiz.exe");
    ASSERT_TRUE(copyFile(QStringLiteral("/bin/sh"), program, true));
    ASSERT_GT(program.size(), 80);
    const QString longArgs = QStringLiteral("-c \"exit 5\" ") + QString(200, QLatin1Char('x'));
    EXPECT_EQ(startProcess(program, true, longArgs), 5u);
}

TEST(ProcessLauncher, FailedStartCarriesTheSystemErrorNumber)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Rodiz.exe"));
    try {
        startProcess(missing, true, QString(), kShowNormal);
        FAIL() << "a missing program must not start";
    } catch (const ProcessStartError &e) {
        EXPECT_EQ(e.errorCode(), 2);
        EXPECT_EQ(e.program(), missing);
    }

    // A file that may not be run.
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a program");
    f.close();
    try {
        startProcess(plain, true, QString());
        FAIL() << "a plain file must not start";
    } catch (const ProcessStartError &e) {
        EXPECT_EQ(e.errorCode(), 13);
    }
}
