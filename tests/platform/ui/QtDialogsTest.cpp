// Qt's own dialogs as the programs open them, in Persian: every word whole
// (no shortcut underline splits one) and no English left.
#include "platform/ui/Dialogs.h"
#include "platform/ui/ShortcutUnderline.h"
#include "platform/ui/Startup.h"
#include "platform/ui/TextDirection.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QVector<quint32> glyphsOf(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QVector<quint32> out;
    for (const QGlyphRun &run : layout.glyphRuns())
        out += run.glyphIndexes();
    return out;
}

void pressAlt(bool down)
{
    QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Alt, down ? Qt::AltModifier : Qt::NoModifier);
    QApplication::sendEvent(qApp, &e);
}

class PersianDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        translator = pf::ui::startInPersian();
        ASSERT_NE(translator, nullptr) << "Qt's Persian translation (qt6-translations-l10n) is missing";
        ASSERT_TRUE(QFile::exists(pf::ui::programTranslationFile()));
    }
    void TearDown() override
    {
        pressAlt(false);
        QCoreApplication::removeTranslator(translator);
        delete translator;
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }
    QTranslator *translator = nullptr;
};

// The words of a text that are English: Latin words that are not a unit
// symbol, a designation (capitals and digits: "A4", "PDF", "JIS B5"), a
// colour code, a path or one of the given names (file names, faces).
QStringList englishWords(QString text, const QStringList &names)
{
    text.remove(QLatin1Char('&'));
    if (text.startsWith(QLatin1Char('/')))
        return {};
    for (const QString &n : names)
        if (!n.isEmpty() && text.startsWith(n))
            return {};
    static const QStringList units = {"in", "mm", "pt", "cm"};
    QStringList out;
    for (const QString &w : text.split(QRegularExpression(QStringLiteral("[\\s()\\[\\]/,:;*.%\\-+=<>]+")))) {
        const bool latin = std::any_of(w.begin(), w.end(), [](QChar c) { return c.isLetter() && c.script() == QChar::Script_Latin; });
        static const QRegularExpression inches(QStringLiteral("^\\d+x\\d+$")); // paper sizes: "11x17"
        if (!latin || w.startsWith(QLatin1Char('#')) || units.contains(w) || names.contains(w) || w == w.toUpper() ||
            inches.match(w).hasMatch())
            continue;
        out << w;
    }
    return out;
}

// Every text the dialog and its parts show.
QStringList textsOf(QWidget *dialog)
{
    QStringList t = {dialog->windowTitle()};
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (auto *l = qobject_cast<QLabel *>(w))
            t << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            t << b->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            t << g->title();
        if (auto *e = qobject_cast<QLineEdit *>(w))
            t << e->text() << e->placeholderText();
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                t << c->itemText(i);
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                t << tabs->tabText(i);
        if (auto *v = qobject_cast<QAbstractItemView *>(w); v && v->model() && v->isVisible() && !qobject_cast<QHeaderView *>(v)) {
            const auto *shown = dynamic_cast<pf::ui::PersianItemDelegate *>(v->itemDelegate());
            QAbstractItemModel *m = v->model();
            for (int r = 0; r < std::min(m->rowCount(v->rootIndex()), 60); ++r)
                for (int c = 0; c < m->columnCount(v->rootIndex()); ++c) {
                    const QModelIndex i = m->index(r, c, v->rootIndex());
                    t << (shown ? shown->shownText(i) : i.data().toString());
                }
            for (int c = 0; c < m->columnCount(v->rootIndex()); ++c)
                t << m->headerData(c, Qt::Horizontal).toString();
        }
        for (QAction *a : w->actions())
            t << a->text() << a->toolTip();
    }
    return t;
}

QImage shown(QWidget *w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    w->render(&image);
    return image;
}

