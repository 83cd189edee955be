#pragma once
// The whole program built offscreen over a fresh data folder holding one
// project, for driving the floors, spaces and surfaces pages.
#include "../app/MainWindowFixture.h"

#include "boravest/building/U10.h"
#include "boravest/building/U2.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"

#include <QApplication>
#include <QTest>

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

// The pages are driven on a 1024 x 768 display without the main window's
// own showing.
class PageFixture : public testsupport::MainWindowFixture {
protected:
    PageFixture() : MainWindowFixture(QSize(1024, 768), false) {}

    ProjectData project;
    // Whether SetUp writes the project row itself (a test that enters the
    // project on page 1 clears it).
    bool seedProject = true;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
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
        MainWindowFixture::TearDown();
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
