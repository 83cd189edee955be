#pragma once
// The whole program built offscreen over a fresh program folder and data
// folder, started and activated once; modal forms are answered by a hook
// that records their names. The page fixtures of the building tests start
// from it too.
#include "boravest/app/Forms.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/app/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"
#include "../ProgramGlobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <sqlite3.h>

namespace testsupport {

class MainWindowFixture : public ::testing::Test {
protected:
    // `screen`: the display the program starts on; `showMainWindow`: the
    // main window is shown before its first activation.
    explicit MainWindowFixture(QSize screen = QSize(800, 600), bool showMainWindow = true)
        : display(screen), m_showMainWindow(showMainWindow)
    {
    }

    QTemporaryDir programDir;
    QTemporaryDir store;
    pf::sys::FakeDisplayMode display;
    pf::sys::DisplayMode *previousDisplay = nullptr;
    QStringList modalsShown;
    // Answers a modal form; the default shows nothing and returns 0.
    std::function<int(QWidget *)> onModal;

    void SetUp() override
    {
        resetProgramGlobals();
        pf::sys::Settings::setStorePath(QDir(store.path()).filePath(QStringLiteral("registry.ini")));
        pf::db::Session::clearPasswords();
        previousDisplay = pf::sys::setDisplayMode(&display);
        SetProgramFolder(programDir.path());
        schema::createProgramTable(programDir.path());
        schema::createDataFolder(dataFolder());
        pf::ui::setModalHook([this](QWidget *w) {
            modalsShown << w->objectName();
            return onModal ? onModal(w) : 0;
        });
        CreateAllForms();
        if (m_showMainWindow)
            Form1->FormShow();
        Form1->FormActivate();
        ASSERT_TRUE(Form1->startupDone());
        takeMessages();
    }
    void TearDown() override
    {
        DestroyAllForms();
        pf::ui::setModalHook(nullptr);
        pf::sys::setDisplayMode(previousDisplay);
        SetProgramFolder(QString());
    }
    QString dataFolder() const { return programDir.filePath(QStringLiteral("Boravestdata")); }
    QString tableFile(const QString &name) const { return QDir(dataFolder()).filePath(name); }

    // Chooses a menu item as the user does: the action fires and its
    // handler runs from the event loop.
    void choose(const char *item)
    {
        QAction *a = Form1->menuItem(QString::fromLatin1(item));
        ASSERT_NE(a, nullptr) << item;
        a->trigger();
        QCoreApplication::processEvents();
    }

private:
    bool m_showMainWindow;
};

// A connection of its own to one table file, as another program would
// hold it.
class RawFile {
public:
    explicit RawFile(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;

    bool exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    // Each secondary index as "NAME(field;field...)", in name order.
    QStringList indexes()
    {
        QStringList out;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL ORDER BY name",
                           -1, &st, nullptr);
        QStringList names;
        while (sqlite3_step(st) == SQLITE_ROW)
            names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        for (const QString &n : names) {
            QStringList fields;
            const QByteArray q = QStringLiteral("PRAGMA index_info(\"%1\")").arg(n).toUtf8();
            sqlite3_prepare_v2(m_db, q.constData(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                fields << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 2))).toLower();
            sqlite3_finalize(st);
            out << n + QLatin1Char('(') + fields.join(QLatin1Char(';')) + QLatin1Char(')');
        }
        return out;
    }

private:
    sqlite3 *m_db = nullptr;
};

} // namespace testsupport
