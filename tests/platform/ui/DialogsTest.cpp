#include "platform/ui/Dialogs.h"
#include "platform/ui/ShortcutUnderline.h"
#include "platform/ui/TextDirection.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QGlyphRun>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include <limits>

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

namespace {

// Runs `inspect` on the real message box of `text` while it is up, then
// closes it.
void whileShown(const QString &text, const std::function<void(QMessageBox *)> &inspect)
{
    ScopedMessageHook none(nullptr);
    bool checked = false;
    int tries = 0;
    std::function<void()> look = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            inspect(box);
            checked = true;
            box->accept();
            return;
        }
        // Not up yet: look again, and never leave the box hanging.
        if (++tries < 200)
            QTimer::singleShot(5, look);
        else if (QWidget *m = QApplication::activeModalWidget())
            m->close();
    };
    QTimer::singleShot(0, look);
    showMessage(text);
    EXPECT_TRUE(checked);
}

// Where a part of a laid-out text shows: its line (counted over the
// document's blocks) and the left edge of its glyphs.
struct Place {
    int line = -1;
    double left = std::numeric_limits<double>::max();
};

Place placeOf(const QTextDocument *doc, qsizetype at, qsizetype length)
{
    Place p;
    int linesBefore = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout *layout = b.layout();
        const qsizetype from = at - b.position();
        if (from >= 0 && from < b.length()) {
            p.line = linesBefore + layout->lineForTextPosition(int(from)).lineNumber();
            for (const QGlyphRun &run : layout->glyphRuns(int(from), int(length)))
                for (const QPointF &g : run.positions())
                    p.left = std::min(p.left, g.x());
            return p;
        }
        linesBefore += layout->lineCount();
    }
    return p;
}

// Checks that the parts, in the order a Persian reader reads them, show in
// that order: each further left on the same line, or on a later line.
void expectReadsInOrder(const QTextDocument *doc, const QStringList &parts)
{
    const QString shown = doc->toPlainText();
    qsizetype from = 0;
    Place before;
    for (const QString &part : parts) {
        const qsizetype at = shown.indexOf(part, from);
        ASSERT_GE(at, 0) << part.toStdString();
        const Place p = placeOf(doc, at, part.size());
        ASSERT_GE(p.line, 0) << part.toStdString();
        if (before.line >= 0) {
            EXPECT_GE(p.line, before.line) << part.toStdString();
            if (p.line == before.line) {
                EXPECT_LT(p.left, before.left) << part.toStdString() << " stands right of what it follows";
            }
        }
        before = p;
        from = at + part.size();
    }
}

// The text without the isolates that keep its Latin runs whole.
QString withoutIsolates(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[\\x{2066}-\\x{2069}]")));
    return text;
}

} // namespace

