// Backup and restore of the data folder: a round trip gives back every table,
// a damaged backup or a wrong folder changes nothing.
#include "boravest/data/BackupStore.h"
#include "boravest/data/TableSchemas.h"

#include "platform/system/Files.h"
#include "support/CrashShim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
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
        pf::sys::setFaultHook({});
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
    using Rows = QList<QVector<QVector<QVariant>>>;
    // Backs up into `chosen`, then changes the data and closes it: the data
    // as backed up, and as it is now.
    std::pair<Rows, Rows> backupThenChange(const QString &chosen)
    {
        const Rows backedUp = snapshot();
        EXPECT_TRUE(backup::backupDataFolder(data, chosen).ok());
        exec("insert into Bank1 (SHPROJE, NAME) values (40, 'c')");
        exec("delete from bankjd");
        const Rows changed = snapshot();
        db.close();
        return {backedUp, changed};
    }
    // A data folder of its own, to try what a backup left.
    void openScratch(pf::db::Database &other)
    {
        const QString scratch = root.filePath(QStringLiteral("scratch"));
        schema::createDataFolder(scratch);
        other.setDirectory(scratch);
    }
    // The identity the backup's list gives its backup.
    static QByteArray identityOf(const QString &folder)
    {
        QFile f(QDir(folder).filePath(QLatin1String(backup::kManifestName)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().split('\n').value(1).split('\t').value(1);
    }
    // Writes the backup's list anew from the files it holds now, but those
    // named in `omit`, with `extra` lines, as the program writes it.
    static void reseal(const QString &folder, const QStringList &omit = {}, const QByteArray &extra = {})
    {
        const QByteArray id = identityOf(folder);
        QByteArray list = QByteArray(backup::kManifestHeader) + "\nbackup\t" + id + '\n';
        for (const QString &f : backup::tableFilesOf(folder)) {
            if (omit.contains(f))
                continue;
            QFile file(QDir(folder).filePath(f));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            list += f.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\t' +
                    QCryptographicHash::hash(id + bytes, QCryptographicHash::Sha256).toHex() + '\n';
        }
        list += extra;
        list += "sum\t" + QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex() + '\n';
        writeList(folder, list);
    }
    static QByteArray listOf(const QString &folder)
    {
        QFile f(QDir(folder).filePath(QLatin1String(backup::kManifestName)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    static void writeList(const QString &folder, const QByteArray &list)
    {
        QFile out(QDir(folder).filePath(QLatin1String(backup::kManifestName)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(list);
    }
    // Folders in the data folder: none after any restore.
    QStringList foldersInData() const { return QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden); }
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
const QString kBackupDataFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - داده ها را بررسي كنيد");

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

TEST_F(BackupStoreTest, ARestoreReplacesLiveTablesWhateverTheyHold)
{
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    const auto saved = snapshot();
    const std::vector<std::pair<const char *, std::function<void()>>> cases = {
        {"Bank1.DB of zeros",
         [&] {
             QFile f(QDir(data).filePath(QStringLiteral("Bank1.DB")));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.write(QByteArray(f.size(), '\0'));
         }},
        {"bankjd.DB cut to half",
         [&] {
             QFile f(QDir(data).filePath(QStringLiteral("bankjd.DB")));
             ASSERT_TRUE(f.resize(f.size() / 2));
         }},
        {"bankjd.DB missing", [&] { QFile::remove(QDir(data).filePath(QStringLiteral("bankjd.DB"))); }},
        {"bankvh.DB not a database",
         [&] {
             QFile f(QDir(data).filePath(QStringLiteral("bankvh.DB")));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write("not a table\n");
         }},
    };
    for (const auto &[what, damage] : cases) {
        SCOPED_TRACE(what);
        exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,4,1)");
        db.close();
        damage();
        const auto r = backup::restoreDataFolder(db, backupFolder());
        EXPECT_TRUE(r.ok()) << r.message.toStdString();
        EXPECT_EQ(snapshot(), saved);
        EXPECT_EQ(foldersInData(), QStringList());
    }
}

TEST_F(BackupStoreTest, ATableAnotherProgramHoldsStopsTheRestoreAndChangesNothing)
{
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,4,1)");
    db.setBusyTimeout(50);
    const auto bytes = liveBytes();
    sqlite3 *other = nullptr;
    sqlite3_open(QDir(data).filePath(QStringLiteral("bankjd.DB")).toUtf8().constData(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto r = backup::restoreDataFolder(db, backupFolder());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(r.outcome, backup::Outcome::Refused);
    EXPECT_EQ(r.message, kRestoreFailed + QStringLiteral("\nجدول bankjd.DB در اختيار برنامه ديگري است؛ آن برنامه را "
                                                         "ببنديد و دوباره سعي كنيد"))
        << r.message.toStdString();
    EXPECT_TRUE(db.connected());
    EXPECT_EQ(liveBytes(), bytes);
    EXPECT_EQ(foldersInData(), QStringList());
}

TEST_F(BackupStoreTest, ListsWithWindowsLineEndsOrOfTheEarlierFormatAreRead)
{
    const std::vector<std::pair<const char *, std::function<QByteArray(const QString &)>>> cases = {
        {"Windows line ends", [](const QString &folder) { return listOf(folder).replace("\n", "\r\n"); }},
        {"the earlier format, without identity and sum",
         [](const QString &folder) {
             QByteArray list = "Boravest backup 1\n";
             for (const QString &f : backup::tableFilesOf(folder)) {
                 QFile file(QDir(folder).filePath(f));
                 EXPECT_TRUE(file.open(QIODevice::ReadOnly));
                 const QByteArray bytes = file.readAll();
                 list += f.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\t' +
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n';
             }
             return list;
         }},
        {"a table kept in write-ahead-log mode",
         [](const QString &folder) {
             sqlite3 *c = nullptr;
             sqlite3_open(QDir(folder).filePath(QStringLiteral("bankfz.DB")).toUtf8().constData(), &c);
             EXPECT_EQ(sqlite3_exec(c, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), SQLITE_OK);
             sqlite3_close(c);
             reseal(folder);
             return listOf(folder);
         }},
    };
    for (const auto &[what, rewrite] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
        const auto saved = snapshot();
        writeList(backupFolder(), rewrite(backupFolder()));
        exec("delete from bankjd");
        const auto r = backup::restoreDataFolder(db, backupFolder());
        EXPECT_TRUE(r.ok()) << r.message.toStdString();
        // Every table restored keeps a rollback journal: no -wal or -shm file
        // beside it, its header says so (bytes 18 and 19).
        for (const auto &[file, bytes] : liveBytes().asKeyValueRange()) {
            EXPECT_FALSE(file.endsWith(QLatin1String("-wal")) || file.endsWith(QLatin1String("-shm"))) << file.toStdString();
            if (file.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) {
                EXPECT_EQ(bytes.mid(18, 2), QByteArray("\x01\x01")) << file.toStdString();
            }
        }
        EXPECT_EQ(snapshot(), saved);
    }
}

TEST_F(BackupStoreTest, RunningOutOfMemoryAnywhereLeavesEverythingAsItWas)
{
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    const auto saved = snapshot();
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,4,1)");
    const QString noMemory = QStringLiteral("\nحافظه براي اين كار كافي نيست");
    // The memory runs out after that many steps of a restore and of a
    // backup: while the copies are staged or made, while a restore swaps,
    // and before a backup takes its place.
    for (const auto &[steps, backupSteps] : {std::pair{1, 1}, {5, 5}, {30, 14}}) {
        SCOPED_TRACE(steps);
        int left = steps;
        const backup::Tick outOfMemory = [&] {
            if (--left == 0)
                throw std::bad_alloc();
        };
        const auto bytes = liveBytes();
        const auto r = backup::restoreDataFolder(db, backupFolder(), outOfMemory);
        EXPECT_EQ(r.message, kRestoreFailed + noMemory) << r.message.toStdString();
        EXPECT_EQ(liveBytes(), bytes);
        EXPECT_EQ(foldersInData(), QStringList());
        EXPECT_TRUE(db.connected());

        left = backupSteps;
        const auto b = backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen")), outOfMemory);
        EXPECT_EQ(b.message, kBackupFailed + noMemory) << b.message.toStdString();
        EXPECT_EQ(QDir(root.filePath(QStringLiteral("chosen"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("BackubData")});
    }
    // The earlier backup is whole.
    ASSERT_TRUE(backup::restoreDataFolder(db, backupFolder()).ok());
    EXPECT_EQ(snapshot(), saved);
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
        exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,12,2,2)");
        const auto live = snapshot();

        const auto r = backup::restoreDataFolder(db, backupFolder());
        EXPECT_EQ(r.outcome, backup::Outcome::Refused);
        EXPECT_EQ(r.damaged, QStringList{QStringLiteral("bankfz.DB")});
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد\n")));
        EXPECT_EQ(snapshot(), live);
    }
}

TEST_F(BackupStoreTest, WrongPathsAreRefusedSayingWhy)
{
    // A data folder named like the backup folder, and one inside a folder of
    // that name.
    const QString named = root.filePath(QStringLiteral("BackubData"));
    const QString inner = root.filePath(QStringLiteral("outer/BackubData/data"));
    for (const QString &f : {named, inner}) {
        QDir().mkpath(f);
        schema::createDataFolder(f);
    }
    const QString link = root.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(data, link));
    const QString file = root.filePath(QStringLiteral("notes.txt"));
    const QString holdsFile = root.filePath(QStringLiteral("holds"));
    QDir().mkpath(holdsFile);
    for (const QString &f : {file, QDir(holdsFile).filePath(QStringLiteral("BackubData"))}) {
        QFile out(f);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write("x") == 1);
    }
    const struct {
        QString dataFolder, chosen;
        backup::Outcome outcome;
        QString message;
    } backups[] = {
        {data, QStringLiteral("  "), backup::Outcome::NoPath,
         QStringLiteral(".مسير جديد براي پشتيبان مشخص نشده است دوباره سعي كنيد")},
        {named, root.path(), backup::Outcome::SameFolder,
         kBackupFailed + QStringLiteral("\nپوشه انتخاب شده همان پوشه داده ها است")},
        {data, data, backup::Outcome::SameFolder, kBackupFailed + QStringLiteral("\nپوشه پشتيبان نمي تواند درون پوشه داده ها باشد")},
        {data, link + QLatin1Char('/'), backup::Outcome::SameFolder,
         kBackupFailed + QStringLiteral("\nپوشه پشتيبان نمي تواند درون پوشه داده ها باشد")},
        {inner, root.filePath(QStringLiteral("outer")), backup::Outcome::SameFolder,
         kBackupFailed + QStringLiteral("\nپوشه داده ها درون پوشه پشتيبان است")},
        {data, file, backup::Outcome::Failed, kBackupFailed + QStringLiteral("\nمسير انتخاب شده پوشه نيست؛ يك پرونده است")},
        {data, holdsFile, backup::Outcome::Failed,
         kBackupFailed + QStringLiteral("\nدر مسير انتخاب شده پرونده اي به نام BackubData هست؛ پوشه پشتيبان ساخته نمي شود")},
    };
    for (const auto &c : backups) {
        SCOPED_TRACE(c.chosen.toStdString());
        const auto b = backup::backupDataFolder(c.dataFolder, c.chosen);
        EXPECT_EQ(b.outcome, c.outcome);
        EXPECT_EQ(b.message, c.message) << b.message.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(data).filePath(QStringLiteral("BackubData"))));

    const auto live = liveBytes();
    const QString onData = kRestoreFailed + QStringLiteral("\nپوشه انتخاب شده همان پوشه داده ها است");
    const struct {
        QString folder;
        backup::Outcome outcome;
        QString message;
    } restores[] = {
        {QString(), backup::Outcome::NoPath, QString()},
        {root.path(), backup::Outcome::NoTables, QStringLiteral(".مسير جديد براي بازيابي داده ها مشخص نشده است دوباره سعي كنيد")},
        {data, backup::Outcome::SameFolder, onData},
        {data + QLatin1Char('/'), backup::Outcome::SameFolder, onData},
        {link, backup::Outcome::SameFolder, onData},
    };
    for (const auto &c : restores) {
        SCOPED_TRACE(c.folder.toStdString());
        const auto r = backup::restoreDataFolder(db, c.folder);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.message, c.message) << r.message.toStdString();
        EXPECT_TRUE(db.connected());
    }
    EXPECT_EQ(liveBytes(), live);
}

#ifdef Q_OS_UNIX
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

TEST_F(BackupStoreTest, ABackupOntoAFullDiskSaysSo)
{
    // A child mounts a disk of 64 KiB of its own and backs up onto it.
    const QString small = root.filePath(QStringLiteral("small"));
    QDir().mkpath(small);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(out[0]);
        // The child's own user, mapped to the same user outside, may mount.
        const QByteArray uid = "0 " + QByteArray::number(getuid()) + " 1";
        const QByteArray gid = "0 " + QByteArray::number(getgid()) + " 1";
        auto put = [](const char *file, const QByteArray &text) {
            QFile f{QString::fromLatin1(file)};
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
        };
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !put("/proc/self/uid_map", uid) ||
            !put("/proc/self/setgroups", "deny") || !put("/proc/self/gid_map", gid) ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", small.toUtf8().constData(), "tmpfs", 0, "size=64k") != 0)
            _exit(77);
        const QByteArray m = backup::backupDataFolder(data, small).message.toUtf8();
        _exit(write(out[1], m.constData(), size_t(m.size())) == m.size() ? 0 : 1);
    }
    close(out[1]);
    QByteArray message;
    char piece[512];
    for (ssize_t n; (n = read(out[0], piece, sizeof piece)) > 0;)
        message.append(piece, n);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no disk of its own can be mounted here";
    EXPECT_EQ(QString::fromUtf8(message),
              kBackupFailed + QStringLiteral("\nدر پوشه پشتيبان نمي توان نوشت: جاي خالي ديسك تمام شده است"))
        << message.toStdString();
}

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
    // An older backup, for the case of a folder mixed from two: it has a
    // project 8 with a unit, deleted since.
    exec("insert into Bank1 (SHPROJE, NAME) values (8, 'c')");
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (8,8,0,1)");
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("older"))).ok());
    exec("delete from bankvh where Shproje = 8");
    exec("delete from Bank1 where SHPROJE = 8");
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
        {"a file and its line from another backup",
         [&](const QString &folder) {
             remove({"bankvh.DB"});
             QFile::copy(QDir(older).filePath(QStringLiteral("bankvh.DB")), path("bankvh.DB"));
             auto lineOf = [](const QByteArray &list) {
                 for (const QByteArray &l : list.split('\n'))
                     if (l.startsWith("bankvh.DB\t"))
                         return l;
                 return QByteArray();
             };
             const QByteArray list = listOf(folder);
             writeList(folder, QByteArray(list).replace(lineOf(list), lineOf(listOf(older))));
         },
         QStringLiteral("فهرست پشتيبان اين پوشه ناقص است يا پس از تهيه پشتيبان تغيير كرده است"), QString()},
        {"a list cut short",
         [&](const QString &folder) { writeList(folder, listOf(folder).chopped(90)); },
         QStringLiteral("فهرست پشتيبان اين پوشه ناقص است يا پس از تهيه پشتيبان تغيير كرده است"), QString()},
        {"a file from another backup, the list written anew",
         [&](const QString &folder) {
             remove({"bankvh.DB"});
             QFile::copy(QDir(older).filePath(QStringLiteral("bankvh.DB")), path("bankvh.DB"));
             reseal(folder);
         },
         QStringLiteral("1 رديف جدول bankvh.DB به هيچ پروژه اي تعلق ندارد"), QStringLiteral("bankvh.DB")},
        {"surfaces of a space that is not there",
         [&](const QString &folder) {
             sqlite3 *other = nullptr;
             sqlite3_open(path("bankjd.DB").toUtf8().constData(), &other);
             sqlite3_exec(other, "update bankjd set CodeFaza = 9", nullptr, nullptr, nullptr);
             sqlite3_close(other);
             reseal(folder);
         },
         QStringLiteral("1 رديف جدول bankjd.DB به هيچ فضايي تعلق ندارد"), QStringLiteral("bankjd.DB")},
        {"a list naming a file the folder does not hold",
         [&](const QString &folder) { reseal(folder, {}, "Ghost.DB\t4096\t" + QByteArray(64, 'a') + '\n'); },
         QStringLiteral("فهرست پشتيبان از Ghost.DB نام مي برد كه نام جدولي از اين برنامه نيست"), QString()},
        {"a list naming a path", [&](const QString &folder) { reseal(folder, {}, "../x.DB\t4096\t" + QByteArray(64, 'a') + '\n'); },
         QStringLiteral("فهرست پشتيبان از ../x.DB نام مي برد كه نام جدولي از اين برنامه نيست"), QString()},
        {"an empty list", [&](const QString &folder) { writeList(folder, "\n"); },
         QStringLiteral("فهرست پشتيبان %1 در اين پوشه خالي است").arg(QStringLiteral("~brvbackup.lst")), QStringLiteral("~brvbackup.lst")},
        {"a huge sparse file in the place of a table",
         [&](const QString &) {
             QFile f(path("word.DB"));
             ASSERT_TRUE(f.resize(qint64(64) << 30));
         },
         QStringLiteral("جدول word.DB با فهرست پشتيبان نمي خواند: ناقص است يا پس از تهيه پشتيبان تغيير كرده است"),
         QStringLiteral("word.DB")},
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
        EXPECT_EQ(foldersInData(), QStringList());
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
        EXPECT_EQ(b.message, kBackupDataFailed + QLatin1Char('\n') + c.why) << b.message.toStdString();
        EXPECT_EQ(QDir(root.filePath(QStringLiteral("chosen"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("BackubData")});
        // The earlier backup is whole: it brings the data folder back.
        db.open();
        ASSERT_TRUE(backup::restoreDataFolder(db, backupFolder()).ok());
        EXPECT_EQ(snapshot(), earlier);
        exec("insert into Bank1 (SHPROJE, NAME) values (50, 'later')");
    }
}

