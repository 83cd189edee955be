// Pool and jacuzzi pump pages, the circulation pump page and its fittings grid.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PEsSir.h"
#include "ui_U_15PJakoziSir.h"
#include "ui_U_15PPSiS.h"

void TFormT2::setUpPumpPages()
{
    uiEsSir = std::make_unique<Ui::PEsSirPage>();
    uiEsSir->setupUi(ui->PEsSir);
    uiJakoziSir = std::make_unique<Ui::PJakoziSirPage>();
    uiJakoziSir->setupUi(ui->PJakoziSir);
    uiPSiS = std::make_unique<Ui::PPSiSPage>();
    uiPSiS->setupUi(ui->PPSiS);
}

void TFormT2::Label124Click() { openSubPage(4, ui->PEsSir); }
void TFormT2::Label69Click() { openSubPage(6, ui->PJakoziSir); }
void TFormT2::Label13Click() { openPage(9, ui->PPSiS); }

bv::equipment::PumpsResults TFormT2::EstakhPmpSir(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::PumpsResults TFormT2::JakoziPmpSir(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::CirculationPumpResults TFormT2::PmpSir(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::FittingsLength TFormT2::MoTMEtvSh(short mode)
{
    (void)mode;
    return {};
}

void TFormT2::clearPumpPages() {}
bool TFormT2::savePoolPumpsPage() { return true; }
bool TFormT2::saveJacuzziPumpsPage() { return true; }
bool TFormT2::saveCirculationPumpPage() { return true; }
