// Backup and restore of the data folder: a round trip gives back every table,
// a damaged backup or a wrong folder changes nothing.
#include "boravest/data/BackupStore.h"
#include "boravest/data/TableSchemas.h"

#include "support/CrashShim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

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
    // Every table of a data folder, row by row.
    QList<QVector<QVector<QVariant>>> snapshot() { return snapshotOf(db); }
    static QList<QVector<QVector<QVariant>>> snapshotOf(pf::db::Database &d)
    {
        QList<QVector<QVector<QVariant>>> all;
        for (const auto &t : schema::dataFolderTables())
            all << d.select(QStringLiteral("select * from %1 order by rowid").arg(QFileInfo(t.fileName).completeBaseName()))
                       .rows;
        return all;
    }
    // Every file of the data folder, byte for byte.
    QMap<QString, QByteArray> liveBytes()
    {
        QMap<QString, QByteArray> all;
        for (const QString &f : QDir(data).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(QDir(data).filePath(f));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all.insert(f, file.readAll());
        }
        return all;
    }
    QString backupFolder() { return backup::backupTarget(root.filePath(QStringLiteral("chosen"))); }
    // Writes the backup's list anew from the files it holds now, but those
    // named in `omit`.
    static void reseal(const QString &folder, const QStringList &omit = {})
    {
        QByteArray list = QByteArray(backup::kManifestHeader) + '\n';
        for (const QString &f : backup::tableFilesOf(folder)) {
            if (omit.contains(f))
                continue;
            QFile file(QDir(folder).filePath(f));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            list += f.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\t' +
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n';
        }
        QFile out(QDir(folder).filePath(QLatin1String(backup::kManifestName)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(list);
    }
    // Puts in the place of `path` a table file of ours made after `def`.
    void replaceByTable(const QString &path, const pf::db::TableDef &def)
    {
        QTemporaryDir other;
        pf::db::Database d;
        d.setDirectory(other.path());
        d.createTable(def);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QDir(other.path()).filePath(def.fileName), path));
    }
};

const QString kRestoreFailed = QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد");
const QString kBackupFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - مسير را بررسي كنيد");

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
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد\n")));
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