TEST_F(BackupStoreTest, ABackupInPlaceButNotSyncedSaysSoAndKeepsTheEarlierOne)
{
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    const auto [first, second] = backupThenChange(chosen);
    pf::sys::setFaultHook([&](pf::sys::Change c, const QString &path) {
        return c == pf::sys::Change::Sync && QDir(path) == QDir(chosen) ? EIO : 0;
    });
    const auto b = backup::backupDataFolder(data, chosen);
    pf::sys::setFaultHook({});
    EXPECT_EQ(b.outcome, backup::Outcome::Done);
    EXPECT_TRUE(b.message.contains(QStringLiteral("تاييد نشد"))) << b.message.toStdString();
    pf::db::Database other;
    openScratch(other);
    const QString earlier = QDir(chosen).filePath(QStringLiteral("~BackubData.new"));
    ASSERT_TRUE(backup::restoreDataFolder(other, earlier).ok());
    EXPECT_EQ(snapshotOf(other), first);
    ASSERT_TRUE(backup::restoreDataFolder(other, backupFolder()).ok());
    EXPECT_EQ(snapshotOf(other), second);
}

#ifdef Q_OS_UNIX
TEST_F(BackupStoreTest, ABackupKilledAtAnySyncOrRenameLeavesNothingARestoreTakesButAWholeBackup)
{
    const auto [first, second] = backupThenChange(root.filePath(QStringLiteral("chosen")));
    // The backups left behind are tried on a data folder of their own.
    pf::db::Database other;
    openScratch(other);
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

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Every file under `folder`, byte for byte, links not followed.
QMap<QString, QByteArray> bytesUnder(const QString &folder)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        QFile file(f.filePath());
        all.insert(f.filePath(), f.isSymLink() ? f.symLinkTarget().toUtf8()
                                 : f.isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                 : QByteArray("dir"));
    }
    return all;
}

