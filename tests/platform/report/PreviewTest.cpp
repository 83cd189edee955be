// The standard preview: modal through the platform hook, page navigation,
// zoom, save and load of report files, print.
#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/Dialogs.h"

#include "ReportTestUtil.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QApplication>
#include <QTimer>
#include <QAction>
#include <QToolBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pf::report;
using namespace reporttest;

namespace {

Document pages(int n, const QString &prefix = QStringLiteral("page "))
{
    Document doc;
    for (int i = 0; i < n; ++i) {
        Page p;
        p.items.push_back(TextRun{prefix + QString::number(i + 1), ReportFont{}, Qt::RightToLeft, Qt::AlignLeft,
                                  QRectF(100, 100, 200, 20)});
        doc.pages.push_back(p);
    }
    return doc;
}

} // namespace

TEST(ReportPreview, NavigatesAndZoomsWithinBounds)
{
    ReportPreview pv;
    EXPECT_EQ(pv.currentPage(), 0);
    pv.nextPage();
    EXPECT_EQ(pv.currentPage(), 0);
    pv.setDocument(pages(4));
    EXPECT_EQ(pv.currentPage(), 1);
    pv.previousPage();
    EXPECT_EQ(pv.currentPage(), 1);
    pv.nextPage();
    pv.nextPage();
    EXPECT_EQ(pv.currentPage(), 3);
    EXPECT_EQ(pv.pageLabel()->text(), QStringLiteral("صفحه 3 از 4"));
    pv.lastPage();
    pv.nextPage();
    EXPECT_EQ(pv.currentPage(), 4);
    pv.firstPage();
    EXPECT_EQ(pv.currentPage(), 1);
    pv.setCurrentPage(99);
    EXPECT_EQ(pv.currentPage(), 4);

    pv.setZoom(1.0);
    pv.zoomIn();
    EXPECT_DOUBLE_EQ(pv.zoom(), 1.25);
    pv.setZoom(100);
    EXPECT_DOUBLE_EQ(pv.zoom(), 5.0);
    pv.setZoom(0);
    EXPECT_DOUBLE_EQ(pv.zoom(), 0.1);
    EXPECT_EQ(pv.layoutDirection(), Qt::RightToLeft);
}

// The tool bar's buttons stand where they stood whatever page the counter
// names.
TEST(ReportPreview, ToolBarButtonsKeepTheirPlacesFromPageToPage)
{
    ReportPreview pv;
    pv.setDocument(pages(12));
    pv.show();
    auto *zoomOutAction = pv.findChild<QAction *>(QStringLiteral("actZoomOut"));
    QWidget *zoomOut = pv.findChild<QToolBar *>()->widgetForAction(zoomOutAction);
    const QRect first = zoomOut->geometry();
    for (int page : {11, 12}) {
        pv.setCurrentPage(page);
        QApplication::processEvents();
        EXPECT_EQ(zoomOut->geometry(), first) << page;
    }
}