TEST_F(BackupStoreTest, ARestoreTakesOnlyAWholeBackupOfTheProgramsTables)
{
    // An older backup, for the case of a folder mixed from two.
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("older"))).ok());
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,2,1)");
    const QString older = backup::backupTarget(root.filePath(QStringLiteral("older")));
    auto path = [&](const char *file) { return QDir(backupFolder()).filePath(QLatin1String(file)); };
    auto remove = [&](std::initializer_list<const char *> files) {
        for (const char *f : files)
            QFile::remove(path(f));
    };
    auto changedField = [](const char *file, const char *field, pf::db::FieldType type) {
        pf::db::TableDef def = *schema::tableDef(QLatin1String(file));
        for (auto &f : def.fields)
            if (f.name == QLatin1String(field))
                f.type = type;
        return def;
    };
    struct Case {
        const char *what;
        std::function<void(const QString &folder)> spoil;
        QString why;       // the message's second line
        QString refusedFor; // the file named, if any
    };
    const std::vector<Case> cases = {
        {"another program's SQLite file as Bank1.DB",
         [&](const QString &folder) {
             remove({"Bank1.DB"});
             sqlite3 *other = nullptr;
             sqlite3_open(path("Bank1.DB").toUtf8().constData(), &other);
             sqlite3_exec(other, "create table foo (x); insert into foo values (1)", nullptr, nullptr, nullptr);
             sqlite3_close(other);
             reseal(folder);
         },
         QStringLiteral("پرونده Bank1.DB جدول اين برنامه نيست"), QStringLiteral("Bank1.DB")},
        {"bankvh.DB with three columns",
         [&](const QString &folder) {
             pf::db::TableDef def = *schema::tableDef(QStringLiteral("bankvh.DB"));
             def.fields.resize(3);
             def.indexes.clear();
             replaceByTable(path("bankvh.DB"), def);
             reseal(folder);
         },
         QStringLiteral("جدول bankvh.DB فيلد T_tabage را ندارد"), QStringLiteral("bankvh.DB")},
        {"a space table whose temperatures are texts",
         [&](const QString &folder) {
             replaceByTable(path("bankfz.DB"), changedField("bankfz.DB", "Ti_", pf::db::FieldType::String));
             reseal(folder);
         },
         QStringLiteral("فيلد Ti_ در جدول bankfz.DB از نوع ديگري است"), QStringLiteral("bankfz.DB")},
        {"damaged pages, the list made again",
         [&](const QString &folder) {
             QFile f(path("bankjd.DB"));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(4096);
             f.write(QByteArray(f.size() - 4096, '\x55'));
             f.close();
             reseal(folder);
         },
         QStringLiteral("جدول bankjd.DB آسيب ديده است"), QStringLiteral("bankjd.DB")},
        {"cut short by a full disk: three files and the list missing",
         [&](const QString &) { remove({"BankFont.DB", "Vaziat.db", "BankColors.DB", backup::kManifestName}); },
         QStringLiteral("اين پوشه پشتيبان كامل اين برنامه نيست: فهرست پشتيبان در آن پيدا نشد"), QString()},
        {"only Bank1.DB",
         [&](const QString &folder) {
             for (const QString &f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
                 if (f != QLatin1String("Bank1.DB"))
                     QFile::remove(QDir(folder).filePath(f));
         },
         QStringLiteral("اين پوشه پشتيبان كامل اين برنامه نيست: فهرست پشتيبان در آن پيدا نشد"), QString()},
        {"a file gone after the list was made", [&](const QString &) { remove({"bankjd.DB"}); },
         QStringLiteral("جدول bankjd.DB در پوشه پشتيبان نيست"), QStringLiteral("bankjd.DB")},
        {"mixed with an older backup",
         [&](const QString &) {
             remove({"bankvh.DB"});
             QFile::copy(QDir(older).filePath(QStringLiteral("bankvh.DB")), path("bankvh.DB"));
         },
         QStringLiteral("جدول bankvh.DB با فهرست پشتيبان نمي خواند: ناقص است يا پس از تهيه پشتيبان تغيير كرده است"),
         QStringLiteral("bankvh.DB")},
        {"a list that lacks a table the program has",
         [&](const QString &folder) { reseal(folder, {QStringLiteral("Vaziat.db")}); },
         QStringLiteral("جدول Vaziat.db در فهرست پشتيبان نيست"), QStringLiteral("Vaziat.db")},
        {"a list in another format",
         [&](const QString &) {
             QFile f(path(backup::kManifestName));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.write("Boravest backup 9");
         },
         QStringLiteral("فهرست پشتيبان اين پوشه خوانده نمي شود؛ پشتيبان با نسخه ديگري از برنامه تهيه شده است"),
         QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
        c.spoil(backupFolder());
        const auto rows = snapshot();
        const auto bytes = liveBytes();
        const auto r = backup::restoreDataFolder(db, backupFolder());
        EXPECT_EQ(r.outcome, backup::Outcome::Refused);
        EXPECT_EQ(r.message, kRestoreFailed + QLatin1Char('\n') + c.why) << r.message.toStdString();
        EXPECT_EQ(r.damaged, c.refusedFor.isEmpty() ? QStringList() : QStringList{c.refusedFor});
        EXPECT_EQ(liveBytes(), bytes);
        EXPECT_EQ(snapshot(), rows);
    }
}

TEST_F(BackupStoreTest, AFailedBackupSaysWhyAndKeepsTheEarlierOne)
{
    const auto earlier = snapshot();
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    exec("insert into Bank1 (SHPROJE, NAME) values (50, 'later')");
    const QString vaziat = QDir(data).filePath(QStringLiteral("Vaziat.db"));
    const struct {
        const char *what;
        std::function<void()> spoil;
        QString why;
    } cases[] = {
        {"a table file missing from the data folder", [&] { QFile::remove(vaziat); },
         QStringLiteral("جدول Vaziat.db در پوشه داده ها نيست")},
        {"a table file that is not the program's",
         [&] {
             pf::db::TableDef def = *schema::tableDef(QStringLiteral("Vaziat.db"));
             def.fields.removeFirst();
             replaceByTable(vaziat, def);
         },
         QStringLiteral("جدول Vaziat.db فيلد Form11_Left را ندارد")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        db.close();
        c.spoil();
        const auto b = backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen")));
        EXPECT_EQ(b.outcome, backup::Outcome::Failed);
        EXPECT_EQ(b.message, kBackupFailed + QLatin1Char('\n') + c.why) << b.message.toStdString();
        EXPECT_EQ(QDir(root.filePath(QStringLiteral("chosen"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("BackubData")});
        // The earlier backup is whole: it brings the data folder back.
        db.open();
        ASSERT_TRUE(backup::restoreDataFolder(db, backupFolder()).ok());
        EXPECT_EQ(snapshot(), earlier);
        exec("insert into Bank1 (SHPROJE, NAME) values (50, 'later')");
    }
}

#ifdef Q_OS_UNIX
TEST_F(BackupStoreTest, ABackupKilledAtAnySyncOrRenameLeavesNothingARestoreTakesButAWholeBackup)
{
    const auto first = snapshot();
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    exec("insert into Bank1 (SHPROJE, NAME) values (40, 'c')");
    exec("delete from bankjd");
    const auto second = snapshot();
    db.close();
    // The backups left behind are tried on a data folder of their own.
    const QString scratch = root.filePath(QStringLiteral("scratch"));
    schema::createDataFolder(scratch);
    pf::db::Database other;
    other.setDirectory(scratch);
    const QString fresh = root.filePath(QStringLiteral("chosen/~BackubData.new"));
    bool sawFirst = false, sawSecond = false;
    QByteArray tried;
    QList<QVector<QVector<QVariant>>> now;
    for (int limit = 1;; ++limit) {
        ASSERT_LT(limit, 400) << "the backup never finished";
        SCOPED_TRACE(limit);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            testsupport::crash::install(limit);
            const bool ok = backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen")),
                                                     &testsupport::crash::step)
                                .ok();
            _exit(ok ? testsupport::crash::kDone : testsupport::crash::kFailed);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ASSERT_TRUE(code == testsupport::crash::kKilled || code == testsupport::crash::kDone) << code;
        // The folder in place is always a whole backup, the earlier or the new
        // one (tried again only when its files changed).
        QByteArray content;
        for (const QString &f : QDir(backupFolder()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(QDir(backupFolder()).filePath(f));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            content += f.toUtf8() + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        }
        if (content != tried) {
            tried = content;
            const auto r = backup::restoreDataFolder(other, backupFolder());
            ASSERT_TRUE(r.ok()) << r.message.toStdString();
            now = snapshotOf(other);
        }
        EXPECT_TRUE(now == first || now == second);
        sawFirst = sawFirst || now == first;
        sawSecond = sawSecond || now == second;
        // What a stopped backup leaves beside it (the new one being made,
        // or the earlier one just exchanged for it) is refused unless whole.
        if (QFileInfo(fresh).isDir()) {
            const auto left = backup::restoreDataFolder(other, fresh);
            EXPECT_TRUE(left.outcome == backup::Outcome::Refused ||
                        (left.ok() && (snapshotOf(other) == first || snapshotOf(other) == second)))
                << left.message.toStdString();
        }
        if (code == testsupport::crash::kDone) {
            EXPECT_EQ(now, second);
            EXPECT_EQ(QDir(root.filePath(QStringLiteral("chosen"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                      QStringList{QStringLiteral("BackubData")});
            break;
        }
    }
    EXPECT_TRUE(sawFirst) << "no kill left the earlier backup";
    EXPECT_TRUE(sawSecond);
}
#endif
