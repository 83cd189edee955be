// Chimney, expansion tank, collectors and risers, softener pages.
#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PDodkesh.h"
#include "ui_U_15PMEBaz.h"
#include "ui_U_15PGhRvK.h"
#include "ui_U_15PSakhGir.h"

void TFormT2::setUpPlantPages()
{
    uiDodkesh = std::make_unique<Ui::PDodkeshPage>();
    uiDodkesh->setupUi(ui->PDodkesh);
    uiMEBaz = std::make_unique<Ui::PMEBazPage>();
    uiMEBaz->setupUi(ui->PMEBaz);
    uiGhRvK = std::make_unique<Ui::PGhRvKPage>();
    uiGhRvK->setupUi(ui->PGhRvK);
    uiSakhGir = std::make_unique<Ui::PSakhGirPage>();
    uiSakhGir->setupUi(ui->PSakhGir);
}

void TFormT2::Label12Click() { openPage(12, ui->PDodkesh); }
void TFormT2::Label9Click() { openPage(13, ui->PMEBaz); }
void TFormT2::Label11Click() { openPage(11, ui->PGhRvK, Table2); }
void TFormT2::Label14Click() { openPage(14, ui->PSakhGir); }

bv::equipment::ChimneyResults TFormT2::PrDodkesh(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::ExpansionTankResults TFormT2::MEnBaz(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::CollectorsResults TFormT2::GhKlvRz(short mode)
{
    (void)mode;
    return {};
}

bv::equipment::SoftenerResults TFormT2::SakhGir(short mode)
{
    (void)mode;
    return {};
}

void TFormT2::clearPlantPages() {}
bool TFormT2::saveChimneyPage() { return true; }
bool TFormT2::saveExpansionTankPage() { return true; }
bool TFormT2::saveSoftenerPage() { return true; }
QString TFormT2::convert_sk(int floor) { return bv::equipment::convertSk(floor); }
