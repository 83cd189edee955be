#include "boravest/sidejobs/SchemeApply.h"

#include "platform/report/Report.h"
#include "platform/ui/Captions.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/DbControls.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTextEdit>
#include <QWidget>

namespace bv::sidejobs {

namespace {

bool isUnder(const QWidget *w, const QWidget *form, const QStringList &names)
{
    for (const QWidget *p = w; p && p != form; p = p->parentWidget())
        if (names.contains(p->objectName()))
            return true;
    return false;
}

QColor role(const int32_t *colors, int area, int r) { return pf::ui::winColor(colors[area * 5 + r]); }

bool isPicture(const QWidget *w)
{
    const auto *l = qobject_cast<const QLabel *>(w);
    return l && !l->pixmap().isNull();
}

// Shapes are drawn frames; they keep their look like pictures do.
bool isShape(const QWidget *w) { return w->objectName().startsWith(QLatin1String("Shape")); }

// A component that is left as designed must not take the colours of a
// painted parent through palette inheritance: its designed colours are made
// its own before anything is painted (once; later schemes find them set).
void keepDesignedColors(QWidget *w)
{
    static const char *const kPinned = "bvDesignedColors";
    if (w->property(kPinned).toBool())
        return;
    QPalette p = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (QPalette::ColorRole r : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::WindowText,
                                      QPalette::Text, QPalette::ButtonText})
            p.setColor(g, r, p.color(g, r));
    w->setPalette(p);
    w->setProperty(kPinned, true);
}

void keepDesignedFont(QWidget *w)
{
    static const char *const kPinned = "bvDesignedFont";
    if (w->property(kPinned).toBool())
        return;
    QFont f = w->font();
    f.setFamily(f.family());
    w->setFont(f);
    w->setProperty(kPinned, true);
}

// Plain container widgets (a scroll box's content) draw nothing of their own.
bool isPlainContainer(const QWidget *w) { return w->metaObject() == &QWidget::staticMetaObject; }

void paint(QWidget *w, const int32_t *colors, int area, int back, int text)
{
    if (back >= 0) {
        // A label's colour shows only while it is opaque: painting it never
        // changes whether it is (the equipment menu highlights by opacity).
        const bool label = qobject_cast<QLabel *>(w) != nullptr;
        const bool opaque = w->autoFillBackground();
        pf::ui::setBackColor(w, role(colors, area, back));
        if (label)
            w->setAutoFillBackground(opaque);
    }
    if (text >= 0)
        pf::ui::setTextColor(w, role(colors, area, text));
}

// The designed roles of a component by kind; false when the kind is never painted.
bool kindRoles(QWidget *w, int &back, int &text)
{
    back = text = -1;
    if (isPicture(w) || isShape(w))
        return false;
    if (qobject_cast<QTableView *>(w)) {
        back = RoleWin;
        text = RoleText;
    } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QTextEdit *>(w)
               || qobject_cast<QPlainTextEdit *>(w)) {
        back = RoleBktext;
        text = RoleText;
    } else if (qobject_cast<QLabel *>(w) || qobject_cast<QCheckBox *>(w)) {
        text = RoleText;
    } else if (qobject_cast<QRadioButton *>(w) || qobject_cast<QListWidget *>(w)) {
        back = RoleMenu;
        text = RoleTextMenu;
    } else if (qobject_cast<QGroupBox *>(w)) {
        back = RoleMenu;
    } else if (qobject_cast<QAbstractScrollArea *>(w) || (qobject_cast<QFrame *>(w))) {
        back = RoleWin;
    } else {
        return false;
    }
    return true;
}

} // namespace

