#pragma once
// Painting a form from the colour table and setting the font names of its
// text components. Both act on existing components only (found by their
// designer names); nothing is created, shown or hidden.
#include "boravest/data/ProgramState.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

namespace pf::report {
class Report;
}

namespace bv::sidejobs {

// A component that departs from the rule of its kind. `area` -1 keeps the
// form's area; a role of -1 leaves that colour as designed.
struct ColorOverride {
    QString name;
    int area = -1;
    int backRole = -1;
    int textRole = -1;
};

struct FormColorRules {
    int area = AreaV;
    QStringList kept;       // left as designed, with everything on them
    int formBackRole = -1;  // the form's own colour; -1 as designed
    QVector<ColorOverride> overrides;
    QStringList keptOnly;   // left as designed, their content painted
    QString menuTextUnder;  // labels on this component take TextMenu
    bool comboBackOnly = false; // combo boxes keep their text colour
};

// Paints `form` and its components by kind from `colors` (25 entries).
void paintForm(QWidget *form, const int32_t *colors, const FormColorRules &rules);

// The rules of each painted form, by the name of its global ("Form2").
FormColorRules colorRulesFor(const QString &formName);

struct FormFontRules {
    QStringList titles;     // take the title font
    QStringList kept;       // keep their font (a panel keeps its whole content)
    QStringList extra;      // components of other kinds that take the screen font
};

// Sets the font name of the text components of `form`: the screen name on
// text components and grids, the title name on the title labels. An empty
// name is not applied. The captions are then fitted to their faces
// (pf::ui::fitCaptions).
void applyFonts(QWidget *form, const recordFont &fonts, const FormFontRules &rules);

FormFontRules fontRulesFor(const QString &formName);

// A stored name that is not installed is drawn in an installed Persian face
// (the title face for the title name); the name itself stays as stored.
void substituteMissingFaces(const recordFont &fonts);

struct ReportFontRules {
    QStringList titles; // take the title font
    QStringList kept;   // keep their designed font
};

// Sets the font name of a report's labels and data-bound texts: the report
// name, the title name on the title labels. An empty name is not applied.
void applyReportFonts(pf::report::Report *report, const recordFont &fonts, const ReportFontRules &rules);

// The rules of each report form, by the name of its global.
ReportFontRules reportFontRulesFor(const QString &reportName);

} // namespace bv::sidejobs
