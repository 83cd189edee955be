#include "boravest/equipment/U_15BookletDistribution.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "boravest/eqbook/RepUnit8.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/common/Numbers.h"
#include "platform/ui/Dialogs.h"

namespace bv::eqbook {

namespace {

int wholeField(const char *f) { return int(pf::roundToInt(TFormT2::recordValue(QString::fromLatin1(f)))); }

// The spaces of the current project (and their floor and unit rows) chosen
// by `condition`, ordered by project, floor and unit.
void selectSpaces(pf::db::Query *q, const QString &condition)
{
    q->close();
    q->sql().clear();
    q->sql() << QStringLiteral("SELECT Bankfz.Shproje, Bankfz.Shsk, Bankfz.Tabage, Bankfz.Shvahed, Bankfz.Faza, "
                               "Bankfz.Codefaza, Bankfz.Ertefa, Bankfz.Ti_, Bankfz.A_, Bankfz.P_, Bankfz.Air_, "
                               "Bankfz.To_, Bankfz.V_, Bankfz.Radiat, Bankfz.Modelradiat, Bankfz.V_varm, "
                               "Bankfz.Q_room,")
             << QStringLiteral("Bankfz.T_UH, Bankfz.E_Kore, Bankfz.E_Rad, Bankfz.E_Hav, Bankfz.Te_Hav, "
                               "Bankfz.To_Mo_Hav, Bankfz.V_Kore, Bankfz.K_Oft_F_Hav, Bankfz.CFM_Hav, Bankfz.Gh_Hav, "
                               "Bankfz.Coun_Hav")
             << QStringLiteral("FROM Bankvh,Bankfz WHERE (Bankvh.Shproje=:project)")
             << QStringLiteral("AND  (Bankfz.Shproje=:project) AND (Bankvh.Shproje = Bankfz.Shproje)")
             << QStringLiteral("AND  (Bankvh.Shsk = Bankfz.Shsk) AND (Bankvh.Tabage = Bankfz.Tabage)")
             << QStringLiteral("AND  (Bankvh.Shvahed = Bankfz.Shvahed) AND ") + condition
             << QStringLiteral("order by Bankfz.Shproje, Bankfz.Shsk, Bankfz.Tabage, Bankfz.Shvahed");
    q->paramByName(QStringLiteral("project"))
        .setAsFloat(DM1->Table1->fieldByName(QStringLiteral("Shproje")).asFloat());
    q->open();
}

QString text(pf::db::Query *q, const char *f) { return q->fieldByName(QString::fromLatin1(f)).asString(); }
int whole(pf::db::Query *q, const char *f) { return q->fieldByName(QString::fromLatin1(f)).asInteger(); }

} // namespace

void radiatorSection(TFormT2 &w)
{
    const bv::sizing::RadiatorResults r = w.ESRad(2);
    RadiatorPageInputs in;
    in.S_R_PG_R = wholeField("S_R_PG_R");
    pf::db::Query *q = DM1->Query3;
    selectSpaces(q, QStringLiteral("(Bankfz.E_Rad=1)"));
    for (q->first(); !q->eof(); q->next())
        in.records.push_back({whole(q, "Tabage"), text(q, "Radiat"), text(q, "Modelradiat")});
    q->first();
    Report6->build(in, r);
}

void unitHeaterSection(TFormT2 &w)
{
    w.EUHAbDagh(2);
    if (!ReportSections[10])
        return;
    pf::db::Query *q = DM1->Query4;
    selectSpaces(q, QStringLiteral("(Bankfz.T_UH>0)"));
    std::vector<UnitHeaterSpaceRecord> records;
    for (q->first(); !q->eof(); q->next())
        records.push_back({whole(q, "Tabage"), text(q, "T_UH"), text(q, "Radiat"), text(q, "Modelradiat")});
    q->first();
    if (Report7->build(records))
        pf::ui::showMessage(QString::fromUtf8(TReport7::kMsgUnrealData));
}

void expansionTankSection(TFormT2 &w)
{
    ExpansionTankPageInputs in;
    in.T_L_Baz = wholeField("T_L_Baz");
    in.W_L_Baz = TFormT2::recordText(QStringLiteral("W_L_Baz"));
    in.Typ_ME = wholeField("Typ_ME");
    in.ErtefaS = wholeField("ErtefaS");
    const bv::sizing::ExpansionTankResults r = w.MEnBaz(2);
    Report8->buildExpansionTank(in, r);
}

void burnerSection(TFormT2 &w)
{
    const bv::sizing::BurnerResults r = w.EntMashal(2);
    Report8->buildBurner(wholeField("TySo"), r);
}

void chimneySection(TFormT2 &w) { Report8->buildChimney(w.PrDodkesh(2)); }

} // namespace bv::eqbook
