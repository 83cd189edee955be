#include "platform/ui/Captions.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <gtest/gtest.h>

using pf::ui::fitCaptions;

namespace {

const QString kText = QStringLiteral("راندمان الكتروپمپ آبگرم گردشي");
const QString kWide = QStringLiteral("DejaVu Sans Mono");
const QString kNarrow = QStringLiteral("DejaVu Sans Condensed");

int widthIn(const QFont &f) { return QFontMetrics(f).horizontalAdvance(kText); }
int widthIn(const QString &family) { return widthIn(QFont(family, 10)); }

// A face given as the program gives one: the family changes, the rest stays.
void setFace(QWidget *w, const QString &family)
{
    QFont f = w->font();
    f.setFamily(family);
    w->setFont(f);
}

// A right-to-left form 600 wide with a frame behind everything; the caption
// is designed at x 250 as wide as its text in the narrow face.
struct Form {
    QWidget form;
    QFrame *back = new QFrame(&form);
    QLabel *label = new QLabel(kText, &form);
    Form()
    {
        if (!QFontDatabase::families().contains(kWide) || !QFontDatabase::families().contains(kNarrow))
            return;
        form.setLayoutDirection(Qt::RightToLeft);
        form.setGeometry(0, 0, 600, 100);
        back->setGeometry(0, 0, 600, 100);
        label->setFont(QFont(kNarrow, 10));
        label->setGeometry(250, 10, widthIn(kNarrow) + 2, 24);
    }
};

} // namespace

TEST(FitCaptions, GrowsAwayFromItsAnchorWithinItsParent)
{
    const struct {
        Qt::Alignment align;
        bool left, right; // the sides that move
    } cases[] = {{Qt::AlignLeading, true, false}, {Qt::AlignTrailing, false, true}, {Qt::AlignHCenter, true, true}};
    for (const auto &c : cases) {
        Form f;
        if (f.label->font().family() != kNarrow)
            GTEST_SKIP() << "DejaVu faces not installed";
        f.label->setAlignment(c.align | Qt::AlignVCenter);
        const QRect designed = f.label->geometry();
        setFace(f.label, kWide);
        fitCaptions(&f.form);
        const QRect now = f.label->geometry();
        EXPECT_EQ(now.left() < designed.left(), c.left) << int(c.align);
        EXPECT_EQ(now.right() > designed.right(), c.right) << int(c.align);
        EXPECT_GE(now.width(), widthIn(kWide)) << int(c.align);
        EXPECT_EQ(f.label->font().pointSizeF(), 10) << int(c.align);
    }
}

TEST(FitCaptions, StopsAtASiblingThenShrinksAndComesBackForANarrowerFace)
{
    Form f;
    if (f.label->font().family() != kNarrow)
        GTEST_SKIP() << "DejaVu faces not installed";
    auto *edit = new QLineEdit(&f.form);
    edit->setGeometry(200, 12, 40, 20);
    // A button that takes its parent's font, boxed in between two edits.
    auto *panel = new QWidget(&f.form);
    panel->setGeometry(0, 50, 600, 40);
    auto *button = new QPushButton(QStringLiteral("&") + kText, panel);
    const int margins = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    button->setGeometry(100, 0, widthIn(kNarrow) + margins + 2, 30);
    (new QLineEdit(panel))->setGeometry(80, 0, 20, 30);
    (new QLineEdit(panel))->setGeometry(button->geometry().right() + 1, 0, 20, 30);
    panel->setFont(QFont(kNarrow, 10));
    const QRect label = f.label->geometry(), boxed = button->geometry();
    for (int round = 0; round < 3; ++round) {
        setFace(f.label, kWide);
        setFace(panel, kWide);
        fitCaptions(&f.form);
        EXPECT_EQ(f.label->geometry(), QRect(QPoint(240, label.top()), label.bottomRight()));
        EXPECT_LT(f.label->font().pointSizeF(), 10);
        EXPECT_LE(widthIn(f.label->font()), f.label->width());
        EXPECT_EQ(button->geometry(), boxed);
        EXPECT_EQ(button->font().family(), kWide);
        EXPECT_LE(widthIn(button->font()), button->width() - margins);
        setFace(f.label, kNarrow);
        setFace(panel, kNarrow);
        fitCaptions(&f.form);
        EXPECT_EQ(f.label->geometry(), label);
        EXPECT_EQ(f.label->font().pointSizeF(), 10);
        EXPECT_EQ(button->font(), panel->font());
        EXPECT_FALSE(button->testAttribute(Qt::WA_SetFont));
    }
}
