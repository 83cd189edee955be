// The standalone report printer: its fixed-size window, the caption that
// acts as a button, the instruction page, loading and printing a saved
// report from the preview, and Esc.
#include "Unit1.h"
#include "Unit2.h"

#include "platform/report/Preview.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pf::report;

namespace {

const QString kLine1 = QStringLiteral(
    "اين برنامه مستقل از نرم افزار بوراوست است و به شما امکان مي دهد  تا گزارشي را که قبلا تهيه و");
const QString kLine2 = QStringLiteral("آن را در مسير مورد نظرتان ذخيره کرده ايد فرا خواني کرده و آن را چاپ کنيد");

class ReportPrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetSharedState();
        Form1 = new TForm1;
        Form2 = new TForm2;
    }
    void TearDown() override
    {
        delete Form2;
        Form2 = nullptr;
        delete Form1;
        Form1 = nullptr;
    }

    static void click(QWidget *w)
    {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }

    static QStringList runTexts(const Document &doc)
    {
        QStringList out;
        for (const auto &page : doc.pages)
            for (const auto &item : page.items)
                if (const auto *t = std::get_if<TextRun>(&item))
                    out << t->text;
        return out;
    }
};

} // namespace

TEST_F(ReportPrinterTest, WindowStaysAt580By450)
{
    // It carries the program's icon.
    EXPECT_FALSE(Form1->windowIcon().pixmap(32).isNull());
    Form1->show();
    QApplication::processEvents();
    EXPECT_EQ(Form1->size(), QSize(580, 450));
    Form1->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(Form1->size(), QSize(580, 450));
    Form1->resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(Form1->size(), QSize(580, 450));

    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("نرم افزار مستقل چاپ گزارش"));
    EXPECT_EQ(Form1->layoutDirection(), Qt::RightToLeft);
    pf::ui::ClickLabel *caption = Form1->Label1();
    EXPECT_EQ(caption->text(), QStringLiteral("چاپ گزارش تهيه شده"));
    EXPECT_EQ(caption->pos(), QPoint(224, 96));
    EXPECT_EQ(caption->font().pixelSize(), 16);
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(caption->font().family(), QStringLiteral("Traffic"));
}

TEST_F(ReportPrinterTest, CaptionTurnsRedAndMovesDownUnderThePointer)
{
    Form1->show();
    pf::ui::ClickLabel *caption = Form1->Label1();
    const QColor rest = pf::ui::textColor(caption);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), caption->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(caption, &move);
    EXPECT_EQ(pf::ui::textColor(caption), QColor(255, 0, 0));
    EXPECT_EQ(caption->y(), 98);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(caption, &leave);
    EXPECT_EQ(pf::ui::textColor(caption), rest);
    EXPECT_EQ(rest, Form1->palette().color(QPalette::WindowText));
    EXPECT_EQ(caption->y(), 96);
}

TEST_F(ReportPrinterTest, InstructionReportIsOneTitlePageInTitr)
{
    const Document doc = Form2->QuickRep1->render();
    ASSERT_EQ(doc.pages.size(), 1);
    EXPECT_EQ(doc.pageSizeMm, QSizeF(210, 297));
    // Word wrap may split a label over lines; together they read the text.
    const QString all = runTexts(doc).join(QString());
    EXPECT_TRUE(all.contains(kLine1));
    EXPECT_TRUE(all.contains(kLine2));
    const double margin = mmToPx(10);
    bool first1 = true, first2 = true;
    for (const auto &item : doc.pages[0].items) {
        const auto *t = std::get_if<TextRun>(&item);
        if (!t)
            continue;
        EXPECT_EQ(t->font.family, QStringLiteral("Titr"));
        EXPECT_EQ(t->font.pointSize, 12.0);
        EXPECT_TRUE(t->font.bold);
        EXPECT_EQ(t->direction, Qt::RightToLeft);
        if (kLine1.startsWith(t->text) && first1) {
            first1 = false;
            EXPECT_NEAR(t->rect.left(), margin + 118, 0.01);
            EXPECT_NEAR(t->rect.top(), margin + 104, 0.01);
        } else if (kLine2.startsWith(t->text) && first2) {
            first2 = false;
            EXPECT_NEAR(t->rect.left(), margin + 146, 0.01);
            EXPECT_NEAR(t->rect.top(), margin + 186, 0.01);
        }
        EXPECT_LE(t->rect.right(), margin + Form2->QuickRep1->contentWidthPx() + 0.01);
    }
    EXPECT_FALSE(first1);
    EXPECT_FALSE(first2);
}

TEST_F(ReportPrinterTest, ClickPreviewsInstructionsThenLoadsAndPrintsASavedReport)
{
    QTemporaryDir tmp;
    // A booklet saved earlier by the design program.
    Document booklet;
    for (int i = 1; i <= 3; ++i) {
        Page p;
        p.items.push_back(TextRun{QStringLiteral("صفحه %1").arg(i), ReportFont{QStringLiteral("Traffic"), 9.75, true},
                                  Qt::RightToLeft, Qt::AlignLeft, QRectF(380, 1080, 60, 18)});
        booklet.pages.push_back(p);
    }
    const QString saved = tmp.filePath(QStringLiteral("booklet.QRP"));
    saveDocument(booklet, saved);
    const QString pdf = tmp.filePath(QStringLiteral("booklet.pdf"));

    Form1->show();
    int previews = 0;
    QStringList messages;
    pf::ui::ScopedMessageHook msg([&](const QString &t) { messages << t; });
    pf::ui::ScopedModalHook modal([&](QWidget *w) {
        auto *pv = qobject_cast<ReportPreview *>(w);
        EXPECT_TRUE(pv);
        if (!pv)
            return 0;
        ++previews;
        // Each click opens a new preview with the instruction page.
        EXPECT_EQ(pv->pageCount(), 1);
        EXPECT_TRUE(runTexts(pv->document()).join(QString()).contains(kLine1));
        if (previews == 1) {
            pv->load(saved);
            EXPECT_EQ(pv->pageCount(), 3);
            EXPECT_EQ(pv->document(), booklet);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            EXPECT_TRUE(pv->print(&printer));
        }
        return int(QDialog::Rejected);
    });
    click(Form1->Label1());
    EXPECT_EQ(previews, 1);
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("%PDF"));

    click(Form1->Label1());
    EXPECT_EQ(previews, 2);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportPrinterTest, EscapeClosesTheWindowAtOnce)
{
    QStringList messages;
    pf::ui::ScopedMessageHook msg([&](const QString &t) { messages << t; });
    int modals = 0;
    pf::ui::ScopedModalHook modal([&](QWidget *) { return ++modals, 0; });
    Form1->show();
    ASSERT_TRUE(Form1->isVisible());
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(Form1, &other);
    EXPECT_TRUE(Form1->isVisible());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Form1, &esc);
    EXPECT_FALSE(Form1->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(modals, 0);
}
