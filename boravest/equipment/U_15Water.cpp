// Main water branch, hot-water tanks and the pressure tank pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PMADoJ.h"
#include "ui_U_15PTankTF.h"

void TFormT2::setUpWaterPages()
{
    uiMADoJ = std::make_unique<Ui::PMADoJPage>();
    uiMADoJ->setupUi(ui->PMADoJ);
    uiTankTF = std::make_unique<Ui::PTankTFPage>();
    uiTankTF->setupUi(ui->PTankTF);
}

void TFormT2::Label19Click() { openPage(2, ui->PMADoJ); }
void TFormT2::Label20Click() { openPage(3, ui->PTankTF); }

bv::equipment::WaterMeterResults TFormT2::SizeKontor(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::HotWaterDemand TFormT2::MaxMAbGVBeh()
{
    return {};
}

bv::equipment::HotWaterTankResults TFormT2::MAbGMDJedar(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::HotWaterTankResults TFormT2::KAbDagh(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::HotWaterTankResults TFormT2::MAKB(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::PressureTankResults TFormT2::TankTF(short mode)
{
    (void)mode;
    return {};
}

void TFormT2::ComboBox8Change() {}
void TFormT2::clearWaterPages() {}
bool TFormT2::saveHotWaterTankPage() { return true; }
bool TFormT2::savePressureTankPage() { return true; }
int TFormT2::uiComboBox8Index() const { return -1; }
