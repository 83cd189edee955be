#pragma once
// The page of the heating circulation pump and the water softener in the
// equipment booklet: the pump's installation, count, pressure drops,
// efficiency, fittings' equivalent length, head, flow and motor power; the
// softener's cycle, count, least capacity, efficiency and catalogue model;
// with the fixed installation and operating notes.
//
// The constructor lays the page out; build() writes one build's values,
// setting the installation text and its pictures in every branch. The
// data-bound fields print the project's equipment record (DM1.Table12).
#include "boravest/sizing/CirculationPump.h"
#include "boravest/sizing/Fittings.h"
#include "boravest/sizing/Softener.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <vector>

class TReport10 : public QObject {
    Q_OBJECT
public:
    explicit TReport10(QObject *parent = nullptr);
    ~TReport10() override;

    // Flows above this (gpm) take a floor-mounted pump, up to it an in-line one.
    static constexpr double kInLineLimitGpm = 90;

    void build(const bv::sizing::CirculationPumpResults &pump, const bv::sizing::FittingsLength &fittings,
               const bv::sizing::SoftenerResults &softener);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    // Pump.
    pf::report::Drawing *ImgPmpzmini = nullptr; // floor-mounted
    pf::report::Drawing *ImgPmpKhati = nullptr; // in-line
    pf::report::Label *QRLabel12 = nullptr;   // installation
    pf::report::Label *QRLabel10 = nullptr;   // efficiency
    pf::report::Label *QRLabel118 = nullptr;  // fittings' equivalent length
    pf::report::Label *QRLabel65 = nullptr, *QRLabel69 = nullptr, *QRLabel70 = nullptr, *QRLabel83 = nullptr;
    // Softener.
    pf::report::Drawing *QRImage2 = nullptr;
    pf::report::Label *QRLabel106 = nullptr; // least capacity
    pf::report::Label *QRLabel109 = nullptr, *QRLabel110 = nullptr, *QRLabel111 = nullptr, *QRLabel113 = nullptr,
                      *QRLabel124 = nullptr; // catalogue cells 1..5

    static const char *const kTextFloorMounted; // "زميني"
    static const char *const kTextInLine;       // "خطي"
    static const char *const kTextNoPump;       // "--": no flow, no installation

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    std::vector<Line> m_lines;
    void reflow();
};

extern TReport10 *Report10;
