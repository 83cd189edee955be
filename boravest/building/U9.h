#pragma once
// Page 3 of the create-and-edit chain: the spaces (rooms) of the floor and
// unit row chosen on page 2, with their design temperatures, floor area,
// appliance gain, height and air changes. Space names are kept in the shared
// name list faza.db, whose counter is the space code. Saving a space works
// out its volume and gives its surfaces its inside temperature.
#include "boravest/building/EntryPage.h"
#include "ui_U9.h"

#include <QDialog>
#include <QString>

class QKeyEvent;

// Components (Ui::TForm9, by designer name): Panel1 header, Panel2 entry
// panel, Panel3 grid panel, Panel4 command bar, Panel5 and Panel6 the
// inside temperature and air change guides, e1 the space name, DBEdit5 ..
// DBEdit10 outside and inside temperature, area, appliance gain, height and
// air changes, Label16 .. Label23 the commands.
class TForm9 : public createedit::Page, public Ui::TForm9 {
    Q_OBJECT
public:
    explicit TForm9(QWidget *parent = nullptr);

    // Volume of a space (cu.ft): the height times the floor area, both read
    // as decimal numbers ("0" followed by the text; a height of 9.5 ft is
    // 9.5), rounded to the nearest whole number with halves to the even
    // neighbour. False when a text does not convert.
    static bool SpaceVolume(const QString &heightText, const QString &areaText, double *volume);
    // The inside temperature the surfaces of a space take: the space's
    // temperature rounded to a whole number, halves to even.
    static double SurfaceInsideTemperature(double spaceTi);

    // Command handlers.
    void Label16Click(); // New
    void Label17Click(); // Edit
    void Bt4Click();     // Save
    void Label20Click(); // Cancel
    void Label21Click(); // Next page: the surfaces of the chosen space
    void Label23Click(); // Previous page
    void Label22Click(); // Exit
    // Reference guides beside the inside temperature and the air changes.
    void Label91Click();
    void Label92Click();
    void HideGuides();

    bool entryState() const { return m_bar->entry(); }

    // Working state of the page.
    bool AddingSpace = false;
    QString EditedSpaceName;

    pf::ui::HoverGroup *Hover = nullptr;

protected:
    void cancelEntry() override { Label20Click(); }
    QList<pf::db::Table *> pageTables() const override;
    void showEvent(QShowEvent *e) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    void bindData();
    bool spaceCode(const QString &name, double *code);
    bool duplicateSpace(double code);
    void repl(const QString &name, double code, double volume);

    createedit::CommandBar *m_bar = nullptr;
    bool m_bound = false;
    double m_oldCode = 0; // the code of the space being edited
    bool m_oldCodeNull = true;
    qint64 m_editedNo = 0;
};

extern TForm9 *Form9;
