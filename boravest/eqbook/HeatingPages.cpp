#include "boravest/eqbook/HeatingPages.h"

#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <QPainter>
#include <QPainterPath>

using namespace pf::report;
namespace eq = bv::sizing;

namespace bv::eqbook {

Label *LineFlow::text(const char *name, const QString &t)
{
    return addText(m_band, QString::fromLatin1(name), 712, 0, t);
}

DBText *LineFlow::field(const char *name, pf::db::Dataset *dataset, const char *fieldName)
{
    return addField(m_band, QString::fromLatin1(name), 712, 0, dataset, QString::fromLatin1(fieldName));
}

void LineFlow::line(double right, double top, std::vector<TextElement *> parts)
{
    m_lines.push_back({std::move(parts), right, top});
}

void LineFlow::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

void setEnabled(std::initializer_list<Element *> elements, bool on)
{
    for (Element *e : elements)
        e->enabled = on;
}

void clearTexts(std::initializer_list<Label *> labels)
{
    for (Label *l : labels)
        l->text.clear();
}

PipeCells pipeCells(int sizeColumn, int rowPlusOne)
{
    const eq::Catalogues &cat = eq::catalogues();
    PipeCells c;
    if (sizeColumn < 1 || sizeColumn > eq::PipeSizeNamesTable::Count)
        return c;
    c.size = cat.PipeSizeNames.name(sizeColumn);
    const int capacityRow = rowPlusOne - 1;
    if (capacityRow < 1 || capacityRow > eq::PipeCapacityTable::RowCount)
        return c;
    c.capacity = pf::floatToStr(cat.PipeCapacity.capacity(capacityRow, sizeColumn));
    c.velocity = pf::floatToStr(cat.PipeVelocity.cell(rowPlusOne, sizeColumn));
    return c;
}

SandFilterCells sandFilterCells(int row)
{
    const eq::SandFiltersTable &t = eq::catalogues().SandFilters;
    return {catalogueCell(t, row, 1), catalogueCell(t, row, 2), catalogueCell(t, row, 3), catalogueCell(t, row, 4)};
}

QImage heatingDrawing(HeatingDrawing kind, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    QFont f = p.font();
    f.setPixelSize(10);
    p.setFont(f);
    const QRectF r(8, 8, size.width() - 16, size.height() - 16);
    const double w = r.width(), h = r.height();
    auto at = [&r, w, h](double x, double y) { return QPointF(r.left() + w * x, r.top() + h * y); };
    auto box = [&](double x, double y, double bw, double bh) { return QRectF(at(x, y), QSizeF(w * bw, h * bh)); };
    auto pipe = [&p, &at](double x1, double y1, double x2, double y2) { p.drawLine(at(x1, y1), at(x2, y2)); };
    auto pump = [&p, &at, w](double x, double y) { p.drawEllipse(at(x, y), w * 0.05, w * 0.05); };
    auto tag = [&p, &at](double x, double y, const char *t) { p.drawText(at(x, y), QString::fromLatin1(t)); };
    auto coil = [&p](const QRectF &b) {
        for (int i = 1; i <= 4; ++i) {
            const double y = b.top() + b.height() * i / 5.0;
            p.drawArc(QRectF(b.left() + b.width() * 0.2, y - 5, b.width() * 0.6, 10), 0, 180 * 16);
        }
    };

    switch (kind) {
    case HeatingDrawing::PoolCircuit:
    case HeatingDrawing::JacuzziCircuit: {
        // The basin with its inlets and skimmer, then pump, filter and
        // exchanger back to the inlets.
        const bool jacuzzi = kind == HeatingDrawing::JacuzziCircuit;
        const QRectF basin = box(0.05, 0.05, 0.9, jacuzzi ? 0.3 : 0.35);
        if (jacuzzi)
            p.drawEllipse(basin);
        else
            p.drawRect(basin);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        pipe(0.05, 0.12, 0.95, 0.12);
        p.setPen(QPen(Qt::black, 2));
        tag(0.1, 0.25, "D1");
        tag(0.4, 0.25, "D2");
        tag(0.7, 0.25, "D3");
        pipe(0.1, 0.45, 0.1, 0.7);
        pump(0.25, 0.7);
        pipe(0.1, 0.7, 0.2, 0.7);
        pipe(0.3, 0.7, 0.45, 0.7);
        p.drawRoundedRect(box(0.45, 0.55, 0.15, 0.3), 6, 6);
        pipe(0.6, 0.7, 0.7, 0.7);
        p.drawRect(box(0.7, 0.6, 0.2, 0.2));
        coil(box(0.7, 0.6, 0.2, 0.2));
        pipe(0.9, 0.7, 0.95, 0.7);
        pipe(0.95, 0.7, 0.95, 0.45);
        tag(0.2, 0.85, "1");
        tag(0.5, 0.92, "2");
        tag(0.78, 0.88, "3");
        break;
    }
    case HeatingDrawing::HotWaterExchanger:
    case HeatingDrawing::SteamExchanger: {
        const QRectF shell = box(0.15, 0.3, 0.7, 0.35);
        p.drawRoundedRect(shell, 14, 14);
        coil(shell);
        pipe(0.0, 0.4, 0.15, 0.4);
        pipe(0.0, 0.55, 0.15, 0.55);
        pipe(0.85, 0.4, 1.0, 0.4);
        pipe(0.85, 0.55, 1.0, 0.55);
        if (kind == HeatingDrawing::HotWaterExchanger) {
            pump(0.08, 0.75);
            pipe(0.08, 0.55, 0.08, 0.7);
            tag(0.0, 0.92, "boiler");
        } else {
            p.drawRect(box(0.02, 0.7, 0.1, 0.08)); // trap
            p.drawLine(at(0.02, 0.2), at(0.12, 0.28)); // valve
            p.drawLine(at(0.12, 0.2), at(0.02, 0.28));
            tag(0.0, 0.92, "steam / trap");
        }
        tag(0.75, 0.25, "pool");
        break;
    }
    case HeatingDrawing::SandFilter: {
        const QRectF tank = box(0.1, 0.1, 0.35, 0.75);
        p.drawRoundedRect(tank, 20, 20);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(at(0.1, 0.55), at(0.45, 0.55));
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(at(0.275, 0.06), 8, 8); // pressure gauge
        pipe(0.45, 0.25, 0.6, 0.25);
        pipe(0.45, 0.75, 0.6, 0.75);
        pipe(0.6, 0.25, 0.6, 0.75);
        const QRectF strainer = box(0.68, 0.4, 0.25, 0.3);
        p.drawRect(strainer);
        p.drawLine(strainer.topLeft(), strainer.bottomRight());
        pipe(0.6, 0.55, 0.68, 0.55);
        tag(0.1, 0.97, "filter");
        tag(0.68, 0.8, "strainer");
        break;
    }
    case HeatingDrawing::HotWaterBoiler:
    case HeatingDrawing::SteamBoiler: {
        const QRectF body = box(0.1, 0.25, 0.8, 0.55);
        p.drawRoundedRect(body, 10, 10);
        for (int i = 1; i <= 5; ++i)
            p.drawLine(at(0.1 + 0.8 * i / 6.0, 0.3), at(0.1 + 0.8 * i / 6.0, 0.75));
        p.drawRect(box(0.4, 0.05, 0.2, 0.2)); // flue
        pipe(0.25, 0.25, 0.25, 0.1);
        pipe(0.75, 0.25, 0.75, 0.1);
        p.drawRect(box(0.0, 0.45, 0.1, 0.15)); // burner
        if (kind == HeatingDrawing::SteamBoiler) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            pipe(0.1, 0.4, 0.9, 0.4); // water level
        }
        tag(0.1, 0.95, kind == HeatingDrawing::SteamBoiler ? "steam" : "hot water");
        break;
    }
    case HeatingDrawing::BoilerRoom: {
        p.drawRect(r);
        const QRectF base = box(0.15, 0.55, 0.45, 0.08);
        p.drawRect(base);
        p.drawRoundedRect(box(0.18, 0.3, 0.39, 0.25), 8, 8);
        p.drawRect(box(0.7, 0.05, 0.12, 0.6)); // chimney
        pipe(0.57, 0.4, 0.7, 0.4);
        p.drawRect(box(0.05, 0.75, 0.2, 0.1)); // air inlet
        tag(0.05, 0.97, "air inlet");
        tag(0.2, 0.7, "foundation 8-15 cm");
        break;
    }
    case HeatingDrawing::Furnace: {
        const QRectF cabinet = box(0.2, 0.2, 0.6, 0.65);
        p.drawRect(cabinet);
        p.drawEllipse(at(0.5, 0.65), w * 0.12, w * 0.12); // fan
        p.drawRect(box(0.3, 0.28, 0.4, 0.15));            // heat exchanger
        p.drawRect(box(0.35, 0.02, 0.3, 0.18));           // supply duct
        pipe(0.0, 0.7, 0.2, 0.7);                          // return air
        tag(0.0, 0.65, "return");
        tag(0.36, 0.14, "supply");
        break;
    }
    }
    return img;
}

Image *addDrawing(Band *band, const char *name, const QRectF &at, HeatingDrawing kind)
{
    Image *i = band->addImage(QString::fromLatin1(name), at);
    i->stretch = true;
    i->picture = heatingDrawing(kind, at.size().toSize());
    return i;
}

} // namespace bv::eqbook
