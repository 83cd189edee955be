// Backup and restore of the data folder: a round trip gives back every table,
// a damaged backup or a wrong folder changes nothing.
#include "boravest/data/BackupStore.h"
#include "boravest/data/TableSchemas.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace backup = bv::data::backup;

namespace {

class BackupStoreTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString data;
    pf::db::Database db;

    void SetUp() override
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        data = root.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        schema::createDataFolder(data);
        db.setDirectory(data);
        db.open();
        exec("insert into Bank1 (SHPROJE, NAME, SHAHR) values (12, 'a', 'تهران'), (3, 'b', 'يزد')");
        exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,1,1),(3,3,-2,1)");
        exec("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ti_) values "
             "(12,12,1,1,'اتاق',5,70),(3,3,-2,1,'آشپزخانه',6,68.5)");
        exec("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Masa1) values (12,12,1,1,5,'ديوار',120.25)");
    }
    void exec(const char *sql) { db.exec(QString::fromUtf8(sql)); }
    // Every table of the data folder, row by row.
    QList<QVector<QVector<QVariant>>> snapshot()
    {
        QList<QVector<QVector<QVariant>>> all;
        for (const auto &t : schema::dataFolderTables())
            all << db.select(QStringLiteral("select * from %1 order by rowid").arg(QFileInfo(t.fileName).completeBaseName()))
                       .rows;
        return all;
    }
    QString backupFolder() { return backup::backupTarget(root.filePath(QStringLiteral("chosen"))); }
};

} // namespace

