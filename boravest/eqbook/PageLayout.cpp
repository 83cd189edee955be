#include "boravest/eqbook/PageLayout.h"

#include "boravest/data/ProgramState.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

using namespace pf::report;

namespace bv::eqbook {

const QString kReportFamily = QStringLiteral("Traffic");
const QString kTitleFamily = QStringLiteral("Titr");

Label *addText(Band *band, const QString &name, double right, double top, const QString &text, double pixels)
{
    Label *l = band->addLabel(name, right, top, text);
    l->alignment = Qt::AlignRight;
    l->direction = Qt::RightToLeft;
    l->font = ReportFont::fromPixels(kReportFamily, pixels, true);
    return l;
}

Label *addCentred(Band *band, const QString &name, double centre, double top, const QString &text, double pixels,
                  const QString &family, bool underline)
{
    Label *l = band->addLabel(name, centre, top, text);
    l->alignment = Qt::AlignHCenter;
    l->direction = Qt::RightToLeft;
    l->font = ReportFont::fromPixels(family, pixels, true, underline);
    return l;
}

DBText *addField(Band *band, const QString &name, double right, double top, pf::db::Dataset *dataset,
                 const QString &field)
{
    DBText *t = band->addDBText(name, right, top, dataset, field);
    t->alignment = Qt::AlignRight;
    t->direction = Qt::RightToLeft;
    t->font = ReportFont::fromPixels(kReportFamily, 13, true);
    return t;
}

QRectF tableColumn(std::span<const double> widths, double width, int column, double top, double height)
{
    const int n = int(widths.size());
    double right = width;
    for (int i = 0; i < column && i < n; ++i)
        right -= widths[i];
    const double w = column < n ? widths[column] : right;
    return QRectF(right - w, top, w, height);
}

void makeTableCell(TextElement *e, const QRectF &geometry, int column)
{
    e->geometry = geometry;
    e->autoSize = false;
    e->alignment = Qt::AlignHCenter;
    e->direction = Qt::RightToLeft;
    e->font = ReportFont::fromPixels(kReportFamily, 13, true);
    e->frame.left = true;
    e->frame.bottom = true;
    e->frame.right = column == 0;
}

void tableRules(Band *band, std::span<const double> rules, const char *prefix, double height)
{
    int i = 0;
    for (double x : rules)
        band->addShape(QStringLiteral("%1V%2").arg(QLatin1String(prefix)).arg(++i), ShapeKind::VerticalLine,
                       QRectF(x - 1, 0, 2, height));
    band->addShape(QStringLiteral("%1Bottom").arg(QLatin1String(prefix)), ShapeKind::HorizontalLine,
                   QRectF(rules.back(), height - 1, rules.front() - rules.back(), 2));
}

double printedWidth(const TextElement *e)
{
    QString t;
    if (auto *l = dynamic_cast<const Label *>(e))
        t = l->text;
    else if (auto *d = dynamic_cast<const DBText *>(e))
        t = d->currentText();
    if (t.isEmpty())
        return 0;
    QTextLayout layout;
    layoutParagraph(layout, t, e->font, e->direction, Qt::AlignRight, false, -1);
    double w = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        w = std::max(w, layout.lineAt(i).naturalTextWidth());
    return std::ceil(w);
}

void flowRightToLeft(std::initializer_list<TextElement *> parts, double right, double top, double gap)
{
    flowRightToLeft(std::vector<TextElement *>(parts), right, top, gap);
}

void flowRightToLeft(const std::vector<TextElement *> &parts, double right, double top, double gap)
{
    double x = right;
    for (TextElement *e : parts) {
        e->geometry = QRectF(x, top, 0, 0);
        const double w = printedWidth(e);
        x -= (w > 0 ? w + gap : 0);
    }
}

QString roundedText(double v) { return pf::floatToStr(::RoundX(v)); }

QString catalogueCell(const bv::sizing::TextCatalogue &cat, int row, int col)
{
    if (!cat.hasRow(row) || col < 1 || col > cat.cellCount())
        return QString();
    return cat.cell(row, col);
}

QImage drawing(Drawing kind, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    const QRectF r(8, 8, size.width() - 16, size.height() - 16);
    auto tank = [&p](const QRectF &box, bool coil) {
        p.drawRoundedRect(box, 18, 18);
        if (coil)
            for (int i = 1; i <= 5; ++i) {
                const double y = box.top() + box.height() * i / 6.0;
                p.drawArc(QRectF(box.left() + box.width() * 0.25, y - 6, box.width() * 0.5, 12), 0, 180 * 16);
            }
    };
    auto pipe = [&p](QPointF a, QPointF b) { p.drawLine(a, b); };
    switch (kind) {
    case Drawing::Logo:
        p.setBrush(QColor(30, 90, 160));
        p.drawEllipse(r.adjusted(r.width() * 0.15, r.height() * 0.15, -r.width() * 0.15, -r.height() * 0.15));
        break;
    case Drawing::MainBranch:
        pipe({r.left(), r.center().y()}, {r.right(), r.center().y()});
        p.drawEllipse(r.center(), r.height() * 0.2, r.height() * 0.2);
        pipe({r.left() + r.width() * 0.2, r.center().y() - 12}, {r.left() + r.width() * 0.2, r.center().y() + 12});
        break;
    case Drawing::VerticalTank:
        tank(QRectF(r.center().x() - r.width() * 0.25, r.top(), r.width() * 0.5, r.height() * 0.85), false);
        pipe({r.center().x() - r.width() * 0.2, r.bottom() - r.height() * 0.15}, {r.center().x() - r.width() * 0.2, r.bottom()});
        pipe({r.center().x() + r.width() * 0.2, r.bottom() - r.height() * 0.15}, {r.center().x() + r.width() * 0.2, r.bottom()});
        break;
    case Drawing::HorizontalTank:
        tank(QRectF(r.left(), r.center().y() - r.height() * 0.25, r.width(), r.height() * 0.5), false);
        break;
    case Drawing::DoubleWallTank:
        tank(QRectF(r.left(), r.center().y() - r.height() * 0.3, r.width(), r.height() * 0.6), false);
        tank(QRectF(r.left() + 12, r.center().y() - r.height() * 0.3 + 12, r.width() - 24, r.height() * 0.6 - 24), false);
        break;
    case Drawing::CoilTank:
        tank(QRectF(r.center().x() - r.width() * 0.3, r.top(), r.width() * 0.6, r.height()), true);
        break;
    case Drawing::SteamCoilTank:
        tank(QRectF(r.left(), r.top(), r.width() * 0.45, r.height()), true);
        tank(QRectF(r.center().x() + 8, r.top(), r.width() * 0.45, r.height()), true);
        break;
    case Drawing::DoubleWallPiping:
    case Drawing::CoilPiping:
    case Drawing::SteamPiping: {
        const QRectF box(r.center().x() - r.width() * 0.2, r.top() + r.height() * 0.2, r.width() * 0.4,
                         r.height() * 0.6);
        tank(box, kind != Drawing::DoubleWallPiping);
        pipe({r.left(), box.top() + 20}, {box.left(), box.top() + 20});
        pipe({r.left(), box.bottom() - 20}, {box.left(), box.bottom() - 20});
        pipe({box.right(), box.top() + 20}, {r.right(), box.top() + 20});
        pipe({box.right(), box.bottom() - 20}, {r.right(), box.bottom() - 20});
        p.drawEllipse(QPointF(r.right() - 40, box.top() + 20), 10, 10);
        if (kind == Drawing::SteamPiping)
            p.drawRect(QRectF(r.left() + 30, box.bottom() - 30, 20, 20));
        break;
    }
    }
    return img;
}

} // namespace bv::eqbook
