// The user guide against the program it describes, with every form made as
// at start: each caption a page quotes («...») is a caption of the forms the
// page is about, each message it quotes (‹...›) is one the program shows,
// the pages that have pictures show their forms taken from the forms
// themselves, nothing on a page is cut off, and the pages write the
// program's Persian letters and describe only this program.
#include "../app/MainWindowFixture.h"
#include "boravest/help/UFHelp.h"
#include "boravest/help/UHelp.h"
#include "boravest/help/UPicture.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/TextDirection.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

// A caption as the guide quotes it: without the stretching strokes of the
// menu captions and a unit in Latin brackets, blanks closed up, no colon at
// either end.
QString plain(QString s)
{
    s.remove(QChar(0x0640));
    static const QRegularExpression unit(QStringLiteral("\\([^()\\x{0600}-\\x{06FF}]*\\)"));
    s.remove(unit);
    s = s.simplified();
    while (s.startsWith(QLatin1Char(':')) || s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char(':')) || s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

// The texts between each opening and closing mark.
QStringList quoted(const QString &text, QChar open, QChar close)
{
    QStringList out;
    for (qsizetype at = text.indexOf(open); at >= 0; at = text.indexOf(open, at + 1)) {
        const qsizetype end = text.indexOf(close, at + 1);
        if (end < 0)
            break;
        out << text.mid(at + 1, end - at - 1);
    }
    return out;
}

// Every caption a form shows: its title, labels, buttons, group titles,
// list and combo items, grid column titles and menu items.
QSet<QString> captionsOf(const QWidget *form)
{
    QStringList texts{form->windowTitle()};
    for (const QWidget *w : form->findChildren<QWidget *>()) {
        if (auto *l = qobject_cast<const QLabel *>(w))
            texts << l->text();
        if (auto *b = qobject_cast<const QAbstractButton *>(w))
            texts << b->text();
        if (auto *g = qobject_cast<const QGroupBox *>(w))
            texts << g->title();
        if (auto *c = qobject_cast<const QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto *list = qobject_cast<const QListWidget *>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        if (auto *grid = qobject_cast<const pf::ui::DBGrid *>(w))
            for (const pf::ui::DBGridColumn &c : grid->datasetModel()->columns())
                texts << c.title;
        if (auto *table = qobject_cast<const QTableWidget *>(w))
            for (int i = 0; i < table->columnCount(); ++i)
                if (table->horizontalHeaderItem(i))
                    texts << table->horizontalHeaderItem(i)->text();
    }
    for (const QAction *a : form->findChildren<QAction *>())
        texts << a->text();
    QSet<QString> out;
    for (const QString &t : texts)
        out.insert(plain(t));
    return out;
}

// Every text of the program's sources, where the messages it shows stand.
QString programSources();

// The program's texts as a right-to-left paragraph reads them (a message
// stored for a left-to-right one in its reading order).
QStringList textsAsTheyRead(const QString &sources)
{
    QStringList out;
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\n]|\\\\.)*)\""));
    for (auto it = literal.globalMatch(sources); it.hasNext();) {
        QString text = it.next().captured(1);
        text.replace(QStringLiteral("\\u200E"), QString(QChar(0x200E)));
        if (pf::ui::textDirection(text) == Qt::LeftToRight)
            out << pf::ui::inReadingOrder(text);
    }
    return out;
}

