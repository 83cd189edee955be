// The material layers dialog, driven from the general data page with real
// key presses: U from the layers, Esc and the close box, the layers kept
// per project and surface kind.
#include "GeneralDataFixture.h"

#include <QLabel>

namespace {

const QString kNotNumber = QStringLiteral(" عدد معتبر است");

class UValueDialog : public GeneralDataFixture {
protected:
    // Answers the dialog: types each (input, text), then presses `finish`.
    // `pasted`: layers whose text is then put past the key filter.
    void answerWith(QList<QPair<int, QString>> layers, Qt::Key finish = Qt::Key_Return,
                    QList<QPair<int, QString>> pasted = {})
    {
        onModal = [this, layers, finish, pasted](QWidget *w) {
            if (w != Form4)
                return 0;
            Form4->show();
            activate(Form4);
            seenOnOpen = Form4->thicknessTexts();
            seenCaption = Form4->Label23->text();
            for (const auto &[n, text] : layers)
                type(Form4->Edit(n), text);
            for (const auto &[n, text] : pasted) {
                Form4->Edit(n)->selectAll();
                Form4->Edit(n)->insert(text);
            }
            QTest::keyClick(Form4->Edit(1), finish);
            stillOpen = Form4->isVisible();
            if (stillOpen)
                QTest::keyClick(Form4->Edit(1), Qt::Key_Escape);
            return 0;
        };
    }
    QStringList seenOnOpen;
    QString seenCaption;
    bool stillOpen = false;
};

} // namespace

TEST_F(UValueDialog, LayersGiveTheUValueOfTheWallAndEscKeepsTheInput)
{
    openPage();
    fillValidProject(QStringLiteral("12"));

    // External wall: 8 in common brick and 1 in gypsum plaster -> 0.403.
    answerWith({{1, QStringLiteral("8")}, {5, QStringLiteral("1")}});
    key(Form2->De5, Qt::Key_F5);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form4")});
    EXPECT_EQ(seenCaption, QStringLiteral("ديوار خارجي"));
    EXPECT_EQ(UValueRequest.CallerName, QStringLiteral("Form2"));
    EXPECT_EQ(UValueRequest.TargetName, QStringLiteral("de5"));
    EXPECT_EQ(UValueRequest.Kind, 1);
    EXPECT_EQ(UValueRequest.Key, 13);
    EXPECT_DOUBLE_EQ(UValueRequest.U, 0.403);
    EXPECT_EQ(Form2->De5->text(), QStringLiteral("0.403"));

    // No layer at all: U 0, whatever the kind (internal ceiling here).
    answerWith({});
    Form2->Label41->click();
    EXPECT_EQ(seenCaption, QStringLiteral("سقف داخلي"));
    EXPECT_EQ(Form2->De12->text(), QStringLiteral("0"));

    // Esc: nothing computed, the input keeps its value.
    answerWith({{1, QStringLiteral("4")}}, Qt::Key_Escape);
    key(Form2->De5, Qt::Key_F5);
    EXPECT_EQ(UValueRequest.Key, 27);
    EXPECT_EQ(Form2->De5->text(), QStringLiteral("0.403"));

    // The window's close box answers Esc too, never the U of an earlier use.
    onModal = [](QWidget *w) {
        if (w == Form4) {
            Form4->show();
            type(Form4->Edit(8), QStringLiteral("4"));
            Form4->close();
        }
        return 0;
    };
    UValueRequest.U = 0.777;
    key(Form2->De6, Qt::Key_F5);
    EXPECT_EQ(UValueRequest.Key, 27);
    EXPECT_EQ(Form2->De6->text(), QString());

    key(Form2->De5, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList());
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT VAL_K FROM Bank1 WHERE SHPROJE = 12")), 0.403);
}

TEST_F(UValueDialog, ATextThatIsNoNumberIsRefusedAndTheDialogStays)
{
    openPage();
    fillValidProject(QStringLiteral("3"));
    type(Form2->De5, QStringLiteral("0.5"));
    // The filter refuses letters and a second point; "1.2.3" put past the
    // filter is no number.
    answerWith({{2, QStringLiteral("x")}}, Qt::Key_Return, {{3, QStringLiteral("1.2.3")}});
    key(Form2->De5, Qt::Key_F5);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(testsupport::takeMessages(),
              (QStringList{kNotNumber, kNotNumber}));
    EXPECT_EQ(seenOnOpen.size(), 28);
    EXPECT_EQ(Form2->De5->text(), QStringLiteral("0.5"));
    EXPECT_EQ(UValueRequest.Key, 27);
}

