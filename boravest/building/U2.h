#pragma once
// Page 1 of the create-and-edit chain: the projects list and the general
// data of one project (number, name, date, city, inside design
// temperature, safety factor and the default U-values of its surfaces).
// Saving looks the city up and stores the derived air density ratio and
// ground temperature.
#include "boravest/building/EntryPage.h"
#include "ui_U2.h"

#include <QDialog>
#include <QMap>
#include <QStringList>

class QKeyEvent;

// The designer's components (Ui::TForm2) are the page's own members under
// their designer names: Panel1 and Panel2 the window and door choosers,
// Panel3 the entry panel, Panel4 the grid panel, Panel5 the command bar,
// Panel8 the inside temperature guide, de1 the project number, de4 the city
// list, Edit1 and Edit2 the city's altitude and outdoor temperature (shown
// only), De2 .. De14 the bound inputs, Label1 .. Label9 the commands.
class TForm2 : public createedit::Page, public Ui::TForm2 {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    // Air density ratio from the altitude (ft) and the outdoor design
    // temperature (F); ground temperature (F) from the outdoor temperature.
    static double Chegali(double altitudeFt, double outdoorF);
    static double Damaz(double outdoorF);
    // A minus sign anywhere in the text moves to its end ("-5" shows "5-").
    static QString signToEnd(const QString &text);
    void ConvEdit1();
    void ConvEdit2();

    // Window and door presets: code 1..13 -> caption and U text.
    static QString KindCaption(int code);
    static QString KindUValue(int code);

    // Command handlers.
    void Label1Click(); // New
    void Label2Click(); // Edit
    void Bt4Click();    // Save
    void Label6Click(); // Cancel
    void Label7Click(); // Next page
    void Label8Click(); // Previous page
    void Label9Click(); // Exit
    void FormActivate();

    // City input: look the typed city up; `askNew` leads to the city form
    // when it is not known.
    void LookUpCity(bool askNew);
    void Label42Click();

    // Window and door choosers (target 1 external window, 2 internal
    // window, 3 external door, 4 internal door).
    void OpenChooser(int target, bool byKey);
    void CloseChooser();
    void ApplyPreset(int code);
    bool chooserShown() const;

    // U-value dialog for a wall or roof input.
    void AskUValue(int kind);
    // Indoor design temperature guide.
    void ShowGuide();
    void HideGuide();

    // Material layers the U-value dialog works on for this page. While a
    // new project is being entered it has no number yet: its layers are
    // held here and stored under the number it is saved with.
    bool HoldsLayers() const;
    QStringList HeldLayers(int kind) const;
    void HoldLayers(int kind, const QStringList &texts);
    // The number the page's project is stored under.
    double LayersProject() const;

    bool entryState() const { return m_bar->entry(); }

    // The chooser button of a window or door code 1..13 (nullptr for any
    // other code).
    QRadioButton *kindButton(int code) const;

protected:
    void cancelEntry() override { Label6Click(); }
    QList<pf::db::Table *> pageTables() const override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    bool InputKeyDown(QObject *input, QKeyEvent *key);
    void setBrowse();
    void setEntry();
    bool findCity(const QString &name);
    void fillCityDisplays(bool signAtEnd);
    pf::ui::DBEdit *presetInput(int target) const;
    QString presetCodeField(int target) const;
    // Puts a text into a bound input and into its field.
    void setInputText(pf::ui::DBEdit *input, const QString &text);
    bool saveRecord(double number, int altitude, double outdoor);

    createedit::CommandBar *m_bar = nullptr;
    bool AddingProject = false;
    QString EditedProjectNumber;
    double m_editedNumber = 0;
    int PresetTarget = 0;
    bool m_inLookUp = false;
    QMap<int, QStringList> m_heldLayers;
};

extern TForm2 *Form2;
