#include "boravest/app/Forms.h"

#include "boravest/building/RepUnit2.h"
#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U5.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/app/U1.h"
#include "boravest/app/U12.h"
#include "boravest/app/U3.h"
#include "boravest/app/UModifyAliaz.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/RepUnit.h"
#include "boravest/eqbook/RepUnit04.h"
#include "boravest/eqbook/RepUnit10.h"
#include "boravest/eqbook/RepUnit11.h"
#include "boravest/eqbook/RepUnit3.h"
#include "boravest/eqbook/RepUnit4.h"
#include "boravest/eqbook/RepUnit5.h"
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "boravest/eqbook/RepUnit8.h"
#include "boravest/eqbook/RepUnit9.h"
#include "boravest/eqbook/RepUnitEst.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UFHelp.h"
#include "boravest/help/UHelp.h"
#include "boravest/help/Usokhan.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "boravest/sidejobs/Ureport2.h"

#include "platform/ui/Application.h"
#include "platform/ui/Captions.h"

#include <QPointer>
#include <vector>

namespace {
std::vector<QPointer<QObject>> g_created;

template <class T, class G> void make(G *&global)
{
    global = new T();
    g_created.emplace_back(global);
}
} // namespace

void CreateAllForms()
{
    // An error that escapes an event handler half way through a write: the
    // write is undone and the data folder closed; the main window opens it
    // again when it is next active.
    pf::ui::setEscapedErrorHook([] {
        if (!DM1 || !DM1->Database1->inTransaction())
            return QString();
        DM1->Database1->close();
        return QStringLiteral("تغييرات نيمه كاره ذخيره نشد و پوشه داده ها بسته شد");
    });
    // The main window first; the data module tenth, so nothing the first
    // nine forms do while they are made may use it.
    make<TForm1>(Form1);
    make<TForm2>(Form2);
    make<TForm3>(Form3);
    make<TForm4>(Form4);
    make<TForm5>(Form5);
    make<TForm8>(Form8);
    make<TForm9>(Form9);
    make<TForm10>(Form10);
    make<TForm11>(Form11);
    make<TDM1>(DM1);
    make<TForm12>(Form12);
    make<TReport3>(Report3);
    make<TForm23>(Form23);
    make<TForm17>(Form17);
    make<TFormT1>(FormT1);
    make<TForm15>(Form15);
    make<TForm16>(Form16);
    make<TFormT2>(FormT2);
    make<TReport2>(Report2);
    make<TReport10>(Report10);
    make<TReport7>(Report7);
    make<TReport>(Report);
    make<TReport9>(Report9);
    make<TReport6>(Report6);
    make<TReport4>(Report4);
    make<TReport11>(Report11);
    make<TReport8>(Report8);
    make<TReport5>(Report5);
    make<TForm13>(Form13);
    make<TReport04>(Report04);
    make<TReportEst>(ReportEst);
    make<TModifyAliaz>(ModifyAliaz);
    make<TFormColor>(FormColor);
    make<TFormFont>(FormFont);
    make<TSokhan>(Sokhan);
    make<TFormHelp>(FormHelp);
    make<TFHelp>(FHelp);
    FitCaptionsOfAllForms();
}

QList<QWidget *> CreatedForms()
{
    QList<QWidget *> forms;
    for (const QPointer<QObject> &o : g_created)
        if (auto *w = qobject_cast<QWidget *>(o.data()))
            forms << w;
    return forms;
}

void FitCaptionsOfAllForms()
{
    for (QWidget *form : CreatedForms())
        pf::ui::fitCaptions(form);
}

void DestroyAllForms()
{
    pf::ui::setEscapedErrorHook(nullptr);
    // In reverse order of creation; the globals are cleared first so that
    // nothing reaches a form that is going.
    Form1 = nullptr;
    ProgramServices = nullptr;
    Form2 = nullptr; Form3 = nullptr; Form4 = nullptr; Form5 = nullptr; Form8 = nullptr; Form9 = nullptr;
    Form10 = nullptr; Form11 = nullptr; DM1 = nullptr; Form12 = nullptr; Report3 = nullptr; Form23 = nullptr;
    Form17 = nullptr; FormT1 = nullptr; Form15 = nullptr; Form16 = nullptr; FormT2 = nullptr; Report2 = nullptr;
    Report10 = nullptr; Report7 = nullptr; Report = nullptr; Report9 = nullptr; Report6 = nullptr; Report4 = nullptr;
    Report11 = nullptr; Report8 = nullptr; Report5 = nullptr; Form13 = nullptr; Report04 = nullptr; ReportEst = nullptr;
    ModifyAliaz = nullptr; FormColor = nullptr; FormFont = nullptr; Sokhan = nullptr; FormHelp = nullptr; FHelp = nullptr;
    for (auto it = g_created.rbegin(); it != g_created.rend(); ++it)
        delete it->data();
    g_created.clear();
}
