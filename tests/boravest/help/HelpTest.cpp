// The user guide, the help menu over it and the authors' message page: the
// page every caller opens exists and carries its text, the menu's buttons
// open their pages under their captions, and the keys scroll as the pages
// are laid out.
#include "boravest/building/EntryPage.h"
#include "boravest/help/UFHelp.h"
#include "boravest/help/UHelp.h"
#include "boravest/help/Usokhan.h"
#include "platform/ui/Dialogs.h"
#include "../ProgramGlobals.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The forms' designer components, by their names.
template <class T>
T *part(const QWidget *form, const char *name)
{
    return form->findChild<T *>(QString::fromLatin1(name));
}

struct Opened {
    QString form;
    int page = -1;
    QString caption;
    int scroll = -1; // the page's scroll box position, -1 without one
};

class HelpTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormHelp> guide;
    std::unique_ptr<TFHelp> menu;
    TFormHelp *previousGuide = nullptr;
    QList<Opened> opened;

    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        previousGuide = FormHelp;
        guide = std::make_unique<TFormHelp>();
        menu = std::make_unique<TFHelp>();
        FormHelp = guide.get();
        pf::ui::setModalHook([this](QWidget *w) {
            Opened o;
            o.form = w->objectName();
            if (w == guide.get()) {
                o.page = part<QTabWidget>(guide.get(), "PageControl1")->currentIndex();
                o.caption = guide->windowTitle();
                if (QScrollArea *box = guide->pageScrollBox(o.page))
                    o.scroll = box->verticalScrollBar()->value();
            }
            opened << o;
            return 0;
        });
    }

    void TearDown() override
    {
        pf::ui::setModalHook(nullptr);
        FormHelp = previousGuide;
    }

    // Everything the page says, its heading included.
    QString pageText(int page) const
    {
        QString text;
        for (const QLabel *l : part<QTabWidget>(guide.get(), "PageControl1")->widget(page)->findChildren<QLabel *>())
            text += l->text();
        return text.trimmed();
    }

    void scrollAllToMiddle()
    {
        for (int page = 0; page < TFormHelp::PageCount; ++page)
            if (QScrollArea *box = guide->pageScrollBox(page))
                box->verticalScrollBar()->setValue(50);
    }
};

TEST_F(HelpTest, MenuButtonsOpenTheirPagesUnderTheirCaptionsAtTheTop)
{
    const QString head = QStringLiteral("     راهنماي كاربران - ");
    const struct {
        const char *button;
        int page;
        QString topic;
    } cases[] = {
        {"abcPicBtn1", 0, QStringLiteral("تنظيم سيستم")},
        {"Button8", 16, QStringLiteral("نصب نرم افزار")},
        {"Button4", 1, QStringLiteral("ايجاد و ويرايش")},
        {"Button5", 2, QStringLiteral("دفترچه محاسبات ")},
        {"Button6", 3, QStringLiteral("انتخاب تجهيزات ")},
        {"Button7", 4, QStringLiteral("چاپ دفترچه تجهيزات ")},
        {"Button9", 5, QStringLiteral("كپي پلان")},
        {"Button10", 6, QStringLiteral("حذف پلان")},
        {"Button12", 7, QStringLiteral("تهيه پشتيبان")},
        {"Button13", 8, QStringLiteral("بازيابي داده ها")},
        {"Button14", 9, QStringLiteral("تغيير مسير پرونده هاي داده")},
        {"Button2", 10, QStringLiteral("تغيير رنگ ")},
        {"Button15", 11, QStringLiteral("تغيير قلم ")},
        {"Button16", 12, QStringLiteral("فرهنگ لغات و اصطلاحات تاسيساتي")},
        {"Button1", 13, QStringLiteral("كليدهاي ميانبر")},
        {"Button11", 15, QStringLiteral("بازسازي داده ها")},
        {"Button17", 17, QStringLiteral(" جدول تبديل آحاد")},
    };
    menu->FormActivate();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        scrollAllToMiddle();
        opened.clear();
        auto *button = menu->findChild<QAbstractButton *>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr);
        button->click();
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].form, QStringLiteral("FormHelp"));
        EXPECT_EQ(opened[0].page, c.page);
        EXPECT_EQ(opened[0].caption, head + c.topic);
        EXPECT_TRUE(opened[0].scroll == -1 || opened[0].scroll == 0) << opened[0].scroll;
        EXPECT_GT(pageText(c.page).size(), 40) << "page " << c.page << " says too little";
    }
}