// The left and right edges of the ink of text[at] laid out alone, from the
// left edge of the text.
std::pair<qreal, qreal> inkOf(const QString &text, int at, const QFont &font)
{
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    qreal left = 1e9, right = -1e9;
    for (const QGlyphRun &run : layout.glyphRuns(at, 1))
        for (int g = 0; g < run.glyphIndexes().size(); ++g) {
            const QRectF ink = run.rawFont().boundingRect(run.glyphIndexes()[g]).translated(run.positions()[g]);
            left = std::min(left, ink.left());
            right = std::max(right, ink.right());
        }
    return {left, right};
}

} // namespace

TEST_F(PersianDialogs, ShortcutWordsStayWholeAndAltUnderlinesTheLetter)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("پرسش"), QStringLiteral("ادامه مي دهيد؟"),
                    QMessageBox::Yes | QMessageBox::No);
    QColorDialog colours;
    colours.ensurePolished();
    QLabel *label = nullptr; // a word with its shortcut inside it ("مق&دار")
    for (QLabel *l : colours.findChildren<QLabel *>())
        if (l->buddy() && pf::ui::shortcutPositions(l->text()).value(0) > 0)
            label = l;
    ASSERT_NE(label, nullptr);
    QMenu menu; // a menu paints its items itself
    menu.addAction(QStringLiteral("&واگرد"));
    QWidget *const parts[] = {box.button(QMessageBox::Yes), box.button(QMessageBox::No), label, &menu};
    for (QWidget *w : parts) {
        w->setLayoutDirection(Qt::RightToLeft);
        w->resize(w->sizeHint() + QSize(20, 4));
        const QString text = w == &menu           ? menu.actions().constFirst()->text()
                             : w == label         ? label->text()
                                                  : static_cast<QAbstractButton *>(w)->text();
        const QList<int> marked = pf::ui::shortcutPositions(text);
        ASSERT_EQ(marked.size(), 1) << text.toStdString();
        const QString word = pf::ui::withoutMnemonic(text);
        SCOPED_TRACE(word.toStdString());
        shown(w); // polished as it is first painted
        const QImage plain = shown(w);
        // Painted whole, one run of the word's own glyphs, with Alt held or not.
        for (bool alt : {false, true}) {
            pressAlt(alt);
            EXPECT_EQ(pf::ui::shortcutUnderlinesShown(), alt);
            const auto painted = pf::ui::paintedTexts(w);
            ASSERT_EQ(painted.size(), 1);
            EXPECT_EQ(painted[0].text, word);
            EXPECT_EQ(glyphsOf(painted[0].text, painted[0].font), glyphsOf(word, w->font()));
        }
        // Alt held adds only a thin line below the baseline, under the
        // marked letter's ink.
        const QImage underlined = shown(w);
        const pf::ui::PaintedText run = pf::ui::paintedTexts(w).value(0);
        pressAlt(false);
        QRect added;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixel(x, y) != underlined.pixel(x, y))
                    added |= QRect(x, y, 1, 1);
        ASSERT_FALSE(added.isEmpty());
        const QPointF origin = run.transform.map(run.origin);
        EXPECT_GE(added.top(), std::floor(origin.y()));
        EXPECT_LE(added.height(), 3);
        const auto [left, right] = inkOf(word, marked[0], run.font);
        const qreal overlap = std::min<qreal>(added.right() + 1, origin.x() + right) - std::max<qreal>(added.left(), origin.x() + left);
        EXPECT_GE(overlap, 0.6 * (right - left));
        EXPECT_LE(added.width(), right - left + 3);
    }
}