// Something planted, the job it meets and what that says.
struct PlantedCase {
    const char *what;
    std::function<void()> plant;
    std::function<QString()> job;
    QString said;
};

// What `job` says, run in a child that may take at most two seconds: a job
// that blocks fails the test instead of holding it.
QString withinTwoSeconds(const std::function<QString()> &job)
{
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        const QByteArray m = job().toUtf8();
        _exit(write(out[1], m.constData(), size_t(m.size())) == m.size() ? 0 : 1);
    }
    close(out[1]);
    QByteArray said;
    pollfd p{out[0], POLLIN, 0};
    char piece[512];
    ssize_t n = 1;
    while (n > 0 && poll(&p, 1, 2000) > 0)
        if ((n = read(out[0], piece, sizeof piece)) > 0)
            said.append(piece, n);
    close(out[0]);
    if (n > 0) {
        kill(child, SIGKILL);
        ADD_FAILURE() << "the job blocked";
    }
    waitpid(child, nullptr, 0);
    return QString::fromUtf8(said);
}

} // namespace

TEST_F(BackupStoreTest, ABackubDataThatIsALinkTakesTheBackupBesideWhatItHoldsOrIsRefused)
{
    const QString other = root.filePath(QStringLiteral("external/photos"));
    QDir().mkpath(other + QStringLiteral("/album"));
    for (const char *f : {"a.jpg", "album/b.jpg", "notes.DB"}) {
        QFile out(QDir(other).filePath(QLatin1String(f)));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(f) > 0);
    }
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    QDir().mkpath(chosen);
    ASSERT_TRUE(QFile::link(other, backupFolder()));
    const auto before = bytesUnder(other);
    const auto saved = snapshot();
    for (int round = 0; round < 2; ++round) { // a first backup there and one over it
        const auto b = backup::backupDataFolder(data, chosen);
        ASSERT_TRUE(b.ok()) << b.message.toStdString();
        const auto after = bytesUnder(other);
        for (auto it = before.begin(); it != before.end(); ++it)
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        EXPECT_EQ(QDir(chosen).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("BackubData")});
        EXPECT_TRUE(QFileInfo(backupFolder()).isSymLink());
    }
    exec("delete from bankjd");
    ASSERT_TRUE(backup::restoreDataFolder(db, backupFolder()).ok());
    EXPECT_EQ(snapshot(), saved);
    // A folder there in the place of a table takes no backup.
    ASSERT_TRUE(QDir().mkpath(QDir(other).filePath(QStringLiteral("BANKJD.DB"))));
    EXPECT_EQ(backup::backupDataFolder(data, chosen).message,
              kBackupFailed + QStringLiteral("\nپوشه اي به نام BANKJD.DB در پوشه پشتيبان هست؛ جدول در جاي آن گذاشته نمي شود"));
    QDir(QDir(other).filePath(QStringLiteral("BANKJD.DB"))).removeRecursively();

    // A link to the data folder itself, or to nothing.
    const auto live = liveBytes();
    QFile::remove(backupFolder());
    ASSERT_TRUE(QFile::link(data, backupFolder()));
    EXPECT_EQ(backup::backupDataFolder(data, chosen).message,
              kBackupFailed + QStringLiteral("\nپوشه انتخاب شده همان پوشه داده ها است"));
    EXPECT_EQ(liveBytes(), live);
    QFile::remove(backupFolder());
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("nowhere")), backupFolder()));
    EXPECT_EQ(backup::backupDataFolder(data, chosen).message,
              kBackupFailed + QStringLiteral("\nدر مسير انتخاب شده BackubData پيوندي است كه به پوشه اي نمي رسد؛ "
                                             "پشتيبان در آن تهيه نمي شود"));
}