void paintForm(QWidget *form, const int32_t *colors, const FormColorRules &rules)
{
    if (!form)
        return;
    auto overrideFor = [&](const QString &name) -> const ColorOverride * {
        for (const ColorOverride &o : rules.overrides)
            if (o.name == name)
                return &o;
        return nullptr;
    };
    const QList<QWidget *> all = form->findChildren<QWidget *>();
    // First what stays as designed keeps its own colours.
    for (QWidget *w : all) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || isPlainContainer(w))
            continue;
        int back = -1, text = -1;
        const bool painted = !isUnder(w, form, rules.kept) && !rules.keptOnly.contains(name)
                             && (overrideFor(name) || kindRoles(w, back, text));
        if (!painted)
            keepDesignedColors(w);
    }
    if (rules.formBackRole >= 0)
        paint(form, colors, rules.area, rules.formBackRole, -1);
    for (QWidget *w : all) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || isUnder(w, form, rules.kept)
            || rules.keptOnly.contains(name))
            continue;
        int back = -1, text = -1;
        const ColorOverride *o = overrideFor(name);
        if (!o && !kindRoles(w, back, text))
            continue;
        int area = rules.area;
        if (o) {
            area = o->area < 0 ? rules.area : o->area;
            back = o->backRole;
            text = o->textRole;
        } else if (!rules.menuTextUnder.isEmpty() && qobject_cast<QLabel *>(w)
                   && isUnder(w->parentWidget(), form, {rules.menuTextUnder})) {
            text = RoleTextMenu;
        }
        if (rules.comboBackOnly && qobject_cast<QComboBox *>(w))
            text = -1;
        paint(w, colors, area, back, text);
        if (auto *grid = qobject_cast<QTableView *>(w)) {
            // Column titles: Bktext behind, Text in front.
            QHeaderView *h = grid->horizontalHeader();
            pf::ui::setBackColor(h, role(colors, area, RoleBktext));
            pf::ui::setTextColor(h, role(colors, area, RoleText));
        }
    }
}

FormColorRules colorRulesFor(const QString &n)
{
    auto names = [](std::initializer_list<const char *> l) {
        QStringList s;
        for (const char *x : l)
            s << QString::fromLatin1(x);
        return s;
    };
    FormColorRules r;
    if (n == QLatin1String("Form2")) {
        r.kept = names({"Panel8", "Label30", "Label75", "Label31", "Label74"});
        r.keptOnly = names({"Panel1", "Panel2"});
    } else if (n == QLatin1String("Form4")) {
        r.kept = names({"Label22", "Label23", "Label24"});
        r.keptOnly = names({"Panel1"});
        r.formBackRole = RoleMenu;
        r.overrides = {{QStringLiteral("Panel2"), -1, RoleMenu, -1},
                       {QStringLiteral("ScrollBox1"), -1, RoleMenu, -1}};
        r.menuTextUnder = QStringLiteral("ScrollBox1");
    } else if (n == QLatin1String("Form8")) {
        r.kept = names({"Panel7"});
        r.keptOnly = names({"Panel4"});
    } else if (n == QLatin1String("Form9")) {
        r.kept = names({"Panel5", "Panel6"});
        r.keptOnly = names({"Panel4"});
    } else if (n == QLatin1String("Form10")) {
        r.kept = names({"Label31", "Label94", "Label30", "Label5", "Label15", "Label42"});
        r.keptOnly = names({"Panel4", "Panel5", "Panel6"});
    } else if (n == QLatin1String("Form13")) {
        r.area = AreaG;
        r.keptOnly = names({"Panel1", "Panel4"});
        r.overrides = {{QStringLiteral("Panel2"), -1, RoleMenu, -1}};
    } else if (n == QLatin1String("Form15")) {
        r.area = AreaR;
        r.formBackRole = RoleWin;
    } else if (n == QLatin1String("ModifyAliaz")) {
        r.area = AreaJ;
        r.kept = names({"Label1"});
        r.formBackRole = RoleWin;
        r.overrides = {{QStringLiteral("DriveComboBox1"), -1, RoleWin, RoleText},
                       {QStringLiteral("DirectoryListBox1"), -1, RoleWin, RoleText}};
    } else if (n == QLatin1String("Form23")) {
        r.area = AreaG;
        r.keptOnly = names({"Panel1", "Panel4"});
        r.overrides = {{QStringLiteral("ChkBL"), -1, RoleMenu, RoleTextMenu}};
    } else if (n == QLatin1String("Form16")) {
        r.area = AreaG;
        for (const char *x : {"Panel1", "Panel5"})
            r.overrides << ColorOverride{QString::fromLatin1(x), AreaJ, RoleWin, -1};
        for (const char *x : {"Label4", "Label6"})
            r.overrides << ColorOverride{QString::fromLatin1(x), AreaJ, -1, RoleText};
    } else if (n == QLatin1String("Form17")) {
        r.area = AreaJ;
        // The left-hand menu stands on the form's black: painted in the
        // area's text colour it could not be read, so it keeps its own.
        r.kept = names({"Label15", "Label2", "Label4", "Label5", "Label9", "Label12"});
        r.keptOnly = names({"Panel6"});
        r.overrides = {{QStringLiteral("DriveComboBox1"), -1, RoleMenu, RoleTextMenu},
                       {QStringLiteral("DirectoryListBox1"), -1, RoleMenu, RoleTextMenu},
                       {QStringLiteral("Animate1"), -1, RoleWin, -1}};
    } else if (n == QLatin1String("FormT1")) {
        r.area = AreaT;
        r.overrides = {{QStringLiteral("Panel7"), -1, RoleMenu, -1}};
    } else if (n == QLatin1String("FormT2")) {
        r.area = AreaT;
        for (const char *x : {"Label2",   "Label5",   "Label6",   "Label7",   "Label8",   "Label9",   "Label10",
                              "Label11",  "Label12",  "Label13",  "Label14",  "Label15",  "Label16",  "Label18",
                              "Label19",  "Label20",  "Label67",  "Label69",  "Label71",  "Label111", "Label112",
                              "Label113", "Label124", "Label125", "Label129"})
            r.overrides << ColorOverride{QString::fromLatin1(x), -1, RoleMenu, RoleTextMenu};
        r.overrides << ColorOverride{QStringLiteral("Pic_Menu"), -1, RoleMenu, -1};
        r.comboBackOnly = true;
    }
    return r;
}

