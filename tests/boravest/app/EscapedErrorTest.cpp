// An error that escapes an event handler in the middle of a write: the user
// is told, the write is undone and the program goes on.
#include "MainWindowFixture.h"

#include <QPushButton>
#include <QTest>
#include <stdexcept>

namespace {
class EscapedErrorTest : public testsupport::MainWindowFixture {};
} // namespace

TEST_F(EscapedErrorTest, AWriteLeftHalfWayIsUndoneAndTheDataFolderClosed)
{
    auto &db = *DM1->Database1;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        db.startTransaction();
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (5, 'half')"));
        throw std::runtime_error("lost");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(testsupport::takeMessages(),
              QStringList{QStringLiteral("خطاي پيش بيني نشده اي رخ داد؛ عمليات انجام نشد\n"
                                         "تغييرات نيمه كاره ذخيره نشد و پوشه داده ها بسته شد")});
    EXPECT_FALSE(db.connected());
    Form1->FormActivate();
    EXPECT_TRUE(db.connected());
    EXPECT_TRUE(db.select(QStringLiteral("select * from Bank1")).rows.isEmpty());
}
