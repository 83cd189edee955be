#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace pf::ui;

namespace {

const QString kWhole = QStringLiteral(" عدد صحيح معتبر است");
const QString kDecimal = QStringLiteral(" عدد و مميز معتبر است");
const QString kNumber = QStringLiteral(" عدد معتبر است");

struct Form {
    Form()
    {
        auto *lay = new QVBoxLayout(&w);
        for (int i = 0; i < 3; ++i) {
            edits[i] = new QLineEdit(&w);
            lay->addWidget(edits[i]);
        }
    }
    QWidget w;
    QLineEdit *edits[3];
};

} // namespace

TEST(KeyPreview, FormSeesKeysFirstAndOnce)
{
    Form f;
    QList<int> seen;
    installKeyPreview(&f.w, [&](QKeyEvent *k) {
        seen << k->key();
        return k->key() == Qt::Key_F2 || k->key() == Qt::Key_A;
    });

    // Consumed keys never reach the edit.
    QTest::keyClick(f.edits[0], Qt::Key_A);
    EXPECT_EQ(f.edits[0]->text(), QString());
    // Others do, after the form has seen them.
    QTest::keyClick(f.edits[0], Qt::Key_X);
    EXPECT_EQ(f.edits[0]->text(), QStringLiteral("x"));
    // A key the edit ignores travels up to the form; it is still seen once.
    QTest::keyClick(f.edits[0], Qt::Key_F5);
    QTest::keyClick(f.edits[0], Qt::Key_F2);
    // The same key twice, and a key straight to the form itself.
    QTest::keyClick(f.edits[1], Qt::Key_F12);
    QTest::keyClick(f.edits[1], Qt::Key_F12);
    QTest::keyClick(&f.w, Qt::Key_Escape);
    EXPECT_EQ(seen, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_F5, Qt::Key_F2, Qt::Key_F12, Qt::Key_F12, Qt::Key_Escape}));
}

TEST(KeyPreview, OtherFormsAreNotSeen)
{
    Form a, b;
    int seenA = 0;
    QObject *preview = installKeyPreview(&a.w, [&](QKeyEvent *) {
        ++seenA;
        return false;
    });
    QTest::keyClick(b.edits[0], Qt::Key_F1);
    EXPECT_EQ(seenA, 0);
    QTest::keyClick(a.edits[2], Qt::Key_F1);
    EXPECT_EQ(seenA, 1);
    delete preview; // ends the preview
    QTest::keyClick(a.edits[2], Qt::Key_F1);
    EXPECT_EQ(seenA, 1);
}

TEST(NumberFilters, WholeNumbersRefuseEverythingButDigits)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit edit;
    installWholeNumberFilter(&edit, kWhole);

    QTest::keyClicks(&edit, QStringLiteral("12a3.4-5,"));
    EXPECT_EQ(edit.text(), QStringLiteral("12345"));
    EXPECT_EQ(messages, (QStringList{kWhole, kWhole, kWhole, kWhole}));
    messages.clear();

    // Backspace, Enter, Esc and keys that type nothing pass without a word.
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Escape);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClick(&edit, Qt::Key_F3);
    EXPECT_EQ(edit.text(), QStringLiteral("234"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST(NumberFilters, DecimalAndSignedVariants)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit dec, sig, sigDec;
    installDecimalFilter(&dec, kDecimal);
    installSignedFilter(&sig, kNumber);
    installSignedFilter(&sigDec, kNumber, true);

    QTest::keyClicks(&dec, QStringLiteral("1.5-"));
    EXPECT_EQ(dec.text(), QStringLiteral("1.5"));
    EXPECT_EQ(messages, QStringList{kDecimal});
    messages.clear();

    // No point in a whole signed box; no digit after the sign at its end.
    QTest::keyClicks(&sig, QStringLiteral("2-.5"));
    EXPECT_EQ(sig.text(), QStringLiteral("2-"));
    EXPECT_EQ(messages, (QStringList{kNumber, kNumber}));
    messages.clear();

    QTest::keyClicks(&sigDec, QStringLiteral("-2.5x"));
    EXPECT_EQ(sigDec.text(), QStringLiteral("-2.5"));
    EXPECT_EQ(messages, QStringList{kNumber});
}

TEST(EnterChain, MovesToTheNextShownInput)
{
    Form f;
    f.w.show();
    f.edits[1]->hide();
    installEnterChain({f.edits[0], f.edits[1], f.edits[2]});
    f.edits[0]->setFocus();
    QTest::keyClick(f.edits[0], Qt::Key_Return);
    EXPECT_EQ(f.w.focusWidget(), f.edits[2]);
    // Enter in the last input does nothing more.
    QTest::keyClick(f.edits[2], Qt::Key_Enter);
    EXPECT_EQ(f.w.focusWidget(), f.edits[2]);
}

TEST(EnterChain, WrapsWhenAsked)
{
    Form f;
    f.w.show();
    f.edits[1]->setEnabled(false);
    installEnterChain({f.edits[0], f.edits[1], f.edits[2]}, true);
    f.edits[2]->setFocus();
    QTest::keyClick(f.edits[2], Qt::Key_Return);
    EXPECT_EQ(f.w.focusWidget(), f.edits[0]);

    int called = 0;
    onEnter(f.edits[1], [&] { ++called; });
    f.edits[1]->setEnabled(true);
    QTest::keyClick(f.edits[1], Qt::Key_Return);
    EXPECT_EQ(called, 1);
}

TEST(EnterChain, FiltersAndChainWorkTogether)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    Form f;
    f.w.show();
    installWholeNumberFilter(f.edits[0], kWhole);
    installEnterChain({f.edits[0], f.edits[1]});
    f.edits[0]->setFocus();
    QTest::keyClicks(f.edits[0], QStringLiteral("4"));
    QTest::keyClick(f.edits[0], Qt::Key_Return);
    EXPECT_EQ(f.w.focusWidget(), f.edits[1]);
    EXPECT_TRUE(messages.isEmpty());
}