TEST_F(BackupStoreTest, AStoppedSwitchThroughALinkThatFailsAgainKeepsWhatItSetAsideUntilItFinishes)
{
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    const QString external = root.filePath(QStringLiteral("external"));
    QDir().mkpath(chosen);
    QDir().mkpath(external);
    ASSERT_TRUE(QFile::link(external, backupFolder()));
    ASSERT_TRUE(backup::backupDataFolder(data, chosen).ok());
    exec("delete from bankjd");
    const Rows changed = snapshot();
    int renames = 0;
    auto failRenames = [&](int from) {
        renames = 0;
        pf::sys::setFaultHook([&renames, from](pf::sys::Change c, const QString &) {
            return c == pf::sys::Change::Rename && ++renames >= from ? EIO : 0;
        });
    };
    failRenames(2); // stopped in its switch: its folder stays
    EXPECT_FALSE(backup::backupDataFolder(data, chosen).ok());
    const QString fresh = QDir(external).filePath(QStringLiteral("~BackubData.new"));
    const QString aside = QDir(external).filePath(QStringLiteral("~BackubData.old"));
    ASSERT_TRUE(QFileInfo(fresh).isDir());
    failRenames(1); // the switch taken up again by a restore fails again
    EXPECT_FALSE(backup::restoreDataFolder(db, backupFolder()).ok());
    // A new backup is not mixed with it, and says why.
    EXPECT_TRUE(backup::backupDataFolder(data, chosen).message.contains(QStringLiteral("BackubData/~BackubData.new")));
    pf::sys::setFaultHook({});
    EXPECT_TRUE(QFileInfo(fresh).isDir() && QFileInfo(aside).isDir());
    exec("insert into Bank1 (SHPROJE, NAME) values (40, 'c')");
    const auto r = backup::restoreDataFolder(db, backupFolder());
    EXPECT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(snapshot(), changed);
}

