// Screenshots of page 1 under a real display (temporary).
#include "GeneralDataFixture.h"

#include "platform/ui/Fonts.h"

#include <QRadioButton>

class GeneralDataShots : public GeneralDataFixture {};

TEST_F(GeneralDataShots, Grab)
{
    const QByteArray dir = qgetenv("BORAVEST_SHOTS");
    if (dir.isEmpty())
        GTEST_SKIP();
    pf::ui::installPersianFonts();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    Form1->FormActivate();
    addProject(7);
    addProject(12, QStringLiteral("tabriz"));
    openPage();
    QTest::qWait(200);
    Form2->grab().save(QString::fromLocal8Bit(dir) + "/form2_browse.png");
    fillValidProject(QStringLiteral("15"));
    type(Form2->De5, QStringLiteral("0.403"));
    key(Form2->De13, Qt::Key_F6);
    QTest::qWait(200);
    Form2->grab().save(QString::fromLocal8Bit(dir) + "/form2_entry_guide.png");
    key(Form2->De13, Qt::Key_Escape);
    key(Form2->De10, Qt::Key_F5);
    key(Form2->KindButtons[4], Qt::Key_Down);
    QTest::qWait(200);
    Form2->grab().save(QString::fromLocal8Bit(dir) + "/form2_door_chooser.png");
    key(Form2->KindButtons[5], Qt::Key_Escape);
    key(Form2->DE7, Qt::Key_F5);
    QTest::qWait(200);
    Form2->grab().save(QString::fromLocal8Bit(dir) + "/form2_window_chooser.png");
    key(Form2->KindButtons[1], Qt::Key_Escape);
    onModal = [&](QWidget *w) {
        w->show();
        QTest::qWait(200);
        if (w == Form4) {
            type(Form4->Edit(1), QStringLiteral("8"));
            type(Form4->Edit(5), QStringLiteral("1"));
        }
        w->grab().save(QString::fromLocal8Bit(dir) + "/" + w->objectName() + ".png");
        pf::ui::endModal(w, 0);
        return 0;
    };
    key(Form2->De5, Qt::Key_F5);
    Form2->de4->setEditText(QStringLiteral("sardab"));
    Form2->Label42->click();
}
