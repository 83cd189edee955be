#include "boravest/sidejobs/UFont.h"

#include "ui_UFont.h"

#include "boravest/building/RepUnit2.h"
#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/SchemeStore.h"
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
#include "boravest/sidejobs/SchemeApply.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"
#include "platform/ui/Dialogs.h"

#include <QFontDialog>

#include <concepts>
#include <QKeyEvent>

TFormFont *FormFont = nullptr;

std::function<std::optional<QFont>(const QFont &, QWidget *)> TFormFont::PickFont =
    [](const QFont &initial, QWidget *parent) -> std::optional<QFont> {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
};

namespace {

// The report of a report form: its QuickRep1, held as a member, a pointer or
// an owning pointer; none while the form carries no report yet.
template <class F> pf::report::Report *reportOf(F *form)
{
    if (!form)
        return nullptr;
    if constexpr (requires { { &form->QuickRep1 } -> std::convertible_to<pf::report::Report *>; })
        return &form->QuickRep1;
    else if constexpr (requires { { form->QuickRep1 } -> std::convertible_to<pf::report::Report *>; })
        return form->QuickRep1;
    else if constexpr (requires { { form->QuickRep1.get() } -> std::convertible_to<pf::report::Report *>; })
        return form->QuickRep1.get();
    else
        return nullptr;
}

} // namespace

TFormFont::TFormFont(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormFont>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormFont"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::Tool);
    setFixedSize(495, 315);
    connect(ui->Button1, &QPushButton::clicked, this, &TFormFont::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TFormFont::Button2Click);
    connect(ui->Button6, &QPushButton::clicked, this, &TFormFont::Button6Click);
    connect(ui->Button5, &QPushButton::clicked, this, &TFormFont::Button5Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TFormFont::Button3Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TFormFont::Button4Click);
    for (QLineEdit *e : {ui->Edit1, ui->Edit2, ui->Edit3})
        e->installEventFilter(this);
}

TFormFont::~TFormFont() = default;

bool TFormFont::eventFilter(QObject *o, QEvent *e)
{
    // A "." empties the (read-only) name box.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->text() == QLatin1String(".")) {
        if (auto *edit = qobject_cast<QLineEdit *>(o)) {
            edit->clear();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormFont::showEvent(QShowEvent *e)
{
    const std::pair<QLineEdit *, QString> boxes[] = {
        {ui->Edit1, ProgramFonts.ScreenFont}, {ui->Edit2, ProgramFonts.ReportFont}, {ui->Edit3, ProgramFonts.TitleFont}};
    for (const auto &[edit, name] : boxes) {
        if (edit->text().isEmpty())
            edit->setText(name);
        if (!edit->text().isEmpty()) {
            QFont f = edit->font();
            f.setFamily(edit->text());
            edit->setFont(f);
        }
    }
    QDialog::showEvent(e);
}

void TFormFont::pickInto(QLineEdit *edit)
{
    const std::optional<QFont> f = PickFont(edit->font(), this);
    if (!f)
        return;
    edit->setText(f->family());
    QFont shown = edit->font();
    shown.setFamily(f->family());
    edit->setFont(shown);
}

void TFormFont::Button1Click() { pickInto(ui->Edit1); }
void TFormFont::Button2Click() { pickInto(ui->Edit2); }
void TFormFont::Button6Click() { pickInto(ui->Edit3); }

void TFormFont::Button5Click()
{
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    // An empty box keeps the name in force. The names take effect once
    // they are stored: a save that fails changes nothing.
    recordFont fonts = ProgramFonts;
    if (!ui->Edit1->text().isEmpty())
        fonts.ScreenFont = ui->Edit1->text();
    if (!ui->Edit2->text().isEmpty())
        fonts.ReportFont = ui->Edit2->text();
    if (!ui->Edit3->text().isEmpty())
        fonts.TitleFont = ui->Edit3->text();
    try {
        bv::data::stores::saveFontScheme(*DM1->Database1, fonts);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    ProgramFonts = fonts;
}

void TFormFont::Button3Click() { EamalFont(); }
void TFormFont::Button4Click() { close(); }

void TFormFont::EamalFont()
{
    using namespace bv::sidejobs;
    substituteMissingFaces(ProgramFonts);
    const struct {
        QWidget *form;
        const char *name;
    } forms[] = {{Form2, "Form2"},   {Form4, "Form4"},   {Form8, "Form8"},   {Form9, "Form9"},
                 {Form10, "Form10"}, {Form13, "Form13"}, {Form16, "Form16"}, {Form17, "Form17"},
                 {Form23, "Form23"}, {FormT1, "FormT1"}, {FormT2, "FormT2"}};
    for (const auto &f : forms)
        if (f.form)
            applyFonts(f.form, ProgramFonts, fontRulesFor(QLatin1String(f.name)));

    const struct {
        pf::report::Report *report;
        const char *name;
    } reports[] = {{reportOf(Report), "Report"},       {reportOf(Report04), "Report04"},
                   {reportOf(Report10), "Report10"},   {reportOf(Report11), "Report11"},
                   {reportOf(Report3), "Report3"},     {reportOf(Report4), "Report4"},
                   {reportOf(Report5), "Report5"},     {reportOf(Report6), "Report6"},
                   {reportOf(Report7), "Report7"},     {reportOf(Report8), "Report8"},
                   {reportOf(Report9), "Report9"},     {reportOf(ReportEst), "ReportEst"},
                   {reportOf(Report2), "Report2"}};
    for (const auto &r : reports)
        applyReportFonts(r.report, ProgramFonts, reportFontRulesFor(QLatin1String(r.name)));
}