TEST_F(UValueDialog, ArrowsWalkTheInputsAndADoubleClickAnswers)
{
    openPage();
    fillValidProject(QStringLiteral("3"));
    onModal = [](QWidget *w) {
        if (w != Form4)
            return 0;
        Form4->show();
        activate(Form4);
        Form4->Edit(1)->setFocus();
        QTest::keyClick(Form4->Edit(1), Qt::Key_Up); // nothing above the first
        EXPECT_EQ(Form4->focusWidget(), Form4->Edit(1));
        QTest::keyClick(Form4->Edit(1), Qt::Key_Down);
        EXPECT_EQ(Form4->focusWidget(), Form4->Edit(2));
        Form4->Edit(28)->setFocus();
        QTest::keyClick(Form4->Edit(28), Qt::Key_Down); // nothing below the last
        EXPECT_EQ(Form4->focusWidget(), Form4->Edit(28));
        QTest::keyClick(Form4->Edit(28), Qt::Key_Up);
        EXPECT_EQ(Form4->focusWidget(), Form4->Edit(27));
        // Floor off the ground would be kind 5; an internal wall of 4 in
        // heavy concrete: 1.1 / (0.8 + 1.36) = 0.509.
        type(Form4->Edit(8), QStringLiteral("4"));
        QTest::mouseDClick(Form4->Edit(8), Qt::LeftButton);
        return 0;
    };
    key(Form2->De6, Qt::Key_F5);
    EXPECT_EQ(UValueRequest.Kind, 2);
    EXPECT_EQ(Form2->De6->text(), QStringLiteral("0.509"));
}

TEST_F(UValueDialog, LayersOfASavedProjectAreStoredAtOnceAndShownAgain)
{
    addProject(12);
    openPage();
    key(Form2->DBGrid1, Qt::Key_Return); // Edit
    ASSERT_TRUE(Form2->entryState());
    answerWith({{1, QStringLiteral("8")}, {5, QStringLiteral("1")}});
    key(Form2->De5, Qt::Key_F5);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Typ1 FROM TypMas WHERE Shproje = 12 AND Type = 1")), 8);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Typ5 FROM TypMas WHERE Shproje = 12 AND Type = 1")), 1);

    // Opening it again for the same wall shows them; another kind is empty.
    answerWith({}, Qt::Key_Escape);
    key(Form2->De5, Qt::Key_F5);
    EXPECT_EQ(seenOnOpen.value(0), QStringLiteral("8"));
    EXPECT_EQ(seenOnOpen.value(4), QStringLiteral("1"));
    key(Form2->De11, Qt::Key_F5);
    EXPECT_EQ(seenOnOpen, QStringList(QList<QString>(28)));

    // The surfaces page gets empty inputs and stores nothing.
    UValueRequest.CallerName = QStringLiteral("Form10");
    UValueRequest.Kind = 1;
    Form4->show();
    EXPECT_EQ(Form4->thicknessTexts(), QStringList(QList<QString>(28)));
    type(Form4->Edit(2), QStringLiteral("3"));
    QTest::keyClick(Form4->Edit(2), Qt::Key_Return);
    EXPECT_EQ(UValueRequest.Key, 13);
    EXPECT_DOUBLE_EQ(UValueRequest.U, 0.932); // 1.1 / (0.33 + 0.85)
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TypMas")), 1);
}

TEST_F(UValueDialog, LayersOfANewProjectWaitForItsNumber)
{
    openPage();
    // The number still shows "0" while the layers are entered.
    key(Form2->DBGrid1, Qt::Key_Insert);
    answerWith({{17, QStringLiteral("2")}});
    key(Form2->De11, Qt::Key_F5);
    EXPECT_EQ(UValueRequest.Kind, 3);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TypMas")), 0);
    answerWith({}, Qt::Key_Escape);
    key(Form2->De11, Qt::Key_F5);
    EXPECT_EQ(seenOnOpen.value(16), QStringLiteral("2"));

    // Cancelled: nothing is stored.
    key(Form2->De11, Qt::Key_Escape);
    EXPECT_FALSE(Form2->entryState());
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TypMas")), 0);

    // Saved as project 15: the layers are stored under 15, none under 0.
    fillValidProject(QStringLiteral("15"));
    answerWith({{17, QStringLiteral("2")}});
    key(Form2->De11, Qt::Key_F5);
    key(Form2->De11, Qt::Key_F2);
    ASSERT_FALSE(Form2->entryState()) << testsupport::takeMessages().join(QLatin1Char('|')).toStdString();
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Typ17 FROM TypMas WHERE Shproje = 15 AND Type = 3")), 2);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TypMas WHERE Shproje = 0")), 0);
}
