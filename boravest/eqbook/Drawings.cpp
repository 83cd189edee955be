#include "boravest/eqbook/Drawings.h"

#include "boravest/eqbook/drawings/Pictures.h"

#include <QPainter>

#include <functional>

using namespace pf::report;

namespace bv::eqbook {

namespace {

struct Entry {
    QSizeF size;
    std::function<void(kit::Sheet &)> draw;
};

const Entry &entry(Picture p)
{
    namespace d = pictures;
    static const Entry entries[kPictureCount] = {
        {{200, 110}, d::mainBranch},
        {{190, 230}, d::verticalPressureTank},
        {{190, 230}, d::horizontalPressureTank},
        {{225, 226}, d::doubleWallTank},
        {{225, 226}, d::coilTank},
        {{225, 226}, d::steamCoilTank},
        {{440, 340}, d::doubleWallPiping},
        {{440, 340}, d::coilPiping},
        {{440, 340}, d::steamCoilPiping},
        {{225, 226}, d::poolCircuit},
        {{225, 226}, [](kit::Sheet &g) { d::hotWaterExchanger(g, false); }},
        {{225, 226}, [](kit::Sheet &g) { d::steamExchanger(g, false); }},
        {{225, 226}, d::sandFilter},
        {{228, 226}, d::jacuzziCircuit},
        {{228, 226}, [](kit::Sheet &g) { d::hotWaterExchanger(g, true); }},
        {{228, 226}, [](kit::Sheet &g) { d::steamExchanger(g, true); }},
        {{228, 226}, d::jacuzziJets},
        {{228, 226}, d::hotWaterBoiler},
        {{228, 226}, d::steamBoiler},
        {{417, 352}, d::boilerRoom},
        {{227, 222}, d::furnace},
        {{226, 216}, d::radiator},
        {{225, 226}, d::openExpansionTank},
        {{225, 226}, d::diaphragmExpansionTank},
        {{225, 226}, d::hydropneumaticExpansionTank},
        {{225, 226}, d::oilBurner},
        {{225, 226}, d::gasBurner},
        {{225, 190}, d::fuelTank},
        {{228, 226}, d::unitHeater},
        {{225, 226}, d::collectors},
        {{225, 226}, d::floorPump},
        {{225, 226}, d::inLinePump},
        {{225, 226}, d::softener},
        {{225, 226}, d::extractFan},
    };
    return entries[int(p)];
}

} // namespace

QSizeF pictureSize(Picture p) { return entry(p).size; }

QVector<DrawItem> pictureItems(Picture p)
{
    kit::Sheet sheet(entry(p).size);
    entry(p).draw(sheet);
    return sheet.take();
}

kit::Piping picturePiping(Picture p)
{
    kit::Sheet sheet(entry(p).size);
    entry(p).draw(sheet);
    return sheet.piping();
}

QStringList pictureTexts(Picture p)
{
    QStringList out;
    for (const DrawItem &item : pictureItems(p))
        if (const auto *t = std::get_if<TextRun>(&item))
            out << t->text;
    return out;
}

Drawing *addPicture(Band *band, const QString &name, const QPointF &at, Picture p)
{
    Drawing *d = band->addDrawing(name, QRectF(at, pictureSize(p)));
    d->items = pictureItems(p);
    return d;
}

QImage pictureImage(Picture p, QSize size, double deviceRatio)
{
    QImage img(size * deviceRatio, QImage::Format_RGB32);
    img.setDevicePixelRatio(deviceRatio);
    img.fill(Qt::white);
    const QSizeF own = pictureSize(p);
    const double scale = std::min(size.width() / own.width(), size.height() / own.height());
    QPainter painter(&img);
    painter.translate((size.width() - own.width() * scale) / 2, (size.height() - own.height() * scale) / 2);
    painter.scale(scale, scale);
    Page page;
    page.items = pictureItems(p);
    paintPage(painter, page);
    return img;
}

} // namespace bv::eqbook
