// Per-space pages: steel radiators, unit heaters, warm-air furnaces, extract fans.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PPGRad.h"
#include "ui_U_15PPGUH.h"
#include "ui_U_15PKore.h"
#include "ui_U_15PHavPD.h"

void TFormT2::setUpSpacePages()
{
    uiPGRad = std::make_unique<Ui::PPGRadPage>();
    uiPGRad->setupUi(ui->PPGRad);
    uiPGUH = std::make_unique<Ui::PPGUHPage>();
    uiPGUH->setupUi(ui->PPGUH);
    uiKore = std::make_unique<Ui::PKorePage>();
    uiKore->setupUi(ui->PKore);
    uiHavPD = std::make_unique<Ui::PHavPDPage>();
    uiHavPD->setupUi(ui->PHavPD);
}

void TFormT2::Label112Click() { openSubPage(10, ui->PPGRad); }
void TFormT2::Label111Click() { openSubPage(11, ui->PPGUH); }
void TFormT2::Label7Click() { openPage(7, ui->PKore, Table1); }
void TFormT2::Label15Click() { openPage(15, ui->PHavPD, Table3); }

bv::equipment::RadiatorResults TFormT2::ESRad(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::UnitHeaterResults TFormT2::EUHAbDagh(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::FurnaceResults TFormT2::Kore(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::ExtractFanResults TFormT2::HavaKesh(short mode)
{
    (void)mode;
    return {};
}

void TFormT2::clearSpacePages() {}
bool TFormT2::saveRadiatorPage() { return true; }
bool TFormT2::saveUnitHeaterPage() { return true; }
bool TFormT2::saveFurnacePage() { return true; }