void applyFonts(QWidget *form, const recordFont &fonts, const FormFontRules &rules)
{
    if (!form)
        return;
    auto setFamily = [](QWidget *w, const QString &family) {
        if (family.isEmpty())
            return;
        QFont f = w->font();
        f.setFamily(family);
        w->setFont(f);
    };
    const QList<QWidget *> all = form->findChildren<QWidget *>();
    // A kept component inside a panel that takes the screen font keeps its own.
    for (QWidget *w : all)
        if (rules.kept.contains(w->objectName()))
            keepDesignedFont(w);
    for (QWidget *w : all) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || isUnder(w, form, rules.kept) || isPicture(w))
            continue;
        if (rules.titles.contains(name)) {
            setFamily(w, fonts.TitleFont);
            continue;
        }
        const bool text = qobject_cast<QLabel *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
                          || qobject_cast<QRadioButton *>(w) || qobject_cast<QCheckBox *>(w)
                          || qobject_cast<QListWidget *>(w) || qobject_cast<QTableView *>(w)
                          || rules.extra.contains(name);
        if (!text)
            continue;
        setFamily(w, fonts.ScreenFont);
        if (auto *grid = qobject_cast<QTableView *>(w))
            setFamily(grid->horizontalHeader(), fonts.ScreenFont);
    }
    // Each caption whole in the face it now has.
    pf::ui::fitCaptions(form);
}

FormFontRules fontRulesFor(const QString &n)
{
    auto names = [](std::initializer_list<const char *> l) {
        QStringList s;
        for (const char *x : l)
            s << QString::fromLatin1(x);
        return s;
    };
    FormFontRules r;
    if (n == QLatin1String("Form2")) {
        r.titles = names({"Label54"});
        r.kept = names({"Label34", "Label35", "Label36", "Label37", "Label38", "Label39", "Label40", "Label41",
                        "Label42", "Label73", "Panel8", "Label75", "Label74"});
    } else if (n == QLatin1String("Form4")) {
        r.kept = names({"Label22", "Label23", "Label24"});
    } else if (n == QLatin1String("Form8")) {
        r.titles = names({"Label1"});
        r.kept = names({"Label38", "Panel7"});
        r.extra = names({"Panel1", "Panel3", "Panel5"});
    } else if (n == QLatin1String("Form9")) {
        r.titles = names({"Label26"});
        r.kept = names({"Label91", "Label92", "Panel5", "Panel6"});
    } else if (n == QLatin1String("Form10")) {
        r.titles = names({"Label7"});
        r.kept = names({"Label15", "Label42", "Label30", "Label5", "Label94"});
    } else if (n == QLatin1String("Form13") || n == QLatin1String("Form23")) {
        r.titles = names({"Label3"});
    } else if (n == QLatin1String("Form17")) {
        r.titles = names({"Label13"});
        r.kept = names({"Label15"});
    } else if (n == QLatin1String("FormT1")) {
        r.titles = names({"Label253"});
        r.kept = names({"Label50"});
    } else if (n == QLatin1String("FormT2")) {
        r.titles = names({"Label253"});
        r.kept = names({"Nsokft", "NoeSakft", "Label67", "Label113", "Label129"});
    }
    return r;
}