// A key more than the box takes is refused with the box's message, never
// dropped without a word.
TEST(NumberFilters, LengthLimitRefusesExtraCharactersButLetsALongerTextShrink)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit edit;
    installDecimalFilter(&edit, kDecimal, 5);
    QTest::keyClicks(&edit, QStringLiteral("1234.567"));
    EXPECT_EQ(edit.text(), QStringLiteral("1234."));
    EXPECT_EQ(messages, QStringList(3, kDecimal));
    // The eleventh digit of a box of ten.
    QLineEdit ten;
    installWholeNumberFilter(&ten, kWhole, 10);
    QTest::keyClicks(&ten, QStringLiteral("1234567890"));
    messages.clear();
    QTest::keyClick(&ten, Qt::Key_1);
    EXPECT_EQ(ten.text(), QStringLiteral("1234567890"));
    EXPECT_EQ(messages, QStringList{kWhole});
    // Typed over a selection the text stays within the box.
    ten.setSelection(0, 1);
    QTest::keyClick(&ten, Qt::Key_9);
    EXPECT_EQ(ten.text(), QStringLiteral("9234567890"));
    messages.clear();
    edit.clear();
    edit.insert(QString(300, QLatin1Char('9')));
    EXPECT_EQ(edit.text(), QString());
    // A longer text the program shows can be shortened, not lengthened.
    edit.setText(QStringLiteral("123456789"));
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("12345678"));
    QTest::keyClick(&edit, Qt::Key_1);
    EXPECT_EQ(edit.text(), QStringLiteral("12345678"));
    EXPECT_EQ(messages, QStringList{kDecimal});
}

TEST(NumberFilters, APointGoesInOnce)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit dec;
    installDecimalFilter(&dec, kNumber);
    QTest::keyClicks(&dec, QStringLiteral("1.5.2"));
    EXPECT_EQ(dec.text(), QStringLiteral("1.52"));
    EXPECT_EQ(messages, QStringList{kNumber});
    // Typed over a selection that holds the point, a new one is fine.
    dec.setSelection(1, 2);
    QTest::keyClicks(&dec, QStringLiteral("."));
    EXPECT_EQ(dec.text(), QStringLiteral("1.2"));
    EXPECT_EQ(messages.size(), 1);
}