TEST_F(BackupStoreTest, BackupThenRestoreGivesBackEveryTableAndOnlyTableFiles)
{
    db.attachTable(QStringLiteral("bankfz.DB")); // open tables do not hinder the copy
    const auto b = backup::backupDataFolder(db.directory(), root.filePath(QStringLiteral("chosen")));
    ASSERT_TRUE(b.ok()) << b.failed.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(b.target, root.filePath(QStringLiteral("chosen/BackubData")));
    EXPECT_EQ(b.copied, schema::dataFolderTables().size());

    // A second backup to the same folder replaces the copies.
    exec("update bankfz set Ti_ = 72 where Codefaza = 5");
    const auto changed = snapshot();
    ASSERT_TRUE(backup::backupDataFolder(db.directory(), root.filePath(QStringLiteral("chosen"))).ok());

    exec("delete from bankjd");
    exec("insert into Bank1 (SHPROJE, NAME) values (99, 'later')");
    // Whatever else sits in the backup folder is not restored.
    QFile other(QDir(backupFolder()).filePath(QStringLiteral("tool.exe")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("MZ") == 2);
    other.close();

    const auto r = backup::restoreDataFolder(db, backupFolder());
    ASSERT_TRUE(r.ok()) << r.damaged.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(r.message, QStringLiteral("بازيابي داده ها با موفقيت انجام شد"));
    EXPECT_TRUE(db.connected());
    EXPECT_EQ(snapshot(), changed);
    EXPECT_FALSE(QFile::exists(QDir(data).filePath(QStringLiteral("tool.exe"))));
    // Nothing of the swap is left behind in the data folder.
    EXPECT_EQ(QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

TEST_F(BackupStoreTest, DamagedBackupIsRefusedAndTheLiveDataStays)
{
    const std::vector<std::pair<const char *, std::function<void(QFile &)>>> cases = {
        {"header overwritten", [](QFile &f) { f.write(QByteArray(100, 'x')); }},
        {"pages zeroed", [](QFile &f) { f.seek(4096); f.write(QByteArray(f.size() - 4096, '\0')); }},
        {"not a table file", [](QFile &f) { f.resize(0); f.write("#!/bin/sh\n"); }},
    };
    for (const auto &[name, damage] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(backup::backupDataFolder(db.directory(), root.filePath(QStringLiteral("chosen"))).ok());
        QFile f(QDir(backupFolder()).filePath(QStringLiteral("bankfz.DB")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        damage(f);
        f.close();
        exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (7,7,2,2)");
        const auto live = snapshot();

        const auto r = backup::restoreDataFolder(db, backupFolder());
        EXPECT_EQ(r.outcome, backup::Outcome::Refused);
        EXPECT_EQ(r.damaged, QStringList{QStringLiteral("bankfz.DB")});
        EXPECT_EQ(r.message, QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد"));
        EXPECT_EQ(snapshot(), live);
    }
}

TEST_F(BackupStoreTest, WrongPathsAreRefused)
{
    // A data folder named like the backup folder, backed up into its parent:
    // source and destination are the same folder.
    const QString named = root.filePath(QStringLiteral("BackubData"));
    QDir().mkpath(named);
    schema::createDataFolder(named);
    const auto same = backup::backupDataFolder(named, root.path());
    EXPECT_EQ(same.outcome, backup::Outcome::SameFolder);
    EXPECT_EQ(same.message, QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - مسير را بررسي كنيد"));

    const auto noPath = backup::backupDataFolder(db.directory(), QStringLiteral("  "));
    EXPECT_EQ(noPath.outcome, backup::Outcome::NoPath);
    EXPECT_EQ(noPath.message, QStringLiteral(".مسير جديد براي پشتيبان مشخص نشده است دوباره سعي كنيد"));

    const auto live = snapshot();
    struct Case {
        QString folder;
        backup::Outcome outcome;
        QString message;
    };
    const std::vector<Case> cases = {
        {QString(), backup::Outcome::NoPath, QString()},
        {root.path(), backup::Outcome::NoTables, QStringLiteral(".مسير جديد براي بازيابي داده ها مشخص نشده است دوباره سعي كنيد")},
        {data, backup::Outcome::SameFolder, QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        const auto r = backup::restoreDataFolder(db, c.folder);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(db.connected());
    }
    EXPECT_EQ(snapshot(), live);
}

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST_F(BackupStoreTest, KilledBackupOrRestoreLeavesASoundDataFolder)
{
    // Two backups of different data; a child backs up and restores one and
    // then the other without end, and is killed at several points (a
    // negative delay: that many steps after a restore starts its swap). The
    // folder it leaves opens, passes the check and, once an interrupted
    // restore is put back, holds one of the two states whole.
    auto backupTo = [&](const char *name) {
        EXPECT_TRUE(backup::backupDataFolder(data, root.filePath(QLatin1String(name))).ok());
        return backup::backupTarget(root.filePath(QLatin1String(name)));
    };
    const auto first = snapshot();
    const QString firstBackup = backupTo("one");
    exec("insert into Bank1 (SHPROJE, NAME) values (40, 'c')");
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (40,40,3,1)");
    exec("delete from bankjd");
    const auto second = snapshot();
    const QString secondBackup = backupTo("two");
    db.close();
    const QString swapping = QDir(data).filePath(QStringLiteral("~brvrestore.old/~swapping"));
    for (int delay : {0, 3, 7, 15, 30, 60, -1, -10, -30, -100, -300, -1000}) {
        SCOPED_TRACE(delay);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            pf::db::Database own;
            own.setDirectory(data);
            for (;;) {
                backup::backupDataFolder(data, root.filePath(QStringLiteral("three")));
                backup::restoreDataFolder(own, firstBackup);
                backup::restoreDataFolder(own, secondBackup);
            }
        }
        if (delay >= 0)
            usleep(useconds_t(delay) * 1000);
        for (int polls = 0; delay < 0 && polls < 1000000 && !QFile::exists(swapping); ++polls) {
        }
        for (int steps = 0; steps < -delay; ++steps)
            QFile::exists(swapping);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        backup::recoverInterruptedRestore(data);
        for (const auto &t : schema::dataFolderTables()) {
            QString why;
            EXPECT_TRUE(backup::tableFileIsSound(QDir(data).filePath(t.fileName), &why))
                << t.fileName.toStdString() << ": " << why.toStdString();
        }
        db.open();
        const auto now = snapshot();
        EXPECT_TRUE(now == first || now == second);
        db.close();
    }
}
#endif