TEST_F(HelpTest, F1OfTheEntryPagesOpensTheCreateAndEditPageWithItsText)
{
    scrollAllToMiddle();
    createedit::showUserGuide();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].page, 1);
    EXPECT_EQ(opened[0].scroll, 0);
    // The equipment pages open page 3 the same way; both pages describe
    // their forms.
    EXPECT_TRUE(pageText(1).contains(QStringLiteral("فضاها")));
    EXPECT_TRUE(pageText(3).contains(QStringLiteral("ديگ")));
}

TEST_F(HelpTest, MenuActivationWritesTheSetUpTextAndEscClosesTheMenu)
{
    EXPECT_TRUE(pageText(0).isEmpty());
    menu->FormActivate();
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("     راهنماي كاربران"));
    EXPECT_EQ(part<QLabel>(menu.get(), "Label99")->text(), QStringLiteral("بنام خدا"));
    // The introduction names the system this version runs on.
    EXPECT_EQ(part<QLabel>(menu.get(), "Label100")->text(),
              QStringLiteral("نرم افزار حاضر روي سيستم عامل لينوكس با كتابخانه Qt اجرا ميشود كه براي بهره مندي بيشتر از نمايش ،"));
    EXPECT_EQ(part<QLabel>(guide.get(), "Label460")->text(), QStringLiteral("تنظيم سيستم"));
    EXPECT_EQ(part<QLabel>(guide.get(), "Label463")->text(), QStringLiteral("استفاده كنيد. در قسمت regional  Option   "));
    EXPECT_EQ(part<QLabel>(guide.get(), "Label466")->text(), QStringLiteral("و يا علامت سوال مشاهده خواهيد كرد."));

    QSignalSpy closed(menu.get(), &QDialog::finished);
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
}