TEST_F(PersianDialogs, QtDialogsShowNoEnglish)
{
    QTemporaryDir dir;
    for (const char *f : {"a.png", "b.QRP", "c"}) {
        QFile file(dir.filePath(QString::fromLatin1(f)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    QStringList names = QFontDatabase::families();
    names << QDir::home().dirName() << QStringLiteral("a.png") << QStringLiteral("b.QRP") << QStringLiteral("c")
          << QStringLiteral("folder") << QStringLiteral("png");
    for (const QByteArray &f : QImageReader::supportedImageFormats())
        names << QString::fromLatin1(f);
    for (const QPrinterInfo &p : QPrinterInfo::availablePrinters()) // a real queue's name and model
        names << p.printerName() << p.makeAndModel();

    QPrinter printer;
    printer.setOutputFileName(dir.filePath(QStringLiteral("booklet.pdf")));
    QPrintDialog print(&printer);
    QPrinter pagePrinter;
    QPageSetupDialog page(&pagePrinter);
    QPrintPreviewDialog preview(&printer);
    QFileDialog files(nullptr, QStringLiteral("انتخاب آرم"), dir.path());
    files.setNameFilters(pf::ui::pictureFileFilters());
    files.setViewMode(QFileDialog::Detail);
    QFontDialog font;
    QColorDialog colour;
    QMessageBox question(QMessageBox::Question, QStringLiteral("پرسش"), QStringLiteral("ادامه مي دهيد؟"),
                         QMessageBox::Yes | QMessageBox::No);
    const struct {
        QDialog *dialog;
        const char *name;
    } dialogs[] = {{&print, "print"}, {&page, "page set-up"}, {&preview, "preview"}, {&files, "file"},
                   {&font, "font"},   {&colour, "colour"},    {&question, "message"}};
    for (const auto &d : dialogs) {
        d.dialog->show();
        QApplication::processEvents();
        if (d.dialog == &files) { // the folder is read in the background
            auto *view = files.findChild<QAbstractItemView *>(QStringLiteral("treeView"));
            ASSERT_NE(view, nullptr);
            EXPECT_TRUE(QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) == 2; }));
        }
        QStringList texts = textsOf(d.dialog);
        // The print dialog's options and its printer's properties.
        if (d.dialog == &print) {
            for (QPushButton *b : print.findChildren<QPushButton *>())
                if (b->objectName() == QLatin1String("properties")) {
                    QTimer::singleShot(0, [&texts] {
                        if (QWidget *modal = QApplication::activeModalWidget()) {
                            texts << textsOf(modal);
                            modal->close();
                        }
                    });
                    b->click();
                }
            auto *path = print.findChild<QLineEdit *>(QStringLiteral("filename"));
            ASSERT_NE(path, nullptr);
            // The output file reads as a path: its first character at the left.
            path->setText(QStringLiteral("/گزارش/دفترچه.pdf"));
            path->setCursorPosition(0);
            EXPECT_LT(path->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(), path->width() / 2);
        }
        for (const QString &t : texts)
            EXPECT_EQ(englishWords(t, names), QStringList{}) << d.name << ": " << t.toStdString();
        d.dialog->hide();
    }
    EXPECT_TRUE(textsOf(&font).contains(pf::ui::persianFontSample()));
}

// With a real print queue: the names its printer gives the common options,
// their choices and the paper sizes show in Persian.
TEST_F(PersianDialogs, PrinterPropertiesNameTheCommonOptionsInPersian)
{
    const QStringList queues = QPrinterInfo::availablePrinterNames();
    if (queues.isEmpty())
        GTEST_SKIP() << "no print queue (a running CUPS scheduler with a printer)";
    const QStringList english = {"General",  "Resolution", "Output Resolution", "Color Model", "Media Source",
                                 "Media Type", "Grayscale",  "US Letter",         "US Legal",    "Envelope DL"};
    for (const QString &queue : queues) {
        QPrinter printer;
        printer.setPrinterName(queue);
        QPrintDialog print(&printer);
        print.show();
        QStringList texts;
        for (QPushButton *b : print.findChildren<QPushButton *>(QStringLiteral("properties"))) {
            QTimer::singleShot(0, [&texts] {
                if (QWidget *modal = QApplication::activeModalWidget()) {
                    texts << textsOf(modal);
                    modal->close();
                }
            });
            b->click();
        }
        ASSERT_FALSE(texts.isEmpty()) << queue.toStdString();
        for (const QString &t : texts)
            EXPECT_FALSE(english.contains(t)) << queue.toStdString() << ": " << t.toStdString();
    }
}