// Copies the folder `from`, and every folder in it, to `to`.
void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        const QString copy = QDir(to).filePath(QDir(from).relativeFilePath(f.filePath()));
        if (f.isDir())
            QDir().mkpath(copy);
        else
            EXPECT_TRUE(QFile::copy(f.filePath(), copy)) << copy.toStdString();
    }
}

TEST_F(BackupStoreTest, ABackupBesideOtherFilesStoppedAtAnyStepLeavesOneBackupWhole)
{
    // Backup A lies in a BackubData that is a link to a folder of other
    // files, or in one that holds other files, and backup B of changed data
    // is made there. Stopped at each change the file layer makes on its way
    // (killed there: the folder as it stands before the change; or failing
    // there), what it leaves always restores to A or B whole, and the other
    // files stay as they were.
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    const QString external = root.filePath(QStringLiteral("external"));
    const QString earlier = root.filePath(QStringLiteral("earlier"));
    const auto [first, second] = backupThenChange(earlier);
    pf::db::Database other;
    openScratch(other);
    // Backup A beside other files; the folder that holds them.
    auto layOut = [&](bool linked) {
        QDir(chosen).removeRecursively();
        QDir(external).removeRecursively();
        QDir().mkpath(chosen);
        const QString holder = linked ? external : backupFolder();
        copyTree(backup::backupTarget(earlier), holder);
        QDir().mkpath(holder + QStringLiteral("/album"));
        for (const char *f : {"notes.txt", "album/b.jpg"}) {
            QFile out(QDir(holder).filePath(QLatin1String(f)));
            EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(f) > 0);
        }
        if (linked) {
            EXPECT_TRUE(QFile::link(external, backupFolder()));
        }
        return holder;
    };
    // What a restore of the folder gives (tried once for each state).
    QHash<QByteArray, Rows> tried;
    bool sawFirst = false, sawSecond = false;
    auto restored = [&](const QString &folder) {
        QCryptographicHash state(QCryptographicHash::Sha256);
        for (const auto &[path, bytes] : bytesUnder(folder).asKeyValueRange())
            state.addData(QDir(folder).relativeFilePath(path).toUtf8() + '\0' + bytes + '\0');
        if (!tried.contains(state.result())) {
            const auto r = backup::restoreDataFolder(other, folder);
            EXPECT_TRUE(r.ok()) << folder.toStdString() << ": " << r.message.toStdString();
            tried.insert(state.result(), snapshotOf(other));
        }
        const Rows now = tried.value(state.result());
        EXPECT_TRUE(now == first || now == second) << folder.toStdString();
        sawFirst = sawFirst || now == first;
        sawSecond = sawSecond || now == second;
        return now;
    };
    const struct {
        const char *what;
        bool linked;
        bool kill;
    } cases[] = {{"linked, killed", true, true}, {"beside other files, killed", false, true}, {"linked, failing", true, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        sawFirst = sawSecond = false;
        for (int limit = 1;; ++limit) {
            ASSERT_LT(limit, 400) << "the backup never finished";
            SCOPED_TRACE(limit);
            const QString holder = layOut(c.linked);
            const auto kept = bytesUnder(QDir(holder).filePath(QStringLiteral("album")));
            QStringList stops;
            int changes = 0;
            pf::sys::setFaultHook([&](pf::sys::Change, const QString &) {
                ++changes;
                if (c.kill) {
                    stops << root.filePath(QStringLiteral("stops/%1").arg(changes));
                    copyTree(holder, stops.last());
                }
                return !c.kill && changes == limit ? EIO : 0;
            });
            const auto b = backup::backupDataFolder(data, chosen);
            pf::sys::setFaultHook({});
            for (const QString &stop : std::as_const(stops))
                restored(stop);
            QDir(root.filePath(QStringLiteral("stops"))).removeRecursively();
            EXPECT_EQ(bytesUnder(QDir(holder).filePath(QStringLiteral("album"))), kept);
            EXPECT_TRUE(QFile::exists(QDir(holder).filePath(QStringLiteral("notes.txt"))));
            // A backup made leaves nothing of its own beside it, or says what
            // it could not remove.
            const bool failedNothing = c.kill || changes < limit;
            QStringList left = QDir(holder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
            left.removeOne(QStringLiteral("album"));
            for (const QString &l : std::as_const(left))
                EXPECT_TRUE(!b.ok() || (!failedNothing && b.message.contains(l))) << l.toStdString();
            if (failedNothing) {
                EXPECT_TRUE(b.ok()) << b.message.toStdString();
                EXPECT_EQ(restored(holder), second);
                break;
            }
            restored(holder);
        }
        EXPECT_TRUE(sawFirst && sawSecond);
    }
}

TEST_F(BackupStoreTest, NamesPlantedInTheDataFolderTouchNothingOutsideIt)
{
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    const QString outside = root.filePath(QStringLiteral("outside"));
    QDir().mkpath(outside);
    for (const char *f : {"victim", "Bank1.DB"}) {
        QFile out(QDir(outside).filePath(QLatin1String(f)));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write("keep") == 4);
    }
    const QString old = QDir(data).filePath(QStringLiteral("~brvrestore.old"));
    const QString stage = QDir(data).filePath(QStringLiteral("~brvrestore.new"));
    auto marker = [&](const QByteArray &lines) {
        QDir().mkpath(old);
        QFile m(QDir(old).filePath(QStringLiteral("~swapping")));
        ASSERT_TRUE(m.open(QIODevice::WriteOnly) && m.write(lines) == lines.size());
    };
    const std::vector<std::pair<const char *, std::function<void()>>> plants = {
        {"staging folders linked outside",
         [&] {
             ASSERT_TRUE(QFile::link(outside, stage));
             ASSERT_TRUE(QFile::link(outside, old));
         }},
        {"a marker naming an absolute path", [&] { marker(QDir(outside).filePath(QStringLiteral("victim")).toUtf8() + "\t0\n"); }},
        {"a marker naming a way up", [&] { marker("../outside/victim\t0\nBank1.DB\t0\n"); }},
    };
    db.close();
    const auto live = liveBytes();
    const auto kept = bytesUnder(outside);
    for (const bool atRestore : {false, true}) {
        for (const auto &[what, plant] : plants) {
            SCOPED_TRACE(what);
            db.close();
            plant();
            if (atRestore) {
                db.open();
                // A marker's folder left as it is is not taken over.
                const bool marker = QFileInfo(old).isDir() && !QFileInfo(old).isSymLink();
                EXPECT_EQ(backup::restoreDataFolder(db, backupFolder()).outcome,
                          marker ? backup::Outcome::Refused : backup::Outcome::Done);
            } else {
                EXPECT_FALSE(backup::recoverInterruptedRestore(data).message.isEmpty());
                EXPECT_EQ(liveBytes(), live);
            }
            EXPECT_EQ(bytesUnder(outside), kept);
            backup::recoverInterruptedRestore(data);
            QFile::remove(QDir(old).filePath(QStringLiteral("~swapping")));
            QDir(old).removeRecursively();
            db.open();
        }
    }
}

