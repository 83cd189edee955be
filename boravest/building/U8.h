#pragma once
// Page 2 of the create-and-edit chain: the floor-and-unit rows of the
// current project (floor number, unit number, floor height, height factor
// and the unit's safety factor). Its next page lists the spaces of the
// chosen row.
#include "boravest/building/EntryPage.h"
#include "ui_U8.h"

#include <QDialog>
#include <QString>

class QKeyEvent;

// Components (Ui::TForm8, by designer name): Label1 title, Panel1 header, Panel3 entry
// panel, Panel4 grid panel, Panel5 command bar, Panel7 height factor guide,
// Edit1 floor number, DE2 unit number, De6 height, De7 height factor, De4
// safety factor, Label16 .. Label23 the commands.
class TForm8 : public createedit::Page, public Ui::TForm8 {
    Q_OBJECT
public:
    explicit TForm8(QWidget *parent = nullptr);

    // Reads a floor number whose minus sign may stand anywhere in the text.
    // An empty text becomes "0". Without a minus sign the number is the whole
    // number of the text and the text stays. With one, the first "-" is
    // taken out; a number above 0 is negated and shown with the sign at its
    // end ("-2" and "2-" give -2 and "2-"), a 0 shows as "0". Returns false,
    // leaving both untouched, when what remains is no whole number (a second
    // minus sign, a point, a pasted word).
    static bool StrToIntmenha(QString &text, int &number);
    // A floor number as the page writes it: the sign after the digits.
    static QString floorText(int floor);
    // Leaving the floor input: its first minus sign goes to the end of the
    // text (a single blank stays as it is).
    static QString minusToEnd(const QString &text);

    // Opens the floor-and-unit rows and puts the focus on the grid.
    void FormActivate();

    // Command handlers.
    void Label16Click(); // New
    void Label17Click(); // Edit
    void Bt3Click();     // Save
    void Label20Click(); // Cancel
    void Label21Click(); // Next page: the spaces of the chosen row
    void Label23Click(); // Previous page
    void Label22Click(); // Exit
    // Height factor guide beside its input.
    void Label38Click();
    void HideGuide();

    bool entryState() const { return m_bar->entry(); }

    // Working state of the page.
    bool AddingUnit = false;
    QString EditedFloorText;
    QString EditedUnitText;

    pf::ui::HoverGroup *Hover = nullptr;

protected:
    void cancelEntry() override { Label20Click(); }
    QList<pf::db::Table *> pageTables() const override;
    void showEvent(QShowEvent *e) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    void bindData();
    void writeRow(double project, int floor, int unit);

    createedit::CommandBar *m_bar = nullptr;
    bool m_bound = false;
    // The stored key of the row being edited, so that its spaces and
    // surfaces follow a changed floor or unit number.
    double m_oldShsk = 0, m_oldFloor = 0, m_oldUnit = 0;
    bool m_oldShskNull = false;
    qint64 m_editedNo = 0;
};

extern TForm8 *Form8;
