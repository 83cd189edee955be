// The main window's process launcher and display rounding.
#include "MainWindowFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {

class LauncherTest : public testsupport::MainWindowFixture {
protected:
    QTemporaryDir work;
    QString path(const char *name) const { return work.filePath(QString::fromLatin1(name)); }
    QString readFile(const QString &p) const
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }
    void writeScript(const QString &p, const char *body)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(body);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // The launcher's error for a program that cannot be started.
    QString launchError(const QString &program)
    {
        try {
            Form1->RunAndWait(program, true, QString(), 1);
        } catch (const ELaunchError &e) {
            return e.message();
        }
        return QString();
    }
};

using RoundXTest = testsupport::MainWindowFixture;

} // namespace

TEST_F(RoundXTest, ThreeRangesWithHalvesToEven)
{
    const struct {
        double x, expected;
    } cases[] = {
        // 100 and above: whole numbers.
        {1234.5, 1234}, {1235.5, 1236}, {100.5, 100}, {101.5, 102}, {100, 100}, {250.49, 250},
        // 1 to below 100: two decimals; 99.995 is a tie that goes up to 100.
        {99.999, 100}, {99.995, 100}, {2.345, 2.34}, {2.355, 2.36}, {1, 1}, {12.3456, 12.35},
        // Below 1, negatives included: three decimals.
        {0.12345, 0.123}, {0.0125, 0.012}, {0.0135, 0.014}, {0.9995, 1}, {-2.5, -2.5}, {-0.0125, -0.012},
        {-150.5, -150.5}, {-1.23456, -1.235}, {0, 0}};
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Form1->RoundX(c.x), c.expected) << c.x;
}

TEST_F(LauncherTest, RunsWithoutAShellAndReturnsTheExitCode)
{
    // The command line is split into arguments; quotes group, no shell
    // reads it, so the quoted text reaches sh whole.
    EXPECT_EQ(Form1->RunAndWait(QStringLiteral("/bin/sh"), true, QStringLiteral("-c \"exit 7\""), 1), 7u);
    EXPECT_EQ(Form1->RunAndWait(QStringLiteral("/bin/sh"), true, QStringLiteral("-c true"), 1), 0u);
    const QString out = path("out.txt");
    EXPECT_EQ(Form1->RunAndWait(QStringLiteral("/bin/sh"), true,
                                QStringLiteral("-c \"echo $0 > ") + out + QStringLiteral("\" 'a;b'"), 1),
              0u);
    EXPECT_EQ(readFile(out), QStringLiteral("'a;b'"));
    // A long program path and command line are passed whole.
    const QString deep = work.filePath(QString(120, QLatin1Char('d')));
    QDir().mkpath(deep);
    const QString prog = deep + QStringLiteral("/prog");
    writeScript(prog, "#!/bin/sh\nexit $#\n");
    QString args;
    for (int i = 0; i < 60; ++i)
        args += QStringLiteral(" arg%1").arg(i);
    EXPECT_EQ(Form1->RunAndWait(prog, true, args, 1), 60u);
}

TEST_F(LauncherTest, WaitsOnlyWhenAsked)
{
    // With wait the program has finished when the call returns.
    const QString out = path("waited.txt");
    Form1->RunAndWait(QStringLiteral("/bin/sh"), true,
                      QStringLiteral("-c \"sleep 0.2; echo done > ") + out + QStringLiteral("\""), 1);
    EXPECT_EQ(readFile(out), QStringLiteral("done"));

    // Without wait the call returns while the program still runs: the
    // program waits for a file the test makes only after the call.
    const QString go = path("go");
    const QString out2 = path("free.txt");
    const QString script = path("free.sh");
    writeScript(script, QStringLiteral("#!/bin/sh\n"
                                       "i=0\n"
                                       "while [ ! -e '%1' ]; do i=$((i+1)); [ $i -gt 200 ] && { echo gaveup > '%2'; exit 1; }; sleep 0.05; done\n"
                                       "echo done > '%2'\n")
                            .arg(go, out2)
                            .toUtf8()
                            .constData());
    Form1->RunAndWait(script, false, QString(), 1);
    QFile(go).open(QIODevice::WriteOnly);
    QElapsedTimer t;
    t.start();
    while (readFile(out2).isEmpty() && t.elapsed() < 20000)
        QThread::msleep(20);
    EXPECT_EQ(readFile(out2), QStringLiteral("done"));
}

TEST_F(LauncherTest, AFailedStartRaisesTheErrorText)
{
    EXPECT_EQ(launchError(QStringLiteral("/nonexistent/x")),
              QStringLiteral("Failed to excecute program/nonexistent/x.Error cod 2"));
    try {
        Form1->RunAndWait(QStringLiteral("/nonexistent/x"), false, QString(), 1);
        ADD_FAILURE() << "no error";
    } catch (const ELaunchError &e) {
        EXPECT_EQ(e.errorCode(), 2);
    }
    // A file that may not be run: the system's "permission denied", 13.
    const QString plain = path("plain.txt");
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(launchError(plain), QStringLiteral("Failed to excecute program") + plain + QStringLiteral(".Error cod 13"));
}

TEST_F(LauncherTest, CalculatorOfTheDataFolder)
{
    // Missing: the pages' F12 shows the launcher's text as a message.
    const QString rodiz = DM1->Database1->directory() + QStringLiteral("Rodiz.exe");
    Form1->RunRodiz();
    EXPECT_EQ(testsupport::takeMessages(),
              QStringList{QStringLiteral("Failed to excecute program") + rodiz + QStringLiteral(".Error cod 2")});

    // Present: it runs with no arguments and is waited for.
    const QString out = path("rodiz.txt");
    writeScript(rodiz, QStringLiteral("#!/bin/sh\nsleep 0.2\necho \"ran $#\" > '%1'\nexit 3\n").arg(out).toUtf8().constData());
    Form1->RunRodiz();
    EXPECT_EQ(readFile(out), QStringLiteral("ran 0"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
}