TEST(MessageBox, WrappedTextsReadInTheirReadingOrder)
{
    // Stored with its full stop first, long enough to wrap on any screen.
    QString longText = QStringLiteral(".");
    QStringList longReading;
    for (int i = 0; i < 8; ++i) {
        longText += QStringLiteral("فشار مخزن %1 بايد كمتر از فشار مجاز باشد و ").arg(i + 1);
        longReading << QStringLiteral("فشار") << QStringLiteral("مخزن") << QString::number(i + 1) << QStringLiteral("كمتر")
                    << QStringLiteral("مجاز");
    }
    longText += QStringLiteral("رعايت كنيد ");
    longReading << QStringLiteral("رعايت") << QStringLiteral("كنيد") << QStringLiteral(".");
    const struct {
        QString text;
        QStringList reading; // words and marks as a Persian reader meets them
        bool wraps;
    } cases[] = {
        // Stored with its full stop first: one sentence, the stop last.
        {QStringLiteral(".با كم كردن فشار اوليه و مقدار ذخيره محدوده مجاز فشار استاتيكي را رعايت كنيد "),
         {"با", "كم", "كردن", "فشار", "اوليه", "محدوده", "استاتيكي", "را", "رعايت", "كنيد", "."},
         false},
        {QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد"),
         {"ايجاد", "پشتيبان", "با", "موفقيت", "انجام", "شد", "."},
         false},
        {longText, longReading, true},
        // Stored for a left-to-right paragraph, though its first character
        // is a letter: "to move between fields use the Tab key".
        {QStringLiteral("\u200Eاستفاده كنيد Tab  براي پيمايش فيلدها از كليد"),
         {"براي", "پيمايش", "فيلدها", "از", "كليد", "Tab", "استفاده", "كنيد"},
         false},
    };
    for (const auto &c : cases) {
        const QString &text = c.text;
        SCOPED_TRACE(text.toStdString());
        whileShown(text, [&](QMessageBox *box) {
            QLabel *label = nullptr;
            for (QLabel *l : box->findChildren<QLabel *>())
                if (withoutIsolates(l->text()) == inReadingOrder(text))
                    label = l;
            ASSERT_NE(label, nullptr);
            const QTextDocument *doc = label->findChild<QTextDocument *>();
            ASSERT_NE(doc, nullptr) << "the box lays its text out as a document";
            doc->documentLayout()->documentSize();
            int lines = 0;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
                lines += b.layout()->lineCount();
            if (c.wraps) {
                EXPECT_GT(lines, 1);
            }
            expectReadsInOrder(doc, c.reading);
        });
    }
}

// A message of several lines, the first stored with its full stop first,
// one of them a path: each line shows its own words, standing at the right
// edge of the text as a Persian page sets it, the path reading as written.
TEST(MessageBox, EveryLineStandsAtTheRightAPathsToo)
{
    const QStringList given{QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد"),
                            QStringLiteral("پوشه پشتيبان پيشين (/tmp/x) پاك نشد؛ آن را پاك كنيد"),
                            QStringLiteral("/tmp/reports/a.QRP")};
    const auto letters = [](QString t) {
        t.remove(QRegularExpression(QStringLiteral("[\\s\\x{200E}\\x{200F}\\x{2066}-\\x{2069}]")));
        std::sort(t.begin(), t.end());
        return t;
    };
    whileShown(given.join(QLatin1Char('\n')), [&](QMessageBox *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        QMap<int, qreal> rightEdges;                   // by the line's baseline
        QMap<int, QString> shown;                      // by baseline
        QMap<int, QMap<qreal, QString>> latinFromLeft; // by baseline, then x
        for (const pf::ui::PaintedText &run : pf::ui::paintedTexts(label)) {
            const QPointF at = run.transform.map(run.origin);
            qreal &edge = rightEdges[qRound(at.y())];
            edge = std::max(edge, at.x() + run.width);
            shown[qRound(at.y())] += run.text;
            if (!run.rightToLeft)
                latinFromLeft[qRound(at.y())][at.x()] += run.text;
        }
        ASSERT_EQ(rightEdges.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(letters(shown.values().at(i)), letters(given[i])) << "line " << i + 1 << " holds its own words";
        for (qreal edge : rightEdges)
            EXPECT_NEAR(edge, rightEdges.first(), 1.5);
        QString path;
        for (const QString &part : latinFromLeft.value(rightEdges.keys().at(2)))
            path += part;
        path.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{2066}-\\x{2069}]")));
        EXPECT_EQ(path, given[2]) << "the path reads as written";
    });
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
            // Its first letter Latin: the box begins it with a
            // right-to-left mark, as the rule lays it out.
            EXPECT_EQ(withoutIsolates(box->text()), QChar(0x200F) + text);
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

TEST(OnScreen, AWindowLargerThanTheScreenIsMadeToFitIt)
{
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize given : {room.size() + QSize(300, 200), QSize(300, 200)}) {
        QDialog window;
        window.resize(given);
        window.move(room.topLeft() + QPoint(50, 50));
        keepOnScreen(&window);
        window.show();
        EXPECT_TRUE(room.contains(window.frameGeometry())) << given.width();
        if (given.width() < room.width()) {
            EXPECT_EQ(window.size(), given) << "one that fits keeps its size";
        }
        window.hide();
    }
}
