#pragma once
// The installation drawings: every picture of the equipment booklet's pages
// and of the equipment window's picture page, drawn once here as vector
// line drawings (lines, rectangles and Persian texts) and placed on the
// report pages as drawing elements, so they print sharp at any resolution
// and take little room in a saved booklet.
//
// Each drawing has its own size in pixels at 96 per inch, the size of the
// place its page gives it; the picture page shows the same drawing scaled
// to its frame.
#include "boravest/eqbook/drawings/Kit.h"
#include "platform/report/Report.h"

#include <QImage>
#include <QSizeF>
#include <QStringList>

namespace bv::eqbook {

enum class Picture {
    // Project data page: the water-meter branch and the pressure tanks.
    MainBranch,
    VerticalPressureTank,
    HorizontalPressureTank,
    // Hot-water tank page: the three tanks and their piping.
    DoubleWallTank,
    CoilTank,
    SteamCoilTank,
    DoubleWallPiping,
    CoilPiping,
    SteamCoilPiping,
    // Pool and jacuzzi pages and the picture page.
    PoolCircuit,
    PoolHotWaterExchanger,
    PoolSteamExchanger,
    SandFilter,
    JacuzziCircuit,
    JacuzziHotWaterExchanger,
    JacuzziSteamExchanger,
    JacuzziJets,
    // Boilers, furnaces, radiators.
    HotWaterBoiler,
    SteamBoiler,
    BoilerRoom,
    Furnace,
    Radiator,
    // Expansion tank, burner and fuel store.
    OpenExpansionTank,
    DiaphragmExpansionTank,
    HydropneumaticExpansionTank,
    OilBurner,
    GasBurner,
    FuelTank,
    // Unit heaters, collectors, pumps, softener, extract fans.
    UnitHeater,
    Collectors,
    FloorPump,
    InLinePump,
    Softener,
    ExtractFan,
};
constexpr int kPictureCount = int(Picture::ExtractFan) + 1;

// The size the drawing is drawn at.
QSizeF pictureSize(Picture p);
// The drawn items, in the drawing's own pixels.
QVector<pf::report::DrawItem> pictureItems(Picture p);
// The texts the drawing prints.
QStringList pictureTexts(Picture p);
// The pipework the drawing declares, in the drawing's own pixels.
kit::Piping picturePiping(Picture p);

// A drawing element of the band at `at` (the drawing's own size), holding
// the drawing.
pf::report::Drawing *addPicture(pf::report::Band *band, const QString &name, const QPointF &at, Picture p);

// The drawing painted on white, scaled to fit `size` (keeping its
// proportions, centred), at `deviceRatio` device pixels per pixel.
QImage pictureImage(Picture p, QSize size, double deviceRatio = 1.0);

} // namespace bv::eqbook