TEST(ReportPreview, SavesLoadsAndKeepsItsPagesWhenALoadFails)
{
    QTemporaryDir tmp;
    ReportPreview pv;
    pv.setDocument(pages(3, QStringLiteral("first ")));
    const QString file = tmp.filePath(QStringLiteral("x.QRP"));
    pv.save(file);

    pv.setDocument(pages(1));
    pv.load(file);
    EXPECT_EQ(pv.pageCount(), 3);
    EXPECT_EQ(pv.currentPage(), 1);
    EXPECT_EQ(texts(pv.document().pages[2]), QStringList{"first 3"});

    QFile bad(tmp.filePath(QStringLiteral("bad.QRP")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BRVQRPZ1\x00\x00\x10\x00garbage", 19);
    bad.close();
    pv.setCurrentPage(2);
    EXPECT_THROW(pv.load(bad.fileName()), ReportFileError);
    EXPECT_EQ(pv.pageCount(), 3);
    EXPECT_EQ(pv.currentPage(), 2);

    // Through the tool bar: the file dialog answers with the damaged file and
    // the refusal is shown as a message.
    QStringList shown;
    pf::ui::ScopedMessageHook messages([&](const QString &t) { shown << t; });
    pf::ui::ScopedModalHook modal([&](QWidget *w) {
        if (auto *fd = qobject_cast<QFileDialog *>(w)) {
            fd->selectFile(bad.fileName());
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(pv.loadWithDialog());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("فايل گزارش خراب يا ناقص است"))) << shown[0].toStdString();
    EXPECT_EQ(pv.pageCount(), 3);
}

TEST(ReportPreview, PrintGoesThroughThePrintDialog)
{
    QTemporaryDir tmp;
    ReportPreview pv;
    pv.setDocument(pages(2));
    const QString pdf = tmp.filePath(QStringLiteral("out.pdf"));
    int dialogs = 0;
    pf::ui::ScopedModalHook modal([&](QWidget *w) {
        auto *pd = qobject_cast<QPrintDialog *>(w);
        if (!pd)
            return int(QDialog::Rejected);
        ++dialogs;
        pd->printer()->setOutputFormat(QPrinter::PdfFormat);
        pd->printer()->setOutputFileName(pdf);
        return dialogs == 1 ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    EXPECT_TRUE(pv.printWithDialog());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(pv.printWithDialog()); // cancelled
    EXPECT_EQ(dialogs, 2);

    // print(QPrinter*) prints without asking.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(tmp.filePath(QStringLiteral("direct.pdf")));
    EXPECT_TRUE(pv.print(&printer));
    EXPECT_EQ(dialogs, 2);
}

TEST(ReportPreview, PrintToAFileIsOfferedUnderTheDocumentsName)
{
    QTemporaryDir tmp;
    ReportPreview pv;
    pv.setDocument(pages(1));
    QString offered;
    pf::ui::ScopedModalHook modal([&](QWidget *w) {
        if (auto *pd = qobject_cast<QPrintDialog *>(w))
            offered = pd->printer()->docName();
        return int(QDialog::Rejected);
    });
    const struct {
        QString name, offered;
    } cases[] = {
        {QStringLiteral("دفترچه محاسبات - ساختمان مسكوني"), QStringLiteral("دفترچه محاسبات - ساختمان مسكوني")},
        // No character that would make it a path.
        {QStringLiteral("دفترچه تجهيزات - بلوك 2/3"), QStringLiteral("دفترچه تجهيزات - بلوك 2-3")},
    };
    for (const auto &c : cases) {
        pv.setDocumentName(c.name);
        pv.printWithDialog();
        EXPECT_EQ(offered, c.offered);
        EXPECT_TRUE(pv.windowTitle().endsWith(c.name));
    }
    // A loaded file goes by its own name.
    const QString path = tmp.filePath(QStringLiteral("ويلا.QRP"));
    pv.save(path);
    pv.load(path);
    pv.printWithDialog();
    EXPECT_EQ(offered, QStringLiteral("ويلا"));
}

TEST(ReportPreview, PreviewIsModalAndRunsAfterPreview)
{
    Report rep;
    rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 40)
        ->addLabel(QStringLiteral("QRLabel1"), 10, 10, QStringLiteral("رادياتور"));
    int afterPreview = 0;
    rep.afterPreview = [&](Report &) { ++afterPreview; };
    int shownPages = -1;
    int expectedAfterPreview = 0;
    QStringList shownTexts;
    pf::ui::ScopedModalHook modal([&](QWidget *w) {
        auto *pv = qobject_cast<ReportPreview *>(w);
        EXPECT_TRUE(pv);
        if (pv) {
            shownPages = pv->pageCount();
            shownTexts = allTexts(pv->document());
        }
        EXPECT_EQ(afterPreview, expectedAfterPreview); // not before it closes
        return int(QDialog::Rejected);
    });
    preview(rep);
    EXPECT_EQ(shownPages, 1);
    EXPECT_EQ(shownTexts, QStringList{"رادياتور"});
    EXPECT_EQ(afterPreview, 1);

    // A composite preview runs the event of every report it joined.
    Report other;
    other.addBand(BandType::Title, QStringLiteral("T"), 40)->addLabel(QStringLiteral("L"), 0, 0, QStringLiteral("b"));
    CompositeReport comp;
    comp.onAddReports = [&](CompositeReport &c) {
        c.add(&rep);
        c.add(&other);
    };
    expectedAfterPreview = 1;
    preview(comp);
    EXPECT_EQ(shownPages, 2);
    EXPECT_EQ(afterPreview, 2);
}

TEST(ReportPreview, RealDialogClosesWithEscape)
{
    // Without a hook the preview runs its own modal loop until closed.
    Report rep;
    rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 40)
        ->addLabel(QStringLiteral("QRLabel1"), 10, 10, QStringLiteral("x"));
    bool sawPreview = false;
    QTimer::singleShot(0, [&] {
        auto *pv = qobject_cast<ReportPreview *>(QApplication::activeModalWidget());
        sawPreview = pv != nullptr;
        if (pv) {
            pv->zoomToWidth();
            pv->grab(); // paints the page
            pv->reject();
        }
    });
    preview(rep);
    EXPECT_TRUE(sawPreview);
}
