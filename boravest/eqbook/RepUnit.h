#pragma once
// The page of the domestic hot-water storage tank in the equipment booklet:
// the tank kind, the stored inputs, the demand and storage factors, the
// sized volume, heating surface and return pump, the chosen catalogue tank
// and the drawings of the kind.
//
// The constructor lays the page out; build() writes one build's values into
// it, switching the rows and pictures of the tank kind. The data-bound
// fields print the project's equipment record (DM1.Table12).
#include "boravest/eqbook/Drawings.h"
#include "boravest/sizing/HotWaterTank.h"
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

#include <vector>

// What the page prints besides the sizing results, from the equipment record.
struct HotWaterPageInputs {
    int NSakh = 0;   // building type 0..9
    int T_Pomp = 0;  // hot-water return pumps
    int Typ_MAM = 0; // 0 double-wall, 1 hot-water coil, 2 steam coil
};

class TReport : public QObject {
    Q_OBJECT
public:
    explicit TReport(QObject *parent = nullptr);
    ~TReport() override;

    // Writes one build into the page from the results of the sizing of the
    // record's tank kind (nothing sized for a kind outside 0 to 2).
    void build(const HotWaterPageInputs &in, const bv::sizing::HotWaterTankResults &r);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    pf::report::Label *QRLabel3 = nullptr, *QRLabel4 = nullptr, *QRLabel5 = nullptr, *QRLabel8 = nullptr;
    pf::report::Label *QRLabel10 = nullptr, *QRLabel16 = nullptr, *QRLabel26 = nullptr, *QRLabel27 = nullptr;
    pf::report::DBText *QRDBText22 = nullptr;
    // Caption / value pairs that change with the tank kind.
    pf::report::Label *QRLabel28 = nullptr, *QRLabel39 = nullptr, *QRLabel30 = nullptr, *QRLabel40 = nullptr,
                      *QRLabel31 = nullptr, *QRLabel41 = nullptr, *QRLabel34 = nullptr, *QRLabel42 = nullptr,
                      *QRLabel35 = nullptr, *QRLabel43 = nullptr, *QRLabel36 = nullptr, *QRLabel44 = nullptr,
                      *QRLabel37 = nullptr, *QRLabel45 = nullptr, *QRLabel38 = nullptr, *QRLabel46 = nullptr,
                      *QRLabel32 = nullptr, *QRLabel47 = nullptr, *QRLabel33 = nullptr, *QRLabel48 = nullptr,
                      *QRLabel51 = nullptr, *QRLabel62 = nullptr, *QRLabel53 = nullptr, *QRLabel66 = nullptr,
                      *QRLabel54 = nullptr, *QRLabel67 = nullptr, *QRLabel56 = nullptr, *QRLabel68 = nullptr,
                      *QRLabel57 = nullptr, *QRLabel73 = nullptr, *QRLabel49 = nullptr, *QRLabel74 = nullptr;
    // The steam trap note.
    pf::report::Label *QRLabel13 = nullptr, *QRLabel14 = nullptr, *QRLabel15 = nullptr;
    // Small tank pictures and installation diagrams, one of each per kind.
    pf::report::Drawing *ImgMnbDoJ = nullptr, *ImgMnbKAb = nullptr, *ImgMnbKBo = nullptr;
    pf::report::Drawing *QImg2j = nullptr, *QImgKAB = nullptr, *QImgB = nullptr;

    static const char *const kTextNoReturnPump;

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    pf::report::Label *text(const char *name, const QString &t = QString());
    pf::report::DBText *field(const char *name, const char *fieldName);
    void line(double right, double top, std::vector<pf::report::TextElement *> parts);
    void reflow();
    pf::report::Drawing *picture(const char *name, const QPointF &at, bv::eqbook::Picture kind);

    std::vector<Line> m_lines;
    int m_counter = 0;
};

extern TReport *Report;