TEST_F(BackupStoreTest, APipeOrALinkForTheListOrATableIsRefusedAtOnce)
{
    const QString folder = backupFolder();
    auto pipeFor = [](const QString &path) {
        QFile::remove(path);
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    };
    const PlantedCase cases[] = {
        {"the list", [&] { pipeFor(QDir(folder).filePath(QLatin1String(backup::kManifestName))); },
         [&] { return backup::restoreDataFolder(db, folder).message; },
         kRestoreFailed + QStringLiteral("\nپرونده %1 در پوشه پشتيبان يك پرونده معمولي نيست و خوانده نمي شود").arg(QStringLiteral("~brvbackup.lst"))},
        {"a table listed with no bytes",
         [&] {
             QFile(QDir(folder).filePath(QStringLiteral("bankjd.DB"))).resize(0);
             reseal(folder);
             pipeFor(QDir(folder).filePath(QStringLiteral("bankjd.DB")));
         },
         [&] { return backup::restoreDataFolder(db, folder).message; },
         kRestoreFailed + QStringLiteral("\nپرونده bankjd.DB در پوشه پشتيبان يك پرونده معمولي نيست و خوانده نمي شود")},
        {"a table that is a link to a copy of it",
         [&] {
             const QString table = QDir(folder).filePath(QStringLiteral("bankjd.DB"));
             const QString copy = root.filePath(QStringLiteral("bankjd.DB"));
             QFile::remove(copy);
             ASSERT_TRUE(QFile::rename(table, copy) && QFile::link(copy, table));
         },
         [&] { return backup::restoreDataFolder(db, folder).message; },
         kRestoreFailed + QStringLiteral("\nپرونده bankjd.DB در پوشه پشتيبان پيوندي به پرونده ديگري است و خوانده نمي شود")},
        {"a live table", [&] { pipeFor(QDir(data).filePath(QStringLiteral("bankjd.DB"))); },
         [&] { return backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).message; },
         kBackupDataFailed + QStringLiteral("\nپرونده bankjd.DB در پوشه داده ها يك پرونده معمولي نيست و خوانده نمي شود")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
        c.plant();
        EXPECT_EQ(withinTwoSeconds(c.job), c.said);
    }
}

