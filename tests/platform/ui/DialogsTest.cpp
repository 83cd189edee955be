#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace pf::ui;

TEST(MessageHook, SeesTheTextExactly)
{
    QStringList seen;
    ScopedMessageHook hook([&](const QString &t) { seen << t; });
    const QString text = QStringLiteral(" عدد صحيح معتبر است");
    showMessage(text);
    showMessage(QStringLiteral("<b>x</b>"));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], text);
    EXPECT_EQ(seen[1], QStringLiteral("<b>x</b>"));
}

TEST(MessageHook, ScopedHooksPutThePreviousOneBack)
{
    QStringList outer, inner;
    ScopedMessageHook a([&](const QString &t) { outer << t; });
    {
        ScopedMessageHook b([&](const QString &t) { inner << t; });
        showMessage(QStringLiteral("1"));
    }
    showMessage(QStringLiteral("2"));
    EXPECT_EQ(inner, QStringList{QStringLiteral("1")});
    EXPECT_EQ(outer, QStringList{QStringLiteral("2")});
}

TEST(MessageBox, RealBoxIsRightToLeftPlainText)
{
    ScopedMessageHook none(nullptr);
    const QString text = QStringLiteral("<i>  مسير معتبر نيست</i>");
    bool checked = false;
    int tries = 0;
    std::function<void()> inspect = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            checked = true;
            box->accept();
            return;
        }
        // Not up yet: look again, and never leave the box hanging.
        if (++tries < 200)
            QTimer::singleShot(5, inspect);
        else if (QWidget *m = QApplication::activeModalWidget())
            m->close();
    };
    QTimer::singleShot(0, inspect);
    showMessage(text);
    EXPECT_TRUE(checked);
}

TEST(ModalForms, HookSeesTheFormAndAnswers)
{
    QWidget form;
    QWidget *seen = nullptr;
    ScopedModalHook hook([&](QWidget *f) {
        seen = f;
        return 6;
    });
    EXPECT_EQ(showModal(&form), 6);
    EXPECT_EQ(seen, &form);
}

TEST(ModalForms, PlainFormRunsUntilHidden)
{
    ScopedModalHook none(nullptr);
    QWidget form;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
        endModal(&form, 2);
    });
    EXPECT_EQ(showModal(&form), 2);
    EXPECT_FALSE(form.isVisible());

    // Closing without a result gives 0, also after an earlier result.
    QTimer::singleShot(0, [&] { form.close(); });
    EXPECT_EQ(showModal(&form), 0);
}

TEST(ModalForms, DialogReturnsItsResult)
{
    ScopedModalHook none(nullptr);
    QDialog dlg;
    QTimer::singleShot(0, [&] { endModal(&dlg, 3); });
    EXPECT_EQ(showModal(&dlg), 3);
    QTimer::singleShot(0, [&] { dlg.accept(); });
    EXPECT_EQ(showModal(&dlg), int(QDialog::Accepted));
}
