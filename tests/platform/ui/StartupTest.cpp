#include "platform/ui/Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The start changes what the whole application shows; each test puts the
// English, left-to-right application back.
class PersianStart : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }
    QTranslator *translator = nullptr;
};

QString shown(const QAbstractButton *b)
{
    return b ? b->text().remove(QLatin1Char('&')) : QString();
}

} // namespace

TEST_F(PersianStart, MessageBoxButtonsReadInPersianRightToLeft)
{
    translator = pf::ui::startInPersian();
    ASSERT_NE(translator, nullptr) << "Qt's Persian translation (qt6-translations-l10n) is missing";
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(shown(box.button(QMessageBox::Ok)), QStringLiteral("تأیید"));
    EXPECT_EQ(shown(box.button(QMessageBox::Yes)), QStringLiteral("بله"));
    EXPECT_EQ(shown(box.button(QMessageBox::No)), QStringLiteral("نه"));
    EXPECT_EQ(shown(box.button(QMessageBox::Cancel)), QStringLiteral("انصراف"));
    EXPECT_EQ(box.layoutDirection(), Qt::RightToLeft);
}

TEST_F(PersianStart, WithoutTheTranslationQtStaysEnglish)
{
    EXPECT_EQ(pf::ui::installQtTranslation(QStringLiteral("/nonexistent/translations")), nullptr);
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    EXPECT_EQ(shown(box.button(QMessageBox::Ok)), QStringLiteral("OK"));
}
