// The number boxes of the building pages take no more characters than
// their values can need, so no number far beyond any building is stored.
#include "PageFixture.h"

#include "boravest/building/U4.h"
#include "boravest/building/U5.h"

namespace {

class NumberBoxes : public pagetest::PageFixture {};

} // namespace

TEST_F(NumberBoxes, TakeNoMoreCharactersThanTheirValuesNeed)
{
    const struct {
        QLineEdit *box;
        int max;
    } cases[] = {
        {Form2->de1, 6},     {Form2->De13, 3},    {Form2->De5, 5},  {Form8->Edit1, 3}, {Form8->DE2, 4},
        {Form8->De6, 4},     {Form9->DBEdit7, 8}, {Form9->DBEdit9, 4}, {Form9->DBEdit10, 5}, {Form10->DE1, 8},
        {Form10->de3, 5},    {Form10->DE7, 8},    {Form5->Hi_, 6},  {Form4->Edit(1), 6},
    };
    for (const auto &c : cases) {
        c.box->clear();
        c.box->insert(QString(300, QLatin1Char('9'))); // pasted at once: refused whole
        EXPECT_EQ(c.box->text(), QString()) << c.box->objectName().toStdString();
        c.box->insert(QString(c.max, QLatin1Char('9')));
        EXPECT_EQ(c.box->text().size(), c.max) << c.box->objectName().toStdString();
        c.box->insert(QStringLiteral("9"));
        EXPECT_EQ(c.box->text().size(), c.max) << c.box->objectName().toStdString();
        c.box->clear();
    }
}