TEST_F(BackupStoreTest, ATableCarryingWhatTheProgramDoesNotDefineIsRefused)
{
    const char *const extras[][2] = {
        {"CREATE TRIGGER t AFTER INSERT ON Bank1 BEGIN DELETE FROM Bank1 WHERE SHPROJE<>NEW.SHPROJE; END",
         "جدول Bank1.DB تريگر t دارد كه اين برنامه نمي سازد"},
        {"CREATE VIEW v AS SELECT * FROM Bank1", "پرونده Bank1.DB نماي v را دارد كه اين برنامه نمي سازد"},
        {"CREATE TABLE x (a)", "پرونده Bank1.DB جدول ديگري به نام x دارد كه اين برنامه نمي سازد"},
        {"ALTER TABLE Bank1 ADD COLUMN extra", "جدول Bank1.DB فيلد extra را دارد كه اين برنامه نمي سازد"},
        {"CREATE INDEX ix ON Bank1 (NAME)", "جدول Bank1.DB شاخص ix را دارد كه اين برنامه نمي سازد"},
    };
    auto carry = [](const QString &file, const char *sql) {
        sqlite3 *c = nullptr;
        sqlite3_open(file.toUtf8().constData(), &c);
        EXPECT_EQ(sqlite3_exec(c, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(c);
    };
    ASSERT_TRUE(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).ok());
    const QString bank1 = QDir(backupFolder()).filePath(QStringLiteral("Bank1.DB"));
    QFile::copy(bank1, root.filePath(QStringLiteral("Bank1.DB")));
    db.close();
    const auto live = liveBytes();
    for (const auto &[sql, why] : extras) {
        SCOPED_TRACE(sql);
        // In a backup handed over: the restore refuses it.
        QFile::remove(bank1);
        QFile::copy(root.filePath(QStringLiteral("Bank1.DB")), bank1);
        carry(bank1, sql);
        reseal(backupFolder());
        EXPECT_EQ(backup::restoreDataFolder(db, backupFolder()).message, kRestoreFailed + QLatin1Char('\n') + QString::fromUtf8(why));
        db.close();
        EXPECT_EQ(liveBytes(), live);
    }
    // In the live table: no backup is made of it.
    carry(QDir(data).filePath(QStringLiteral("Bank1.DB")), extras[0][0]);
    EXPECT_EQ(backup::backupDataFolder(data, root.filePath(QStringLiteral("chosen"))).message,
              kBackupDataFailed + QLatin1Char('\n') + QString::fromUtf8(extras[0][1]));
}

TEST_F(BackupStoreTest, AReplacedBackupThatCannotBeRemovedIsSaidAndBlocksNoLaterBackup)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "every folder is writable to root";
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    ASSERT_TRUE(backup::backupDataFolder(data, chosen).ok());
    ASSERT_EQ(chmod(QFile::encodeName(backupFolder()).constData(), 0555), 0);
    const auto second = backup::backupDataFolder(data, chosen);
    EXPECT_TRUE(second.ok());
    EXPECT_EQ(second.message, QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد\nپوشه پشتيبان پيشين (%1) پاك نشد؛ "
                                             "مي توانيد آن را خودتان پاك كنيد")
                                  .arg(QDir(chosen).filePath(QStringLiteral("~BackubData.new"))));
    const auto third = backup::backupDataFolder(data, chosen);
    EXPECT_EQ(third.message, QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد"));
    chmod(QFile::encodeName(QDir(chosen).filePath(QStringLiteral("~BackubData.new"))).constData(), 0755);
}

TEST_F(BackupStoreTest, EachWrongCauseHasItsOwnMessage)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    ASSERT_TRUE(backup::backupDataFolder(data, chosen).ok());
    auto mode = [](const QString &path, mode_t m) { ASSERT_EQ(chmod(QFile::encodeName(path).constData(), m), 0); };
    const QString list = QDir(backupFolder()).filePath(QLatin1String(backup::kManifestName));
    const QString folder = QDir::toNativeSeparators(backupFolder());
    const struct {
        const char *what;
        QString path;
        mode_t mode;
        bool isBackup;
        QString said;
    } cases[] = {
        {"an unreadable backup folder", backupFolder(), 0, false,
         kRestoreFailed + QStringLiteral("\nپوشه %1 خوانده نمي شود: اجازه باز كردن آن نيست").arg(folder)},
        {"a folder entered but not listed", backupFolder(), 0111, false,
         kRestoreFailed + QStringLiteral("\nپرونده هاي پوشه %1 فهرست نمي شوند: اجازه ديدن فهرست آن نيست").arg(folder)},
        {"an unreadable list", list, 0, false,
         kRestoreFailed + QStringLiteral("\nفهرست پشتيبان %1 در اين پوشه خوانده نمي شود").arg(QStringLiteral("~brvbackup.lst"))},
        {"an unreadable live table", QDir(data).filePath(QStringLiteral("bankjd.DB")), 0, true,
         kBackupDataFailed + QStringLiteral("\nجدول bankjd.DB در پوشه داده ها خوانده نمي شود")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        mode(c.path, c.mode);
        EXPECT_EQ(c.isBackup ? backup::backupDataFolder(data, chosen).message
                             : backup::restoreDataFolder(db, backupFolder()).message,
                  c.said);
        mode(c.path, c.isBackup || c.path == list ? 0644 : 0755);
    }
    exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (77,77,1,1)");
    EXPECT_EQ(backup::backupDataFolder(data, chosen).message,
              kBackupDataFailed + QStringLiteral("\n1 رديف جدول bankvh.DB به هيچ پروژه اي تعلق ندارد"));
}
#endif