void substituteMissingFaces(const recordFont &fonts)
{
    pf::ui::substituteMissingFace(fonts.ScreenFont, false);
    pf::ui::substituteMissingFace(fonts.ReportFont, false);
    pf::ui::substituteMissingFace(fonts.TitleFont, true);
}

void applyReportFonts(pf::report::Report *report, const recordFont &fonts, const ReportFontRules &rules)
{
    if (!report)
        return;
    auto apply = [&](pf::report::TextElement *e) {
        if (rules.kept.contains(e->name()))
            return;
        const QString &family = rules.titles.contains(e->name()) ? fonts.TitleFont : fonts.ReportFont;
        if (!family.isEmpty())
            e->font.family = family;
    };
    // Labels and data-bound texts; the page number keeps its font.
    for (pf::report::Label *l : report->elementsOf<pf::report::Label>())
        apply(l);
    for (pf::report::DBText *t : report->elementsOf<pf::report::DBText>())
        apply(t);
}

ReportFontRules reportFontRulesFor(const QString &n)
{
    auto names = [](std::initializer_list<const char *> l) {
        QStringList s;
        for (const char *x : l)
            s << QString::fromLatin1(x);
        return s;
    };
    ReportFontRules r;
    if (n == QLatin1String("Report")) {
        r.titles = names({"QRLabel6"});
        r.kept = names({"QRLabel13", "QRLabel14", "QRLabel15", "QRLabel26"});
    } else if (n == QLatin1String("Report04")) {
        r.titles = names({"QRLabel1"});
        r.kept = names({"QRLabel6", "QRLabel10", "QRLabel13", "QRLabel14", "QRLabel15"});
    } else if (n == QLatin1String("Report10")) {
        r.titles = names({"QRLabel5", "QRLabel80"});
        r.kept = names({"QRLabel28"});
    } else if (n == QLatin1String("Report11")) {
        r.titles = names({"QRLabel6"});
        r.kept = names({"QRLabel13"});
    } else if (n == QLatin1String("Report3")) {
        r.titles = names({"QRLabel55", "QRLabel61", "QRLabel26", "QRLabel20", "QRLabel69", "QRLabel6"});
    } else if (n == QLatin1String("Report4")) {
        r.titles = names({"QRLabel5"});
        r.kept = names({"QRLabel9"});
    } else if (n == QLatin1String("Report5") || n == QLatin1String("Report7") || n == QLatin1String("Report9")) {
        r.titles = names({"QRLabel6"});
    } else if (n == QLatin1String("Report6")) {
        r.titles = names({"QRLabel9"});
    } else if (n == QLatin1String("Report8")) {
        r.titles = names({"QRLabel5", "QRLabel80", "QRLabel1"});
        r.kept = names({"QRLabel32", "QRLabel34"});
    } else if (n == QLatin1String("ReportEst")) {
        r.titles = names({"QRLabel5"});
        r.kept = names({"QRLabel7"});
    } else if (n == QLatin1String("Report2")) {
        r.titles = names({"QRLabel55", "QRLabel61", "QRLabel26", "QRLabel69", "QRLabel6", "QRLabel73", "QRLabel8",
                          "QRLabel93"});
    }
    return r;
}

} // namespace bv::sidejobs
