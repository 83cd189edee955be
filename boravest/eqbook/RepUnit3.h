#pragma once
// The first page of the equipment booklet: the booklet's cover data
// (company, engineer, project number and date, logo), the general data of the
// building and its climate, the system inputs, the sanitary fixtures, the
// main water branch at the meter and the pressure tank with its model.
//
// The constructor lays the page out; build() writes one build's values into
// it. The data-bound fields print the current project record (DM1.Table1)
// and its equipment record (DM1.Table12) as they stand when the booklet is
// laid out.
#include "boravest/sizing/PressureTank.h"
#include "boravest/sizing/WaterMeter.h"
#include "platform/report/Report.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <vector>

// What the page prints besides the sizing results, read from the records
// by the builder.
struct ProjectPageInputs {
    // The project record as the booklet form shows it (saved or not).
    QString company, engineer, date, number;
    double Masa_Aa = 0; // built area, sq.ft
    double Masa_Ar = 0; // plot area, sq.ft
    int TySo = 0;       // fuel: 0 gas oil, other city gas
    QString NameS;      // building type name
    // The city's climate; not found: the four climate values print blank.
    bool cityFound = false;
    QString insideTemp;     // Ti1 of the project record
    QString humidity;       // DarsadRotobat of the city
    double altitude = 0;    // Ertefa of the city, ft
    double outdoorTemp = 0; // Dama_Kd of the city, F
    QString floorsWord;     // the number of floors in words
    bv::sizing::FixtureCounts fixtures;
    QString logoPath; // empty: the page's own picture
};

class TReport3 : public QObject {
    Q_OBJECT
public:
    explicit TReport3(QObject *parent = nullptr);
    ~TReport3() override;

    // Writes one build into the page. Only a logo that cannot be read fails
    // (false, the reason in *error); the page is then left as it was.
    bool build(const ProjectPageInputs &in, const bv::sizing::WaterMeterResults &branch,
               const bv::sizing::PressureTankResults &tank, QString *error);

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *TitleBand1 = nullptr;

    // Cover and general data.
    pf::report::Image *QRImage1 = nullptr; // logo
    pf::report::Label *QRLabel70 = nullptr, *QRLabel24 = nullptr, *QRLabel25 = nullptr, *QRLabel63 = nullptr,
                      *QRLabel64 = nullptr;
    pf::report::Label *QRLabel68 = nullptr, *QRLabel53 = nullptr, *QRLabel56 = nullptr, *QRLabel13 = nullptr;
    pf::report::Label *QRLabel19 = nullptr, *QRLabel58 = nullptr, *QRLabel120 = nullptr;
    pf::report::Label *QRLabel5 = nullptr, *QRLabel29 = nullptr;
    pf::report::Label *QRservis1 = nullptr, *QRservis2 = nullptr;
    // Main branch.
    pf::report::Drawing *QRImage3 = nullptr;
    pf::report::Label *QRLabel23 = nullptr, *QRLabel62 = nullptr, *QRLabel66 = nullptr, *QRLabel67 = nullptr;
    // Pressure tank.
    pf::report::Drawing *ImgTankAm = nullptr; // vertical
    pf::report::Drawing *ImgTankOf = nullptr; // horizontal
    pf::report::Label *QRLabel7 = nullptr, *QRLabel22 = nullptr, *QRLabel27 = nullptr, *QRLabel32 = nullptr,
                      *QRLabel33 = nullptr;
    pf::report::Label *QRLabel37 = nullptr, *QRLabel38 = nullptr, *QRLabel45 = nullptr, *QRLabel46 = nullptr,
                      *QRLabel47 = nullptr, *QRLabel48 = nullptr, *QRLabel49 = nullptr, *QRLabel50 = nullptr;
    // Captions of the model's cells that depend on the installation.
    pf::report::Label *QRLabel35 = nullptr, *QRLabel36 = nullptr, *QRLabel40 = nullptr, *QRLabel41 = nullptr;

    static const char *const kTextNoPumpStarts;

private:
    struct Line {
        std::vector<pf::report::TextElement *> parts;
        double right, top;
    };
    pf::report::Label *text(const char *name, const QString &t = QString());
    pf::report::DBText *field(const char *name, bool projectRecord, const char *fieldName);
    void line(double right, double top, std::vector<pf::report::TextElement *> parts);
    void reflow();
    void fillFixtures(const bv::sizing::FixtureCounts &f);

    std::vector<Line> m_lines;
    QImage m_defaultLogo;
    int m_counter = 0;
};

extern TReport3 *Report3;