#ifdef Q_OS_UNIX
TEST_F(BackupStoreTest, EachCauseIsNamedAndLeavesNothingOfItsOwn)
{
    const QString chosen = root.filePath(QStringLiteral("chosen"));
    ASSERT_TRUE(backup::backupDataFolder(data, chosen).ok());
    const QString link = QDir(data).filePath(QStringLiteral("~brvlink.tmp"));
    const QString nowhere = root.filePath(QStringLiteral("elsewhere/target"));
    const QString jd = QDir(data).filePath(QStringLiteral("bankjd.DB"));
    const QString inBackup = QDir(backupFolder()).filePath(QStringLiteral("BANKJD.db"));
    auto opening = [&] {
        db.close();
        try {
            db.open();
        } catch (const pf::db::DbError &e) {
            return e.message();
        }
        return QString();
    };
    auto restoring = [&] {
        db.open();
        return backup::restoreDataFolder(db, backupFolder()).message;
    };
    auto leftovers = [&] {
        QStringList names;
        for (int n = 1; n <= 9; ++n) {
            const QString f = QDir(chosen).filePath(QStringLiteral("~BackubData.new") + (n == 1 ? QString() : QString::number(n)));
            QDir().mkpath(f);
            QFile keep(QDir(f).filePath(QStringLiteral("keep.txt")));
            EXPECT_TRUE(keep.open(QIODevice::WriteOnly));
            names << f;
        }
        return names;
    };
    const auto nine = leftovers();
    for (const QString &f : nine)
        QDir(f).removeRecursively();
    const PlantedCase cases[] = {
        {"a link as the connection's file", [&] { ASSERT_TRUE(QFile::link(nowhere, link)); }, opening,
         QStringLiteral("پرونده ~brvlink.tmp در پوشه داده ها پيوندي به جاي ديگر است و برنامه آن را به كار نمي برد؛ "
                        "آن را برداريد و دوباره سعي كنيد")},
        {"a pipe as the connection's file", [&] { ASSERT_EQ(mkfifo(QFile::encodeName(link).constData(), 0600), 0); },
         opening,
         QStringLiteral("پرونده ~brvlink.tmp در پوشه داده ها يك پرونده معمولي نيست و برنامه آن را به كار نمي برد؛ "
                        "آن را برداريد و دوباره سعي كنيد")},
        {"a folder in the place of a live table",
         [&] {
             db.close();
             QFile::remove(jd);
             QDir().mkpath(jd);
         },
         restoring, kRestoreFailed + QStringLiteral("\nپوشه اي به نام bankjd.DB در پوشه داده ها هست؛ جدول در جاي آن گذاشته نمي شود")},
        {"a stopped restore's files not yet put back",
         [&] {
             db.close();
             const QString old = QDir(data).filePath(QStringLiteral("~brvrestore.old"));
             QDir().mkpath(old);
             QFile m(QDir(old).filePath(QStringLiteral("~swapping")));
             ASSERT_TRUE(m.open(QIODevice::WriteOnly) && m.write("victim\t0\n") > 0);
         },
         restoring,
         kRestoreFailed + QStringLiteral("\nپوشه %1 از بازيابي ناتمام پيشين مانده است و پرونده هاي آن هنوز برگردانده "
                                         "نشده است؛ بازيابي تازه انجام نمي شود")
                             .arg(QDir::toNativeSeparators(QDir(data).filePath(QStringLiteral("~brvrestore.old"))))},
        {"two files of one table in the backup",
         [&] { ASSERT_TRUE(QFile::copy(QDir(backupFolder()).filePath(QStringLiteral("bankjd.DB")), inBackup)); }, restoring,
         kRestoreFailed + QStringLiteral("\nپرونده هاي bankjd.DB و BANKJD.db در پوشه پشتيبان نام يك جدول را دارند "
                                         "(تنها در كوچكي و بزرگي حروف فرق دارند)")},
        {"a list naming one table twice",
         [&] {
             ASSERT_TRUE(QFile::copy(QDir(backupFolder()).filePath(QStringLiteral("bankjd.DB")), inBackup));
             reseal(backupFolder());
         },
         restoring,
         kRestoreFailed + QStringLiteral("\nفهرست پشتيبان از BANKJD.db و bankjd.DB نام مي برد كه نام يك جدول است "
                                         "(تنها در كوچكي و بزرگي حروف فرق دارند)")},
        {"a file and a link in the place of the restore's folders",
         [&] {
             db.close();
             QFile stage(QDir(data).filePath(QStringLiteral("~brvrestore.new")));
             ASSERT_TRUE(stage.open(QIODevice::WriteOnly));
             ASSERT_TRUE(QFile::link(nowhere, QDir(data).filePath(QStringLiteral("~brvrestore.old"))));
         },
         [&] { return backup::recoverInterruptedRestore(data).message; },
         QStringLiteral("اين موارد به جاي پوشه هاي اين برنامه در پوشه داده ها بود و برداشته شد: ~brvrestore.old، "
                        "~brvrestore.new")},
        {"a restore's marker that cannot be opened",
         [&] {
             db.close();
             const QString old = QDir(data).filePath(QStringLiteral("~brvrestore.old"));
             QDir().mkpath(old);
             ASSERT_TRUE(QFile::copy(QDir(backupFolder()).filePath(QStringLiteral("bankjd.DB")), QDir(old).filePath(QStringLiteral("bankjd.DB"))));
             QFile m(QDir(old).filePath(QStringLiteral("~swapping")));
             ASSERT_TRUE(m.open(QIODevice::WriteOnly) && m.write("bankjd.DB\t1\n") > 0);
         },
         [&] {
             // The system out of handles just as the marker is opened.
             rlimit was{};
             getrlimit(RLIMIT_NOFILE, &was);
             const int lowest = dup(0);
             close(lowest);
             const rlimit few{rlim_t(lowest + 2), was.rlim_max};
             setrlimit(RLIMIT_NOFILE, &few);
             const QString said = backup::recoverInterruptedRestore(data).message;
             setrlimit(RLIMIT_NOFILE, &was);
             EXPECT_TRUE(QFile::exists(QDir(data).filePath(QStringLiteral("~brvrestore.old/bankjd.DB"))));
             return said;
         },
         QStringLiteral("اين موارد در پوشه داده ها ساخته اين برنامه نيست و به كار نرفت: ~brvrestore.old/~swapping")},
        {"nine folders of stopped backups that cannot be removed", [&] { leftovers(); },
         [&] { return backup::backupDataFolder(data, chosen).message; },
         kBackupFailed + QStringLiteral("\nپوشه هاي %1 از پشتيبان هاي ناتمام پيشين مانده اند و پاك نمي شوند")
                             .arg(nine.join(QStringLiteral("، ")))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        db.close();
        const auto before = bytesUnder(root.path());
        c.plant();
        const auto planted = bytesUnder(root.path());
        EXPECT_EQ(c.job(), c.said);
        // What was planted stays as it was (but what the program's own names
        // gave way to), and nothing of the program's is left beside it.
        db.close();
        auto after = bytesUnder(root.path());
        for (auto it = planted.begin(); it != planted.end(); ++it)
            if (!before.contains(it.key()) && !it.key().contains(QLatin1String("~brvrestore"))) {
                EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
            }
        for (const QString &path : after.keys())
            EXPECT_TRUE(planted.contains(path)) << path.toStdString();
        // Put back for the next case.
        for (const QString &path : planted.keys())
            if (!before.contains(path)) {
                if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                    QDir(path).removeRecursively();
                else
                    QFile::remove(path);
            }
        if (!QFileInfo::exists(jd))
            QFile::copy(QDir(backupFolder()).filePath(QStringLiteral("bankjd.DB")), jd);
    }
}
#endif
