#pragma once
// The page of the ventilation extract fans in the equipment booklet: the
// duct drop and outlet velocity of the project, then one row per space with
// fans (floor, unit, space, air volume, duct length, fans, duct pressure
// drop, fan diameter, and the motor speed and power of the catalogue fan).
//
// The rows print what the extract-fan sizing stored per space, through
// DM1.Query5: the page selects the spaces with fans of the current project
// (DM1.Table1) when it is laid out, the project number bound as a parameter.
#include "platform/report/Report.h"

#include <QObject>
#include <QString>

class TReport11 : public QObject {
    Q_OBJECT
public:
    explicit TReport11(QObject *parent = nullptr);
    ~TReport11() override;

    // Selects the spaces with fans of a project into DM1.Query5 (left open).
    static void openFanSpaces(double project);

    // Row handler: floor name, rounded air volume, and the catalogue fan's
    // speed and power ("--" when no catalogue row was chosen).
    void QRSubDetail1BeforePrint();

    pf::report::Report QuickRep1{QStringLiteral("QuickRep1")};
    pf::report::Band *Title = nullptr;
    pf::report::Band *DetailBand1 = nullptr; // column headings, above the first row
    pf::report::SubDetailBand *QRSubDetail1 = nullptr;

    pf::report::Label *QRLabel7 = nullptr;  // floor
    pf::report::Label *QRLabel13 = nullptr; // air volume
    pf::report::Label *QRLabel15 = nullptr; // motor speed
    pf::report::Label *QRLabel16 = nullptr; // power
    pf::report::Drawing *QRImage1 = nullptr;

    static const char *const kTextNoFan; // "--"
};

extern TReport11 *Report11;
