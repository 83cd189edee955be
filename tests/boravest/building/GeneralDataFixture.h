#pragma once
// The whole program built offscreen with a fresh data folder, a few cities
// and the general data page shown, for the tests of page 1, the city form
// and the material layers dialog. Modal forms are answered by `onModal`.
#include "../app/MainWindowFixture.h"

#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U5.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

class GeneralDataFixture : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Cities: name, outdoor design temperature (F), altitude (ft).
        addCity(QStringLiteral("shiraz"), 31, 1500);
        addCity(QStringLiteral("tabriz"), 12, 2000);
        addCity(QStringLiteral("bandar"), 55, 0);
        addCity(QStringLiteral("sardab"), -5, 10000);
        testsupport::takeMessages();
    }

    void TearDown() override
    {
        if (Form2) {
            Form2->Label6Click();
            Form2->hide();
        }
        MainWindowFixture::TearDown();
    }

    void addCity(const QString &name, double outdoor, double altitude)
    {
        DM1->Database1->exec(QStringLiteral("INSERT INTO shahrg (Name_shahr, Dama_kd, Ertefa, ArzGografi, "
                                            "DarsadRotobat, MoadelYakbandan) VALUES (?, ?, ?, 30, 40, 20)"),
                             {name, outdoor, altitude});
    }

    void addProject(double number, const QString &city = QStringLiteral("shiraz"))
    {
        DM1->Database1->exec(QStringLiteral("INSERT INTO Bank1 (SHPROJE, NAME, SHAHR, Ti1, Sf, VAL_K) "
                                            "VALUES (?, ?, ?, 70, '10', 0.3)"),
                             {number, QStringLiteral("p%1").arg(number), city});
    }

    double scalar(const QString &sql, const QVariantList &binds = {})
    {
        const auto r = DM1->Database1->select(sql, binds);
        return r.rows.isEmpty() ? -1 : r.rows[0][0].toDouble();
    }

    // What the main menu does before it shows the page.
    void openPage()
    {
        DM1->Table1->open();
        Form2->de4->clear();
        DM1->Table7->open();
        for (DM1->Table7->first(); !DM1->Table7->eof(); DM1->Table7->next())
            Form2->de4->addItem(DM1->Table7->fieldByName(QStringLiteral("Name_shahr")).asString());
        Form2->show();
        activate(Form2);
    }

    static void activate(QWidget *w)
    {
        QApplication::setActiveWindow(w);
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w, 1000);
    }

    // Types a text over what the input shows, as the user would.
    static void type(QWidget *input, const QString &text)
    {
        input->setFocus();
        if (auto *e = qobject_cast<QLineEdit *>(input))
            e->selectAll();
        else if (auto *c = qobject_cast<QComboBox *>(input))
            c->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(input, Qt::Key_Backspace);
        else
            QTest::keyClicks(input, text);
    }

    static void key(QWidget *w, Qt::Key k) { QTest::keyClick(w, k); }

    // A new project with every check passing, not yet saved.
    void fillValidProject(const QString &number)
    {
        key(Form2->DBGrid1, Qt::Key_Insert);
        type(Form2->De3, QStringLiteral("1380/01/01"));
        type(Form2->de1, number);
        type(Form2->De2, QStringLiteral("villa"));
        type(Form2->De13, QStringLiteral("70"));
        type(Form2->De14, QStringLiteral("10"));
        type(Form2->de4, QStringLiteral("shiraz"));
        Form2->De5->setFocus(); // leaves the city input: known, no question
    }
};
