// Column titles in a face that declares less room than its letters take
// (Titr: no descent at all): the title row holds every letter whole.
#include "platform/ui/DbControls.h"
#include "platform/ui/TextDirection.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The rows of the image in which `inked` differs from `bare`.
std::pair<int, int> rowsBetween(const QImage &inked, const QImage &bare)
{
    int top = inked.height(), bottom = -1;
    for (int y = 0; y < inked.height(); ++y)
        for (int x = 0; x < inked.width(); ++x)
            if (inked.pixel(x, y) != bare.pixel(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

QImage shown(QWidget *w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    w->render(&image);
    return image;
}

// How many rows the text's letters take, painted with room to spare.
int inkRows(const QString &text, const QFont &font)
{
    QImage bare(400, 200, QImage::Format_ARGB32);
    bare.fill(Qt::white);
    QImage inked = bare;
    QPainter p(&inked);
    p.setFont(font);
    p.drawText(inked.rect(), Qt::AlignCenter, text);
    p.end();
    const auto [top, bottom] = rowsBetween(inked, bare);
    return bottom - top + 1;
}

} // namespace

TEST(HeaderHeight, TitleRowHoldsTheWholeLettersOfItsFace)
{
    if (!QFontDatabase::families().contains(QStringLiteral("Titr")))
        GTEST_SKIP() << "the Titr face (fonts-farsiweb) is not installed";
    pf::ui::installTextStyle();
    const QString title = QStringLiteral("شماره پروژه");
    QFont titr(QStringLiteral("Titr"));
    titr.setPointSize(12);
    // A grid whose titles set their own height, and the program's grid
    // that fits its columns and titles to its width.
    const std::function<QTableView *(QStandardItemModel &, pf::ui::DBGrid &)> grids[] = {
        [](QStandardItemModel &m, pf::ui::DBGrid &) {
            auto *v = new QTableView;
            v->setModel(&m);
            return v;
        },
        [](QStandardItemModel &, pf::ui::DBGrid &g) {
            g.setColumns({{QStringLiteral("a"), QStringLiteral("شماره پروژه")}});
            return &g;
        },
    };
    for (const auto &make : grids) {
        QStandardItemModel model(0, 1);
        model.setHorizontalHeaderLabels({title});
        pf::ui::DBGrid grid;
        QTableView *view = make(model, grid);
        view->setLayoutDirection(Qt::RightToLeft);
        view->setFont(titr);
        view->horizontalHeader()->setFont(titr);
        view->resize(400, 150);
        if (auto *g = dynamic_cast<pf::ui::DBGrid *>(view))
            g->fitColumnsToWidth();
        QHeaderView *titles = view->horizontalHeader();
        titles->resize(titles->width(), titles->sizeHint().height());
        if (titles->minimumHeight() == titles->maximumHeight())
            titles->resize(titles->width(), titles->minimumHeight());
        shown(titles); // polished as it is first painted
        const QImage inked = shown(titles);
        QPalette unseen = titles->palette(); // the title painted without ink
        unseen.setColor(QPalette::ButtonText, Qt::transparent);
        titles->setPalette(unseen);
        const auto [top, bottom] = rowsBetween(inked, shown(titles));
        EXPECT_EQ(bottom - top + 1, inkRows(title, titles->font())) << "title row " << titles->height();
        if (view != &grid)
            delete view;
    }
}
