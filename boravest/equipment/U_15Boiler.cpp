// Boiler, burner, pool and jacuzzi exchanger pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PDig.h"
#include "ui_U_15PEMsh.h"
#include "ui_U_15PEsMo.h"
#include "ui_U_15PJakoziMo.h"

void TFormT2::setUpBoilerPages()
{
    uiDig = std::make_unique<Ui::PDigPage>();
    uiDig->setupUi(ui->PDig);
    uiEMsh = std::make_unique<Ui::PEMshPage>();
    uiEMsh->setupUi(ui->PEMsh);
    uiEsMo = std::make_unique<Ui::PEsMoPage>();
    uiEsMo->setupUi(ui->PEsMo);
    uiJakoziMo = std::make_unique<Ui::PJakoziMoPage>();
    uiJakoziMo->setupUi(ui->PJakoziMo);
}

void TFormT2::Label6Click() { openPage(6, ui->PDig); }
void TFormT2::Label10Click() { openPage(10, ui->PEMsh); }
void TFormT2::Label125Click() { openSubPage(3, ui->PEsMo); }
void TFormT2::Label71Click() { openSubPage(5, ui->PJakoziMo); }

bv::equipment::BoilerResults TFormT2::Dig(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::BurnerResults TFormT2::EntMashal(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::ExchangerResults TFormT2::EstakhMobadel(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::ExchangerResults TFormT2::JakoziMobadel(short mode)
{
    (void)mode;
    return {};
}

void TFormT2::clearBoilerPages() {}
bool TFormT2::saveBoilerPage() { return true; }
bool TFormT2::saveBurnerPage() { return true; }
bool TFormT2::savePoolExchangerPage() { return true; }
bool TFormT2::saveJacuzziExchangerPage() { return true; }
bool TFormT2::poolPresent() const { return false; }
bool TFormT2::jacuzziPresent() const { return false; }