TEST(NumberFilters, PastedAndDroppedTextGoesInOnlyWhenTheWholeTextIsValid)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QWidget form;
    auto *dec = new QLineEdit(&form);
    auto *whole = new QLineEdit(&form);
    auto *ten = new QLineEdit(&form); // a box of ten characters
    installDecimalFilter(dec, kNumber);
    installWholeNumberFilter(whole, kWhole);
    installWholeNumberFilter(ten, kWhole, 10);
    form.show();

    auto byKey = [](QLineEdit *e) { QTest::keySequence(e, QKeySequence::Paste); };
    auto byMenu = [](QLineEdit *e) {
        QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(2, 2), e->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(e, &ev);
        auto *menu = e->findChild<QMenu *>();
        ASSERT_NE(menu, nullptr);
        QAction *paste = nullptr;
        for (QAction *a : menu->actions())
            if (a->text().startsWith(QStringLiteral("&Paste")))
                paste = a;
        ASSERT_NE(paste, nullptr);
        paste->trigger();
        menu->close();
        delete menu;
    };
    auto byDrop = [](QLineEdit *e) {
        QMimeData mime;
        mime.setText(QGuiApplication::clipboard()->text());
        const QPoint at(e->width() - 2, 5);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &enter);
        QDropEvent ev(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &ev);
    };
    const struct {
        QLineEdit *edit;
        const char *before, *pasted, *after;
        bool refused;
    } cases[] = {
        {dec, "1", ".25", "1.25", false}, {dec, "1.5", ".2", "1.5", true}, {dec, "", "3a", "", true},
        {dec, "7", "-1", "7", true},      {whole, "4", "20", "420", false}, {whole, "4", "2.0", "4", true},
        // Too long for the box: refused whole, not cut.
        {ten, "12345678", "90", "1234567890", false}, {ten, "12345678", "901", "12345678", true},
    };
    const std::function<void(QLineEdit *)> ways[] = {byKey, byMenu, byDrop};
    int way = 0;
    for (const auto &how : ways) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::to_string(way) + " " + c.pasted);
            c.edit->setText(QString::fromLatin1(c.before));
            c.edit->setFocus();
            c.edit->end(false);
            QGuiApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
            messages.clear();
            how(c.edit);
            EXPECT_EQ(c.edit->text(), QString::fromLatin1(c.after));
            EXPECT_EQ(messages, c.refused ? QStringList{c.edit == dec ? kNumber : kWhole} : QStringList{});
        }
        ++way;
    }
}

