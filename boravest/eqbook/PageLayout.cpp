#include "boravest/eqbook/PageLayout.h"

#include "boravest/data/ProgramState.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/SpaceSizing.h"
#include "platform/common/Numbers.h"

#include <QPainter>

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
    // From the layouts its page prints with: shaped once for both.
    return std::ceil(e->band()->report()->textWidth(*e, t));
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

QString roundedText(double v)
{
    return bv::sizing::perspace::showable(v) ? pf::plainNumberText(::RoundX(v)) : QString();
}

QString catalogueCell(const bv::sizing::TextCatalogue &cat, int row, int col)
{
    if (!cat.hasRow(row) || col < 1 || col > cat.cellCount())
        return QString();
    return cat.cell(row, col);
}

QImage defaultLogo(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(30, 90, 160));
    const QRectF r(8, 8, size.width() - 16, size.height() - 16);
    p.drawEllipse(r.adjusted(r.width() * 0.15, r.height() * 0.15, -r.width() * 0.15, -r.height() * 0.15));
    return img;
}

} // namespace bv::eqbook