QString programSources()
{
    QString all;
    QDirIterator it(QStringLiteral(SOURCE_ROOT "/boravest"), {QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            all += QString::fromUtf8(f.readAll());
    }
    return all;
}

class GuideTest : public testsupport::MainWindowFixture {
protected:
    QTabWidget *pages() const { return FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")); }
    QWidget *sheet(int page) const { return pages()->widget(page); }

    // What the page says, every label of it.
    QString pageText(int page) const
    {
        QString text;
        for (const QLabel *l : sheet(page)->findChildren<QLabel *>())
            text += l->text() + QLatin1Char('\n');
        return text;
    }
};

TEST_F(GuideTest, EveryQuotedCaptionIsOnTheFormsThePageDescribesAndEveryMessageIsTheProgramsOwn)
{
    const QString sources = programSources();
    ASSERT_GT(sources.size(), 100000);
    const QStringList readings = textsAsTheyRead(sources);
    int captions = 0;
    for (int page = 0; page < TFormHelp::PageCount; ++page) {
        SCOPED_TRACE(page);
        QSet<QString> known;
        for (const QString &name : sheet(page)->property("forms").toStringList()) {
            QWidget *form = guidePictureSource(name);
            ASSERT_NE(form, nullptr) << name.toStdString();
            known.unite(captionsOf(form));
        }
        const QString text = pageText(page);
        for (const QString &caption : quoted(text, QChar(0x00AB), QChar(0x00BB))) {
            ++captions;
            EXPECT_TRUE(known.contains(plain(caption))) << "no such caption: " << caption.toStdString();
        }
        for (const QString &message : quoted(text, QChar(0x2039), QChar(0x203A))) {
            // Quoted as it reads in the page's right-to-left prose.
            EXPECT_EQ(pf::ui::textDirection(message), Qt::RightToLeft) << message.toStdString();
            EXPECT_TRUE(sources.contains(message) || readings.filter(message).size() > 0)
                << "no such message: " << message.toStdString();
        }
    }
    // The pages name what the engineer sees, not only describe it.
    EXPECT_GT(captions, 250);
}

TEST_F(GuideTest, PagesShowPicturesTakenFromTheirFormsAsTheyAreNow)
{
    // Every page but the keys and the rebuild shows at least one form.
    for (int page = 0; page < TFormHelp::PageCount; ++page) {
        SCOPED_TRACE(page);
        const QList<QLabel *> pictures = FormHelp->pagePictures(page);
        EXPECT_EQ(pictures.isEmpty(), page == 13 || page == 15);
        FormHelp->takePictures(page);
        for (const QLabel *picture : pictures) {
            const QString form = picture->property("form").toString();
            ASSERT_NE(guidePictureSource(form), nullptr) << form.toStdString();
            const QImage shot = picture->pixmap().toImage();
            ASSERT_FALSE(shot.isNull()) << form.toStdString();
            EXPECT_LE(shot.width(), picture->minimumWidth());
            EXPECT_LE(shot.height(), picture->minimumHeight());
            QSet<QRgb> colours;
            for (int y = 0; y < shot.height(); y += 4)
                for (int x = 0; x < shot.width(); x += 4)
                    colours.insert(shot.pixel(x, y));
            EXPECT_GT(colours.size(), 3) << form.toStdString() << " pictured blank";
        }
    }

    // A form that changes is pictured as it is when its page opens again.
    auto *title = guidePictureSource(QStringLiteral("Form13"))->findChild<QLabel *>(QStringLiteral("Label3"));
    const QImage before = FormHelp->pagePictures(2).first()->pixmap().toImage();
    title->setText(title->text() + title->text());
    FormHelp->takePictures(2);
    EXPECT_NE(FormHelp->pagePictures(2).first()->pixmap().toImage(), before);
}

TEST_F(GuideTest, EquipmentPicturesShowTheExampleProjectAndFitTheirFormsAsTheyAreNow)
{
    const QList<QLabel *> pictures = FormHelp->pagePictures(3);
    ASSERT_EQ(pictures.size(), 9);
    FormHelp->takePictures(3);
    for (const QLabel *picture : pictures) {
        const QString path = picture->property("form").toString();
        SCOPED_TRACE(path.toStdString());
        const QPixmap example = guideExamplePicture(path);
        ASSERT_FALSE(example.isNull());
        EXPECT_EQ(FormHelp->fullPicture(picture).toImage(), example.toImage());
        // A form changed since its picture was drawn: scripts/make-guide-pictures.
        EXPECT_EQ(example.deviceIndependentSize().toSize(), guidePictureSource(path)->size());
    }
    // The forms of the other pages are pictured as they are.
    EXPECT_TRUE(guideExamplePicture(QStringLiteral("Form13")).isNull());
}

TEST_F(GuideTest, AClickOpensAPictureAtLeastAtTheSizeOfItsForm)
{
    FormHelp->show();
    const struct {
        int page;
        const char *form;
    } cases[] = {{2, "Form13"}, {3, "FormT2"}, {3, "FormT2/PPSiS"}, {12, "Form15"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.form);
        pages()->setCurrentIndex(c.page);
        QLabel *picture = nullptr;
        for (QLabel *l : FormHelp->pagePictures(c.page))
            if (l->property("form").toString() == QLatin1String(c.form))
                picture = l;
        ASSERT_NE(picture, nullptr);
        const QSize form = guidePictureSource(QString::fromLatin1(c.form))->size();
        // The page shows it smaller than the form.
        EXPECT_LT(picture->pixmap().deviceIndependentSize().width(), form.width());

        QSize shown, reachable;
        onModal = [&](QWidget *w) {
            auto *view = qobject_cast<TFormPicture *>(w);
            if (!view)
                return 0;
            view->show();
            QCoreApplication::processEvents();
            const auto *box = testsupport::part<QScrollArea>(view, "ScrollBox1");
            shown = testsupport::part<QLabel>(view, "Picture")->geometry().size();
            // What the window shows and what its scroll bars reach.
            reachable = box->viewport()->size() +
                        QSize(box->horizontalScrollBar()->maximum(), box->verticalScrollBar()->maximum());
            view->hide();
            return 0;
        };
        modalsShown.clear();
        QTest::mouseClick(picture, Qt::LeftButton);
        EXPECT_EQ(modalsShown, QStringList{QStringLiteral("FormPicture")});
        EXPECT_GE(shown.width(), form.width());
        EXPECT_GE(shown.height(), form.height());
        EXPECT_GE(reachable.width(), shown.width());
        EXPECT_GE(reachable.height(), shown.height());
    }
}

TEST_F(GuideTest, NothingOnAPageIsCutOff)
{
    for (int page = 0; page < TFormHelp::PageCount; ++page) {
        SCOPED_TRACE(page);
        pages()->setCurrentIndex(page);
        for (QWidget *w : sheet(page)->findChildren<QWidget *>())
            if (w->layout())
                w->layout()->activate();
        for (const QLabel *l : sheet(page)->findChildren<QLabel *>()) {
            if (l->text().isEmpty())
                continue;
            const QString name = l->objectName();
            const QRect room = l->parentWidget()->rect();
            EXPECT_TRUE(room.contains(l->geometry())) << name.toStdString();
            if (l->wordWrap())
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << name.toStdString();
            else
                EXPECT_LE(l->sizeHint().width(), l->width()) << name.toStdString();
        }
    }
}

TEST_F(GuideTest, PagesWriteTheProgramsLettersAndOnlyOfThisProgram)
{
    FHelp->FormActivate(); // writes the set-up text of the first page
    // Cooling, summer design data, a client, fan coils: another program's.
    const QStringList foreign = {QStringLiteral("برودت"), QStringLiteral("تابستان"), QStringLiteral("كارفرما"),
                                 QStringLiteral("فن كويل")};
    for (int page = 0; page < TFormHelp::PageCount; ++page) {
        const QString text = pageText(page);
        EXPECT_FALSE(text.contains(QChar(0x06CC)) || text.contains(QChar(0x06A9))) << page;
        for (const QString &word : foreign)
            EXPECT_FALSE(text.contains(word)) << page;
    }
}

} // namespace
