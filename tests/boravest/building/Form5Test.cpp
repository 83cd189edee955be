// The city climate form, opened from the general data page: a new city,
// an existing one, refusals that leave nothing half-written, the minus
// sign and the arrow keys.
#include "GeneralDataFixture.h"

#include <QPushButton>

namespace {

const QString kIncomplete = QStringLiteral("داده هاي مربوط به شهر مورد نظر را كامل وارد كنيد");

class CityForm : public GeneralDataFixture {
protected:
    void SetUp() override
    {
        GeneralDataFixture::SetUp();
        openPage();
        key(Form2->DBGrid1, Qt::Key_Insert);
    }
    // Shows the city form for the page's city and runs `act` in it.
    void withCityForm(const QString &city, std::function<void()> act)
    {
        Form2->de4->setEditText(city);
        onModal = [act](QWidget *w) {
            if (w == Form5) {
                Form5->show();
                activate(Form5);
                act();
                if (Form5->isVisible())
                    Form5->Button2->click();
            }
            return 0;
        };
        Form2->Label42->click();
        onModal = nullptr;
    }
    double cities() { return scalar(QStringLiteral("SELECT COUNT(*) FROM shahrg")); }
};

} // namespace

TEST_F(CityForm, ANewCityIsStoredAndOffered)
{
    const double before = cities();
    withCityForm(QStringLiteral("qom"), [] {
        EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("qom"));
        EXPECT_TRUE(Form5->Edit1->isReadOnly());
        for (QLineEdit *e : {Form5->ArzGog, Form5->Hi_, Form5->To_, Form5->DarsadRoto, Form5->MoadelYakh})
            EXPECT_EQ(e->text(), QString());
        type(Form5->ArzGog, QStringLiteral("34.6"));
        type(Form5->Hi_, QStringLiteral("3000"));
        type(Form5->To_, QStringLiteral("-5"));
        Form5->DarsadRoto->setFocus(); // leaving shows the sign after the digits
        EXPECT_EQ(Form5->To_->text(), QStringLiteral("5-"));
        type(Form5->DarsadRoto, QStringLiteral("40"));
        type(Form5->MoadelYakh, QStringLiteral("60"));
        Form5->Button1->click();
        EXPECT_FALSE(Form5->isVisible());
    });
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(cities(), before + 1);
    const auto r = DM1->Database1->select(QStringLiteral(
        "SELECT Ertefa, Dama_kd, ArzGografi, DarsadRotobat, MoadelYakbandan FROM shahrg WHERE Name_shahr = 'qom'"));
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_DOUBLE_EQ(r.rows[0][0].toDouble(), 3000);
    EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), -5);
    EXPECT_DOUBLE_EQ(r.rows[0][2].toDouble(), 34.6);
    EXPECT_DOUBLE_EQ(r.rows[0][3].toDouble(), 40);
    EXPECT_DOUBLE_EQ(r.rows[0][4].toDouble(), 60);
    // The page shows the stored values as text and offers the new city.
    EXPECT_EQ(Form2->Edit1->text(), QStringLiteral("3000"));
    EXPECT_EQ(Form2->Edit2->text(), QStringLiteral("-5"));
    EXPECT_EQ(Form2->de4->findText(QStringLiteral("qom")), Form2->de4->count() - 1);
    EXPECT_EQ(Form2->de4->currentText(), QStringLiteral("qom"));
    EXPECT_EQ(DM1->Table7->state(), pf::db::DatasetState::Browse);

    // Shown again, the temperature has its sign after the digits.
    withCityForm(QStringLiteral("qom"), [] {
        EXPECT_EQ(Form5->To_->text(), QStringLiteral("5-"));
        EXPECT_EQ(Form5->Hi_->text(), QStringLiteral("3000"));
        EXPECT_EQ(Form5->MoadelYakh->text(), QStringLiteral("60"));
        // An existing city is changed in place and not listed twice.
        type(Form5->Hi_, QStringLiteral("3100"));
        Form5->Button1->click();
    });
    EXPECT_EQ(cities(), before + 1);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Ertefa FROM shahrg WHERE Name_shahr = 'qom'")), 3100);
    EXPECT_EQ(Form2->de4->findText(QStringLiteral("qom")), Form2->de4->count() - 1);
    EXPECT_EQ(Form2->de4->count(), 5);
}