TEST(GuideScrollTest, KeysMoveEachLongPageWithinItsBounds)
{
    const struct {
        int page, key, from, to;
    } cases[] = {
        {1, Qt::Key_PageDown, 110, 410},  {1, Qt::Key_PageDown, 111, 425}, {0, Qt::Key_PageDown, 99, 199},
        {0, Qt::Key_PageDown, 100, 195},  {0, Qt::Key_PageUp, 100, 0},     {0, Qt::Key_PageUp, 150, 50},
        {3, Qt::Key_PageDown, 2369, 2699}, {3, Qt::Key_PageDown, 2370, 2700}, {3, Qt::Key_PageUp, 329, 0},
        {3, Qt::Key_Down, 2695, 2700},    {13, Qt::Key_PageDown, 288, 588}, {13, Qt::Key_PageDown, 289, 588},
        {13, Qt::Key_PageUp, 300, 0},     {13, Qt::Key_End, 0, 588},       {1, Qt::Key_End, 0, 425},
        {0, Qt::Key_Home, 150, 0},        {1, Qt::Key_Up, 10, 0},          {1, Qt::Key_Up, 11, 1},
        {1, Qt::Key_Down, 415, 425},      {1, Qt::Key_Down, 416, 425},     {0, Qt::Key_Down, 185, 195},
        // No act: the short pages, the side arrows, other keys.
        {2, Qt::Key_PageDown, 0, -1},     {14, Qt::Key_End, 0, -1},        {1, Qt::Key_Left, 5, -1},
        {3, Qt::Key_A, 5, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(guideScrollPosition(c.page, c.key, c.from), c.to) << c.page << " " << c.key << " " << c.from;
}

TEST_F(HelpTest, GuideKeysScrollTheShownPageAndEscClosesIt)
{
    // Each scroll box reaches exactly its bottom.
    for (const auto &[page, bottom] : {std::pair{0, 195}, {1, 425}, {3, 2700}, {13, 588}})
        EXPECT_EQ(guide->pageScrollBox(page)->verticalScrollBar()->maximum(), bottom) << page;

    part<QTabWidget>(guide.get(), "PageControl1")->setCurrentIndex(1);
    QScrollBar *bar = part<QScrollArea>(guide.get(), "ScrollBox2")->verticalScrollBar();
    bar->setValue(110);
    QTest::keyClick(guide.get(), Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 410);
    QTest::keyClick(guide.get(), Qt::Key_End);
    EXPECT_EQ(bar->value(), 425);

    part<QTabWidget>(guide.get(), "PageControl1")->setCurrentIndex(2);
    QTest::keyClick(guide.get(), Qt::Key_Home);
    EXPECT_EQ(bar->value(), 425);
    QSignalSpy closed(guide.get(), &QDialog::finished);
    QTest::keyClick(guide.get(), Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
}

TEST(MessagePageTest, KeysStepThroughTheMessageAndNeverBelowOne)
{
    const struct {
        int key;
        QList<int> path; // positions from 0 (the first) after each release; -1: no move
    } cases[] = {
        {Qt::Key_PageDown, {0, 530, 1060, 1216, -1}},
        {Qt::Key_PageUp, {1216, 686, 156, 1, -1}},
        {Qt::Key_Down, {1200, 1210, 1216}},
        {Qt::Key_Up, {15, 5, 1}},
    };
    for (const auto &c : cases)
        for (int i = 1; i < c.path.size(); ++i)
            EXPECT_EQ(messageScrollPosition(c.key, c.path[i - 1]), c.path[i]) << c.key << " step " << i;
    EXPECT_EQ(messageScrollPosition(Qt::Key_Home, 0), 1);
    EXPECT_EQ(messageScrollPosition(Qt::Key_End, 3), 1216);
    EXPECT_EQ(messageScrollPosition(Qt::Key_Right, 3), -1);
}

TEST(MessagePageTest, ThePageOpensAtTheTopActsOnReleaseAndShowsItsMessage)
{
    testsupport::resetProgramGlobals();
    TSokhan page;
    QScrollBar *bar = part<QScrollArea>(&page, "ScrollBox3")->verticalScrollBar();
    EXPECT_EQ(bar->maximum(), TSokhan::Bottom);
    bar->setValue(700);
    page.FormActivate();
    EXPECT_EQ(bar->value(), 0);

    QTest::keyPress(&page, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyRelease(&page, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 530);

    QSignalSpy closed(&page, &QDialog::finished);
    QTest::keyPress(&page, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 0);
    QTest::keyRelease(&page, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);

    // The picture is drawn: some of its text lies far down the page.
    const QImage image = part<QLabel>(&page, "Image5")->pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(700, 1800));
    int dark = 0;
    for (int y = 600; y < 1200; y += 2)
        for (int x = 40; x < 660; x += 2)
            dark += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(dark, 100);
}

TEST(MessagePageTest, TheLetterSaysWhatTheProgramIsForInTheProgramsLetters)
{
    const QString letter = userMessageParagraphs().join(QLatin1Char(' '));
    // Heating loads and the equipment sized on them, printed as two booklets.
    for (const char *says : {"بار حرارتي", "اندازه مي گذارد", "دو دفترچه"})
        EXPECT_TRUE(letter.contains(QString::fromUtf8(says))) << says;
    // Not cooling, and Persian in the program's own yeh and kaf.
    EXPECT_FALSE(letter.contains(QStringLiteral("برودت")));
    EXPECT_FALSE(letter.contains(QChar(0x06CC)) || letter.contains(QChar(0x06A9)));

    // The short salutation of the first line stands at the right edge.
    const QImage page = drawUserMessage();
    auto ink = [&page](int fromX, int toX) {
        int dark = 0;
        for (int y = 180; y < 215; ++y)
            for (int x = fromX; x < toX; ++x)
                dark += qGray(page.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_GT(ink(450, 650), 20);
    EXPECT_EQ(ink(50, 350), 0);
}

} // namespace
