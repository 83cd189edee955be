// What escapes an event handler reaches the user as a message and the
// program goes on; a job's busy sign shows only once the job has run a while.
#include "platform/db/DbTypes.h"
#include "platform/ui/Application.h"
#include "platform/ui/Busy.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::resetSharedState(); }
};

} // namespace

TEST_F(ApplicationTest, AnErrorThrownOutOfAnEventHandlerIsShownAndTheProgramGoesOn)
{
    const QString locked = pf::db::DbError(pf::db::DbFault::Busy, {QStringLiteral("BankColors.DB")}, QStringLiteral("database is locked")).message();
    const struct {
        const char *what;
        std::function<void()> handler;
        QString safe; // what the program says it did to keep the data
        QString shown;
    } cases[] = {
        {"a database failure",
         [] { throw pf::db::DbError(pf::db::DbFault::Busy, {QStringLiteral("BankColors.DB")}, QStringLiteral("database is locked")); },
         QString(), locked + QStringLiteral("\nعمليات انجام نشد")},
        {"any other error, the data made safe",
         [] { throw std::logic_error("vector::at"); }, QStringLiteral("پوشه داده ها بسته شد"),
         QStringLiteral("خطاي پيش بيني نشده اي رخ داد؛ عمليات انجام نشد\nپوشه داده ها بسته شد")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        pf::ui::setEscapedErrorHook([&] { return c.safe; });
        QPushButton button;
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] {
            if (++clicks == 1)
                c.handler();
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(testsupport::takeMessages(), QStringList{c.shown});
        // The window is still there and answers.
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 2);
        EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    }
    EXPECT_FALSE(locked.contains(QStringLiteral("locked")));
}

TEST_F(ApplicationTest, BusySignShowsAfterTheDelayMovesOnTicksAndGoesWithTheJob)
{
    QWidget panel;
    pf::ui::Animate animation(&panel);
    panel.hide();
    qint64 now = 0;
    {
        pf::ui::BusySign sign(&panel, &animation, 500, [&] { return now; });
        for (qint64 t : {0, 200, 499}) {
            now = t;
            sign.tick();
            EXPECT_FALSE(sign.shown()) << t;
        }
        EXPECT_TRUE(panel.isHidden());
        now = 500;
        sign.tick();
        EXPECT_TRUE(sign.shown());
        EXPECT_FALSE(panel.isHidden());
        EXPECT_TRUE(animation.active());
        const int first = animation.frame();
        now = 520; // too soon for the next frame
        sign.tick();
        EXPECT_EQ(animation.frame(), first);
        now = 560;
        sign.tick();
        EXPECT_EQ(animation.frame(), first + 1);
    }
    EXPECT_TRUE(panel.isHidden());
    EXPECT_FALSE(animation.active());
    // A job over before the delay shows nothing.
    now = 0;
    { pf::ui::BusySign quick(&panel, &animation, 500, [&] { return now; }); }
    EXPECT_TRUE(panel.isHidden());
}
