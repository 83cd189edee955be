#pragma once
// The whole program built offscreen over a fresh data folder holding one
// project, for driving the floors, spaces and surfaces pages.
#include "boravest/building/U10.h"
#include "boravest/building/U2.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/Forms.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/system/DisplayMode.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace pagetest {

// The project every page test starts from (general data as page 1 stores it).
struct ProjectData {
    double number = 7;
    QString name = QStringLiteral("ويلا");
    QString city = QStringLiteral("تهران");
    QString sf = QStringLiteral("15");
    double ti = 70, to = 28;
    double valK = 0.35, valD = 0.52, winK = 1.23, winD = 0.65, dorK = 0.7, dorD = 0.45, sakfK = 0.31, sakfD = 0.42;
};

class PageFixture : public ::testing::Test {
protected:
    QTemporaryDir programDir;
    QTemporaryDir store;
    pf::sys::FakeDisplayMode display{QSize(1024, 768)};
    pf::sys::DisplayMode *previousDisplay = nullptr;
    QStringList modalsShown;
    // Answers a modal form; the default shows nothing and returns 0.
    std::function<int(QWidget *)> onModal;
    ProjectData project;
    // Whether SetUp writes the project row itself (a test that enters the
    // project on page 1 clears it).
    bool seedProject = true;

    void SetUp() override
    {
        pf::sys::Settings::setStorePath(QDir(store.path()).filePath(QStringLiteral("registry.ini")));
        pf::db::Session::clearPasswords();
        previousDisplay = pf::sys::setDisplayMode(&display);
        SetProgramFolder(programDir.path());
        schema::createProgramTable(programDir.path());
        schema::createDataFolder(programDir.filePath(QStringLiteral("Boravestdata")));
        testsupport::takeMessages();
        pf::ui::setModalHook([this](QWidget *w) {
            modalsShown << w->objectName();
            return onModal ? onModal(w) : 0;
        });
        CreateAllForms();
        Form1->FormActivate();
        ASSERT_TRUE(Form1->startupDone());
        if (seedProject) {
            addProject(project);
            DM1->Table3->open();
        }
        testsupport::takeMessages();
    }

    void TearDown() override
    {
        for (QWidget *w : {static_cast<QWidget *>(Form10), static_cast<QWidget *>(Form9), static_cast<QWidget *>(Form8),
                           static_cast<QWidget *>(Form2)})
            if (w)
                w->hide();
        DestroyAllForms();
        pf::ui::setModalHook(nullptr);
        pf::sys::setDisplayMode(previousDisplay);
        SetProgramFolder(QString());
    }

    // A project row written straight into Bank1.DB, left current in Table1.
    static void addProject(const ProjectData &p)
    {
        pf::db::Table *t = DM1->Table1;
        if (!t->active())
            t->open();
        t->append();
        auto set = [t](const char *f, const QVariant &v) { t->fieldByName(QString::fromLatin1(f)).setValue(v); };
        set("SHPROJE", p.number);
        set("NAME", p.name);
        set("SHAHR", p.city);
        set("Sf", p.sf);
        set("Ti1", p.ti);
        set("To1", p.to);
        set("VAL_K", p.valK);
        set("VAL_D", p.valD);
        set("Win_K", p.winK);
        set("Win_D", p.winD);
        set("DOR_K", p.dorK);
        set("DOR_D", p.dorD);
        set("Sakf_K", p.sakfK);
        set("Sakf_D", p.sakfD);
        t->post();
    }

    // Shows a page as its caller would, without waiting for it.
    static void showPage(QWidget *page)
    {
        page->show();
        page->activateWindow();
        QApplication::processEvents();
    }

    // Keys as the keyboard sends them: to the control that has the focus.
    static QWidget *target(QWidget *page)
    {
        QWidget *w = page->focusWidget();
        return w ? w : page;
    }
    static void press(QWidget *page, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(target(page), key, mods);
    }
    // Characters outside ASCII (Persian names) arrive as key events that
    // carry only their text, as an input method delivers them.
    static void typeInto(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void type(QWidget *page, const QString &text) { typeInto(target(page), text); }
    // Replaces the text of the focused input by typing.
    static void retype(QWidget *page, const QString &text)
    {
        QWidget *w = target(page);
        QTest::keyClick(w, Qt::Key_Home);
        QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(w, Qt::Key_Backspace);
        typeInto(w, text);
    }

    // Plain SQL over the data folder.
    static pf::db::Database::Result rows(const QString &sql, const QVariantList &binds = {})
    {
        return DM1->Database1->select(sql, binds);
    }
    static int count(const QString &table)
    {
        return rows(QStringLiteral("SELECT count(*) FROM %1").arg(table)).rows.value(0).value(0).toInt();
    }
};

} // namespace pagetest