namespace {

// A key as a Persian or Arabic keyboard sends it: its text only.
void typeChars(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

// A minus sign stands once, at either end of the number (or anywhere in a
// floor number); Persian and Arabic-Indic digits go in as 0-9; no box takes
// more than 15 digits before its point. Typed key by key, and pasted whole.
TEST(NumberFilters, SignsEasternDigitsAndLengthTypedOrPasted)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit signedBox, floorBox, wholeBox, dateBox;
    installSignedFilter(&signedBox, kNumber, true);
    installNumberFilter(&floorBox, NumberChar::MinusAnywhere, kNumber);
    installWholeNumberFilter(&wholeBox, kWhole);
    installNumberFilter(&dateBox, NumberChar::Slash, kDecimal);
    // A text the box could not hold as it is shown: 1E15 once rounded, or
    // a value so small that it is 0.
    const std::string tiny = "." + std::string(330, '0') + "1";
    const std::string tinyShown = tiny.substr(0, tiny.size() - 1);
    const struct {
        QLineEdit *box;
        const char *typed;
        const char *shown;
        int refusals; // typed key by key
        bool pasteTaken; // the same text pasted into the empty box
    } cases[] = {
        {&signedBox, "20-5", "20-", 1, false},
        {&signedBox, "-5-", "-5", 1, false},
        {&signedBox, "20--", "20-", 1, false},
        {&signedBox, "-2.5", "-2.5", 0, true},
        {&signedBox, "2.5-", "2.5-", 0, true},
        {&signedBox, "۲۰", "20", 0, true},
        {&signedBox, "٢٠-", "20-", 0, true},
        {&signedBox, "۱۲-۳", "12-", 1, false},
        {&floorBox, "2-0", "2-0", 0, true},
        {&floorBox, "--2", "-2", 1, false},
        {&wholeBox, "۹۸۷", "987", 0, true},
        {&wholeBox, "1234567890123456", "123456789012345", 1, false},
        {&wholeBox, "000001234567890123456", "00000123456789012345", 1, false},
        {&dateBox, "۱۴۰۲/۰۱/۱۵", "1402/01/15", 0, true},
        {&signedBox, "999999999999999.9", "999999999999999.", 1, false},
        {&signedBox, "999999999999999.4-", "999999999999999.4-", 0, true},
        {&signedBox, tiny.c_str(), tinyShown.c_str(), 1, false},
    };
    for (const auto &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        SCOPED_TRACE(c.typed);
        c.box->clear();
        messages.clear();
        typeChars(c.box, typed);
        EXPECT_EQ(c.box->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(messages.size(), c.refusals);
        for (const QString &m : messages)
            EXPECT_EQ(m, boxRefusal(c.box));

        c.box->clear();
        messages.clear();
        QGuiApplication::clipboard()->setText(typed);
        QTest::keySequence(c.box, QKeySequence::Paste);
        EXPECT_EQ(c.box->text(), c.pasteTaken ? QString::fromUtf8(c.shown) : QString());
        EXPECT_EQ(messages.size(), c.pasteTaken ? 0 : 1);
    }
    EXPECT_EQ(boxRefusal(&signedBox), kNumber);
    EXPECT_EQ(boxRefusal(&wholeBox), kWhole);
    QLineEdit plain;
    EXPECT_EQ(boxRefusal(&plain), QString());
}

// The line edit's own keys work in a number box: select all, copy, cut,
// paste, undo, arrows, Home, End, Delete; none is refused.
TEST(NumberFilters, LineEditKeysWorkAsInAnyLineEdit)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit box;
    installDecimalFilter(&box, kNumber);
    typeChars(&box, QStringLiteral("20"));
    QTest::keySequence(&box, QKeySequence::SelectAll);
    QTest::keySequence(&box, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("20"));
    typeChars(&box, QStringLiteral("3"));
    EXPECT_EQ(box.text(), QStringLiteral("3"));
    QTest::keySequence(&box, QKeySequence::Undo);
    EXPECT_EQ(box.text(), QStringLiteral("20"));
    QTest::keySequence(&box, QKeySequence::Redo);
    EXPECT_EQ(box.text(), QStringLiteral("3"));
    // A Persian digit typed goes on the undo list like any other.
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Right);
    typeChars(&box, QStringLiteral("۵"));
    EXPECT_EQ(box.text(), QStringLiteral("35"));
    QTest::keySequence(&box, QKeySequence::Undo);
    EXPECT_EQ(box.text(), QStringLiteral("3"));
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keySequence(&box, QKeySequence::Cut);
    EXPECT_EQ(box.text(), QString());
    QTest::keySequence(&box, QKeySequence::Paste);
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), QStringLiteral("33"));
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_Left);
    typeChars(&box, QStringLiteral("1."));
    EXPECT_EQ(box.text(), QStringLiteral("1.3"));
    EXPECT_TRUE(messages.isEmpty());
}

// Format marks typed or pasted into a number box go nowhere without a word;
// the Persian decimal key is the point where a point is taken and is refused
// like one where it is not.
TEST(NumberFilters, FormatMarksAndThePersianDecimalKey)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    QLineEdit decimalBox, wholeBox;
    installDecimalFilter(&decimalBox, kNumber);
    installWholeNumberFilter(&wholeBox, kWhole);
    const struct {
        QLineEdit *box;
        const char *typed;
        const char *shown;
        int refusals; // typed key by key
        bool pasteTaken;
    } cases[] = {
        {&decimalBox, "\u200F30", "30", 0, true},       {&decimalBox, "2\u200C0", "20", 0, true},
        {&decimalBox, "\uFEFF1\u202A2\u2069", "12", 0, true}, {&decimalBox, "20٫5", "20.5", 0, true},
        {&decimalBox, "۲۰٫۵٫", "20.5", 1, false},       {&wholeBox, "2\u200D0", "20", 0, true},
        {&wholeBox, "20٫5", "205", 1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        c.box->clear();
        messages.clear();
        typeChars(c.box, QString::fromUtf8(c.typed));
        EXPECT_EQ(c.box->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(messages, QStringList(c.refusals, boxRefusal(c.box)));

        c.box->clear();
        messages.clear();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.typed));
        QTest::keySequence(c.box, QKeySequence::Paste);
        EXPECT_EQ(c.box->text(), c.pasteTaken ? QString::fromUtf8(c.shown) : QString());
        EXPECT_EQ(messages.size(), c.pasteTaken ? 0 : 1);
    }
}

// Each line break (CR LF as one) and tab of a name becomes one blank.
TEST(OneLine, LineBreaksAndTabsOfANameBecomeBlanks)
{
    EXPECT_EQ(oneLine(QStringLiteral("a\r\nb\nc\rd\te\u2028f")), QStringLiteral("a b c d e f"));
}
