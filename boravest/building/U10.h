#pragma once
// Page 4, the last of the create-and-edit chain: the surfaces (walls,
// windows, doors, roofs and floors) of the space chosen on page 3, with
// their kind, state, direction or ceiling type, areas, U-values and the
// temperature on their far side. U-values come from the project's presets,
// from the window and door type panels, or from the material-layers dialog.
#include "boravest/building/EntryPage.h"
#include "boravest/building/UValue.h"
#include "ui_U10.h"

#include <QDialog>
#include <QString>

class QKeyEvent;

// The rules of the surfaces page that need no widget and no table.
namespace surfaces {

// Indexes of the five choice lists; -1 is "nothing chosen".
struct Lists {
    int kind = -1;       // 0 wall, 1 window, 2 door, 3 roof, 4 floor
    int state = -1;      // 0 internal, 1 external
    int direction = -1;  // 0 N, 1 S, 2 E, 3 W, 4 NE, 5 NW, 6 SE, 7 SW
    int ceiling = -1;    // 0 normal, 1 false ceiling
    int floorState = -1; // 0 on the ground, 1 off the ground
};

// What the entry panel shows for a kind and state.
struct Controls {
    bool temperatureOnTi = false; // the temperature input shows Ti_, else To_
    bool stateShown = true, stateEnabled = true;
    bool floorStateShown = false;
    bool directionShown = true, directionEnabled = true;
    bool ceilingShown = false, ceilingEnabled = false;
    QString directionCaption; // caption of the direction or ceiling list
    bool uShown = true;       // U-value input, its captions and button
    bool falseCeilingShown = false;
    bool perimeterShown = false;
};

// The kind-and-state rule, run whenever the kind, state, ceiling-type or
// floor-state list changes and when a row is opened for editing. The
// temperature binding is decided first, from the lists as they are; then
// unchosen lists take their defaults (no kind: wall; no state: internal;
// an external roof without ceiling type: normal; a floor without state:
// off the ground) and an internal roof loses its ceiling type.
Controls arrange(Lists &lists);

// The kind words as stored in `Jedare`, by kind index ("" for none).
QString kindWord(int kind);

// The project's default U-values (Bank1.DB).
struct ProjectU {
    double VAL_K = 0, VAL_D = 0, Win_K = 0, Win_D = 0, DOR_K = 0, DOR_D = 0, Sakf_K = 0, Sakf_D = 0;
};
// The U-values a new surface takes from the project for its lists.
struct Preset {
    bool hasZ1 = false;
    double Z_1 = 0;
    bool hasZ2 = false;
    double Z_2 = 0;
};
Preset preset(const Lists &lists, const ProjectU &project);

// The codes a surface is saved with, from the lists as the panel shows them.
struct Codes {
    int kind = -1;
    QString word;
    int state = -1;
    int direction = -1;
};
Codes codes(const Lists &lists, const Controls &shown);

// The material-layers dialog for the U-value input: the surface kind code
// and the heading of the dialog; kind 0 when the surface has no such
// dialog (windows and doors have type panels, a floor on the ground no U).
struct LayersRequest {
    int kind = 0;
    QString heading;
};
LayersRequest layersRequest(const Lists &lists);

// Window and door types: the U-value of each choice (0-based) and the
// choice a U-value text preselects (the first whose text equals it; the
// first choice when none does).
double windowU(int choice);
double doorU(int choice);
int windowChoiceFor(const QString &uText);
int doorChoiceFor(const QString &uText);
constexpr int kWindowChoices = building::kLastWindowType - building::kFirstWindowType + 1;
constexpr int kDoorChoices = building::kLastDoorType - building::kFirstDoorType + 1;

} // namespace surfaces

// Components (Ui::TForm10, by designer name): Panel1 header, Panel2 entry
// panel, Panel3 grid panel, Panel4 command bar, Panel5 and Panel6 the window
// and door types, ComboBox1 .. ComboBox5 kind, state, direction, ceiling
// type and floor state, DE1 area, de2 far-side temperature, de3 U-value,
// de4 .. de6 false ceiling area, temperature and U, DE7 perimeter of a floor
// on the ground, Label3 the direction or ceiling caption.
class TForm10 : public createedit::Page, public Ui::TForm10 {
    Q_OBJECT
public:
    explicit TForm10(QWidget *parent = nullptr);

    // Showing the page: the surfaces of the space in kind, state and
    // direction order, in browse.
    void FormShow();

    // Command handlers.
    void Label16Click(); // New
    void Label17Click(); // Edit
    void Label19Click(); // Save
    void Label20Click(); // Cancel
    void Label23Click(); // Previous page
    void Label21Click(); // Main page: closes the whole chain
    void Label22Click(); // Exit

    // A list changed by the user: the kind-and-state rule and, on a new
    // row, the project's U-values.
    void ListChanged();
    // U-value button or F5: the type panel of a window or door, else the
    // material-layers dialog.
    void Label15Click();
    // False-ceiling U-value button or F5 in its input.
    void Label42Click();
    // Type panels: open, apply a choice, close.
    void OpenTypePanel(bool door);
    void ApplyChoice(int choice, bool close);
    void CloseTypePanel();
    bool typePanelShown() const;

    bool entryState() const { return m_bar->entry(); }
    surfaces::Lists lists() const;
    const surfaces::Controls &controls() const { return m_controls; }
    // The field the temperature input shows ("Ti_" or "To_").
    QString temperatureField() const { return m_tempField; }

    // Page state.
    bool NewRecord = false;
    int StartKind = -1, StartState = -1, StartDirection = -1;

    // The type choice i: windows 0 .. 2, then doors (nullptr outside).
    QRadioButton *choiceButton(int i) const;
    pf::ui::HoverGroup *Hover = nullptr;

protected:
    void cancelEntry() override { Label20Click(); }
    QList<pf::db::Table *> pageTables() const override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    void bindData();
    void setBrowse();
    void setLists(const surfaces::Lists &l);
    void applyControls();
    void applyPreset();
    void showTemperature();
    void askLayers(int kind, const QString &heading, const QString &target, const QString &field);
    void writeRow(const surfaces::Codes &c);
    int choiceOf(QObject *button) const;

    createedit::CommandBar *m_bar = nullptr;
    bool m_bound = false;
    bool m_settingLists = false;
    bool m_doorPanel = false;
    surfaces::Controls m_controls;
    QString m_tempField = QStringLiteral("To_");
    QList<QWidget *> m_uWidgets, m_falseCeilingWidgets, m_perimeterWidgets;
};

extern TForm10 *Form10;