TEST_F(CityForm, ARefusedSaveWritesNothingAndLeavesNothingPending)
{
    const double before = cities();
    // A new city without its frost days.
    withCityForm(QStringLiteral("qom"), [] {
        type(Form5->ArzGog, QStringLiteral("34"));
        type(Form5->Hi_, QStringLiteral("3000"));
        type(Form5->To_, QStringLiteral("20"));
        type(Form5->DarsadRoto, QStringLiteral("40"));
        Form5->Button1->click();
        EXPECT_TRUE(Form5->isVisible());
        EXPECT_EQ(DM1->Table7->state(), pf::db::DatasetState::Browse);
    });
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kIncomplete});
    EXPECT_EQ(cities(), before);
    EXPECT_EQ(Form2->de4->findText(QStringLiteral("qom")), -1);

    // A known city with an emptied input, then with a latitude that is no
    // number: the stored record keeps its values.
    withCityForm(QStringLiteral("shiraz"), [] {
        type(Form5->Hi_, QString());
        type(Form5->To_, QStringLiteral("99"));
        Form5->Button1->click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{kIncomplete});
        type(Form5->Hi_, QStringLiteral("1600"));
        // Put past the key filter, which takes one point only.
        Form5->ArzGog->setFocus();
        Form5->ArzGog->selectAll();
        Form5->ArzGog->insert(QStringLiteral("1.2.3"));
        Form5->Button1->click();
        EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
        EXPECT_TRUE(Form5->isVisible());
    });
    EXPECT_EQ(DM1->Table7->state(), pf::db::DatasetState::Browse);
    const auto r = DM1->Database1->select(
        QStringLiteral("SELECT Ertefa, Dama_kd, ArzGografi FROM shahrg WHERE Name_shahr = 'shiraz'"));
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_DOUBLE_EQ(r.rows[0][0].toDouble(), 1500);
    EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), 31);
    EXPECT_DOUBLE_EQ(r.rows[0][2].toDouble(), 30);
    EXPECT_EQ(cities(), before);

    // Esc closes without storing.
    withCityForm(QStringLiteral("shiraz"), [] {
        type(Form5->Hi_, QStringLiteral("1"));
        QTest::keyClick(Form5->Hi_, Qt::Key_Escape);
        EXPECT_FALSE(Form5->isVisible());
    });
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Ertefa FROM shahrg WHERE Name_shahr = 'shiraz'")), 1500);
}

TEST_F(CityForm, SignsFiltersAndArrows)
{
    withCityForm(QStringLiteral("sardab"), [] {
        EXPECT_EQ(Form5->To_->text(), QStringLiteral("5-"));
        EXPECT_EQ(Form5->Hi_->text(), QStringLiteral("10000"));
        testsupport::takeMessages();
        type(Form5->ArzGog, QStringLiteral("3-a4"));
        EXPECT_EQ(Form5->ArzGog->text(), QStringLiteral("34"));
        EXPECT_EQ(testsupport::takeMessages(), (QStringList{QStringLiteral(" عدد معتبر است"), QStringLiteral(" عدد معتبر است")}));
        // Down walks latitude, altitude, temperature, humidity, frost days.
        Form5->ArzGog->setFocus();
        QTest::keyClick(Form5->ArzGog, Qt::Key_Down);
        EXPECT_EQ(Form5->focusWidget(), Form5->Hi_);
        QTest::keyClick(Form5->Hi_, Qt::Key_Down);
        QTest::keyClick(Form5->To_, Qt::Key_Down);
        QTest::keyClick(Form5->DarsadRoto, Qt::Key_Down);
        EXPECT_EQ(Form5->focusWidget(), Form5->MoadelYakh);
        Form5->DarsadRoto->setFocus();
        QTest::keyClick(Form5->DarsadRoto, Qt::Key_Up);
        EXPECT_EQ(Form5->focusWidget(), Form5->To_);
        Form5->ArzGog->setFocus();
        QTest::keyClick(Form5->ArzGog, Qt::Key_Up);
        EXPECT_EQ(Form5->focusWidget(), Form5->Edit1);
        // The altitude typed with its sign after the digits is stored
        // negative.
        type(Form5->Hi_, QStringLiteral("20-"));
        Form5->Button1->click();
    });
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Ertefa FROM shahrg WHERE Name_shahr = 'sardab'")), -20);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Dama_kd FROM shahrg WHERE Name_shahr = 'sardab'")), -5);
    EXPECT_EQ(TForm5::Convert_To(QStringLiteral("12-")), QStringLiteral("-12"));
    EXPECT_EQ(TForm5::Convert_Hi(QStringLiteral("12")), QStringLiteral("12"));
}
