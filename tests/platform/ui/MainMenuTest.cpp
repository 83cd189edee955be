#include "platform/ui/Fonts.h"
#include "platform/ui/MainMenu.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <gtest/gtest.h>

using namespace pf::ui;

namespace {

QVector<MenuNode> sampleTree()
{
    MenuNode main{QStringLiteral("منوي اصلي"), QStringLiteral("N1"), {}, false};
    main.children = {{QStringLiteral("ايجاد و ويرايش"), QStringLiteral("N3"), {}, false},
                     {QStringLiteral("خروج"), QStringLiteral("N7"), {}, false}};
    MenuNode side{QStringLiteral("كارهاي جانبي"), QStringLiteral("N2"), {}, false};
    MenuNode del{QStringLiteral("حذف پلان"), QStringLiteral("N11"), {}, false};
    del.children = {{QStringLiteral("حذف پروژه"), QStringLiteral("N12"), {}, false},
                    {QStringLiteral("حذف طبقه"), QStringLiteral("N13"), {}, false}};
    side.children = {{QStringLiteral("كپي پلان"), QStringLiteral("N4"), {}, false}, del,
                     {QString(), QStringLiteral("sep1"), {}, true},
                     {QStringLiteral("بازسازي داده ها"), QStringLiteral("N19"), {}, false}};
    MenuNode word{QStringLiteral("سخني با كاربر"), QStringLiteral("N21"), {}, false};
    return {main, side, word};
}

QImage paint(const QString &caption, bool selected, bool enabled, bool rtl, QSize size = QSize(200, 21))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    paintMenuItem(&p, img.rect(), caption, QString(), selected, enabled, rtl);
    return img;
}

bool hasColour(const QImage &img, QColor c)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c)
                return true;
    return false;
}

// Left- and rightmost columns that hold a pixel of neither background.
std::pair<int, int> inkSpan(const QImage &img)
{
    int lo = img.width(), hi = -1;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c != MenuLook::background() && c != MenuLook::highlight()) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        }
    return {lo, hi};
}

} // namespace

TEST(MainMenu, BuiltFromTheTreeRightToLeft)
{
    QMenuBar *bar = buildMainMenu(sampleTree());
    std::unique_ptr<QMenuBar> owner(bar);
    EXPECT_EQ(bar->layoutDirection(), Qt::RightToLeft);
    EXPECT_FALSE(bar->isNativeMenuBar());

    const QList<QAction *> top = bar->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->objectName(), QStringLiteral("N1"));
    EXPECT_EQ(top[1]->objectName(), QStringLiteral("N2"));
    EXPECT_EQ(top[2]->objectName(), QStringLiteral("N21"));
    EXPECT_EQ(top[2]->menu(), nullptr); // an item on the bar itself
    ASSERT_NE(top[1]->menu(), nullptr);
    EXPECT_EQ(top[1]->menu()->layoutDirection(), Qt::RightToLeft);

    QAction *n13 = findMenuAction(bar, QStringLiteral("N13"));
    ASSERT_NE(n13, nullptr);
    EXPECT_EQ(n13->text(), QStringLiteral("حذف طبقه"));
    EXPECT_TRUE(findMenuAction(bar, QStringLiteral("sep1"))->isSeparator());
    EXPECT_EQ(findMenuAction(bar, QStringLiteral("nothing")), nullptr);

    int fired = 0;
    QObject::connect(n13, &QAction::triggered, [&] { ++fired; });
    n13->trigger();
    EXPECT_EQ(fired, 1);

    // The first item stands rightmost.
    bar->resize(700, 30);
    bar->show();
    EXPECT_GT(bar->actionGeometry(top[0]).x(), bar->actionGeometry(top[1]).x());
    EXPECT_GT(bar->actionGeometry(top[1]).x(), bar->actionGeometry(top[2]).x());
}

TEST(MainMenu, DropDownItemsHaveTheImageRoom)
{
    QMenuBar *bar = buildMainMenu(sampleTree());
    std::unique_ptr<QMenuBar> owner(bar);
    QMenu *menu = bar->actions()[0]->menu();
    menu->ensurePolished();
    menu->adjustSize();
    QAction *n3 = findMenuAction(bar, QStringLiteral("N3"));
    const QRect r = menu->actionGeometry(n3);
    EXPECT_GE(r.height(), MenuLook::imageHeight);
    const int textWidth = QFontMetrics(MenuLook::font()).horizontalAdvance(QStringLiteral(" ") + n3->text());
    EXPECT_GE(r.width(), textWidth + MenuLook::imageWidth);
}

TEST(MainMenu, ItemPaintingColours)
{
    installPersianFonts();
    const QString caption = QStringLiteral("خروج");

    QImage plain = paint(caption, false, true, true);
    EXPECT_EQ(plain.pixelColor(0, 0), MenuLook::background());
    EXPECT_FALSE(hasColour(plain, Qt::magenta));
    EXPECT_TRUE(hasColour(plain, QColor(0, 0, 0)));

    QImage sel = paint(caption, true, true, true);
    EXPECT_EQ(sel.pixelColor(100, 20 - 3), MenuLook::highlight()); // inside, below the text
    EXPECT_EQ(sel.pixelColor(0, 10), QColor(0, 0, 0));             // the rounded frame
    EXPECT_EQ(sel.pixelColor(100, 0), QColor(0, 0, 0));
    EXPECT_NE(sel.pixelColor(0, 0), QColor(0, 0, 0)); // rounded corner
    EXPECT_TRUE(hasColour(sel, MenuLook::selectedText()));

    // A disabled item keeps the grey text on the highlight.
    QImage dis = paint(caption, true, false, true);
    EXPECT_TRUE(hasColour(dis, MenuLook::disabledText()));
    EXPECT_FALSE(hasColour(dis, MenuLook::selectedText()));
}

TEST(MainMenu, TextStandsOnTheReadingSide)
{
    installPersianFonts();
    const auto rtl = inkSpan(paint(QStringLiteral("راهنما"), false, true, true, QSize(300, 21)));
    const auto ltr = inkSpan(paint(QStringLiteral("راهنما"), false, true, false, QSize(300, 21)));
    ASSERT_GE(rtl.second, 0);
    EXPECT_GT(rtl.first, 150);
    EXPECT_LT(ltr.second, 150);
}

TEST(MainMenu, StylePaintsSelectedDropDownItems)
{
    QMenuBar *bar = buildMainMenu(sampleTree());
    std::unique_ptr<QMenuBar> owner(bar);
    QMenu *menu = bar->actions()[0]->menu();
    QStyleOptionMenuItem opt;
    opt.initFrom(menu);
    opt.rect = QRect(0, 0, 160, 21);
    opt.text = QStringLiteral("خروج");
    opt.menuItemType = QStyleOptionMenuItem::Normal;
    opt.state = QStyle::State_Enabled | QStyle::State_Selected;
    QImage img(160, 21, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    {
        QPainter p(&img);
        menu->style()->drawControl(QStyle::CE_MenuItem, &opt, &p, menu);
    }
    EXPECT_EQ(img.pixelColor(80, 18), MenuLook::highlight());
    EXPECT_FALSE(hasColour(img, Qt::magenta));
}
