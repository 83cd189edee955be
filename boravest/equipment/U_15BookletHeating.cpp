#include "boravest/equipment/U_15BookletHeating.h"

#include "boravest/data/UnitDm.h"
#include "boravest/equipment/U_15.h"
#include "platform/common/Numbers.h"

namespace eq = bv::sizing;

namespace bv::eqbook {

namespace {

int wholeField(const char *f) { return int(pf::roundToInt(TFormT2::recordValue(QString::fromLatin1(f)))); }

bool knownExchanger(int type) { return type == eq::ExchangerHotWater || type == eq::ExchangerSteam; }

// The project's spaces heated by the furnace, ordered by project, floor and
// unit, and within a unit in the order they were entered.
void selectFurnaceSpaces(pf::db::Query &q, double project)
{
    q.close();
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT Bankfz.Shproje,Bankfz.Shsk,Bankfz.Tabage,Bankfz.Shvahed,Bankfz.Faza,")
            << QStringLiteral("Bankfz.Codefaza,Bankfz.Ertefa,Bankfz.Ti_,Bankfz.A_,Bankfz.P_,Bankfz.Air_,")
            << QStringLiteral("Bankfz.To_,Bankfz.V_,Bankfz.Radiat,Bankfz.Modelradiat,Bankfz.V_varm,")
            << QStringLiteral("Bankfz.Q_room,Bankfz.T_UH,Bankfz.E_Kore,Bankfz.E_Rad,Bankfz.E_Hav,Bankfz.Te_Hav,")
            << QStringLiteral("Bankfz.To_Mo_Hav,Bankfz.V_Kore,Bankfz.K_Oft_F_Hav,Bankfz.CFM_Hav,Bankfz.Gh_Hav,"
                              "Bankfz.Coun_Hav ")
            << QStringLiteral("FROM Bankvh,Bankfz WHERE (Bankvh.Shproje=:shproje) ")
            << QStringLiteral("AND (Bankfz.Shproje=:shproje) ")
            << QStringLiteral("AND (Bankvh.Shproje = Bankfz.Shproje) AND (Bankvh.Shsk = Bankfz.Shsk) ")
            << QStringLiteral("AND (Bankvh.Tabage = Bankfz.Tabage) AND (Bankvh.Shvahed = Bankfz.Shvahed) "
                              "AND (Bankfz.E_Kore=1) ")
            << QStringLiteral("order by Bankfz.Shproje,Bankfz.Shsk,Bankfz.Tabage,Bankfz.Shvahed,Bankfz.No");
    q.paramByName(QStringLiteral("shproje")).setAsFloat(project);
    q.open();
}

} // namespace

void poolSection(TFormT2 &w)
{
    PoolPageInputs in;
    in.Typ_M_Est = wholeField("Typ_M_Est");
    eq::ExchangerResults m;
    eq::PumpsResults s;
    if (knownExchanger(in.Typ_M_Est)) {
        m = w.EstakhMobadel(2);
        s = w.EstakhPmpSir(2);
    }
    ReportEst->build(in, m, s);
}

void jacuzziSection(TFormT2 &w)
{
    JacuzziPageInputs in;
    in.Typ_M_Jak = wholeField("Typ_M_Jak");
    const eq::ExchangerResults m = w.JakoziMobadel(2);
    eq::PumpsResults s;
    if (knownExchanger(in.Typ_M_Jak))
        s = w.JakoziPmpSir(2);
    Report4->build(in, m, s);
}

void boilerSection(TFormT2 &w)
{
    BoilerPageInputs in;
    in.Typ_Dig = wholeField("Typ_Dig");
    Report04->build(in, w.Dig(2));
}

void furnaceSection(TFormT2 &w)
{
    Report5->build(w.Kore(2));
    selectFurnaceSpaces(*DM1->Query6, DM1->Table1->fieldByName(QStringLiteral("shproje")).asFloat());
}

} // namespace bv::eqbook
