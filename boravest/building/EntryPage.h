#pragma once
// What the four create-and-edit pages (general data, floors and units,
// spaces, surfaces) share: the command bar with its browse and entry states
// and the keys every page answers alike, the help and calculator keys, the
// exit question, captions written colon first, and the reading of number
// texts, a text that is no number refused with the inputs' own message.
#include "platform/ui/Keys.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>

class QAbstractItemView;
class QKeyEvent;
class QLineEdit;
class QWidget;
namespace pf::db {
class DataSource;
class Table;
} // namespace pf::db
namespace pf::ui {
class ClickLabel;
class DBEdit;
class HoverGroup;
} // namespace pf::ui

namespace createedit {

// ---------------------------------------------------------------- keys

// F1: the user guide at its create-and-edit topic.
void showUserGuide();
// F10: the glossary; F11: the unit conversion table.
void showGlossary();
void showUnitTable();
// F12: the external calculator of the data folder, waited for. A program
// that cannot be started is reported on `page`.
void runCalculator(QWidget *page);
// The exit question of the confirmation form (yes ends the program).
void askExit();

// ---------------------------------------------------------------- tables

// An input bound to a field of a data source.
struct Binding {
    pf::ui::DBEdit *edit;
    const char *field;
};
// The inputs of the page's own row.
void bindInputs(pf::db::DataSource *source, std::initializer_list<Binding> inputs);
// The header strip: the rows the page's rows belong to, read only.
void bindHeader(pf::db::DataSource *source, std::initializer_list<Binding> inputs);

// Opens the table unless it is open; a failure is shown on `page` and
// gives false.
bool openTable(QWidget *page, pf::db::Table *table);
// Next page: its table opened, then the page shown modally. A table that
// cannot be opened is reported and no page opens (false).
bool showNextPage(QWidget *page, pf::db::Table *table, QWidget *next);

// ---------------------------------------------------------------- looks

// Colour of the command labels at rest: the create-and-edit text colour.
QColor restColor();

// ---------------------------------------------------------------- numbers

// What a number input of these pages answers to a refused key.
QString numberRefusal();
// Number inputs: digits and the `extra` characters, refused with
// numberRefusal(), and no more than `maxChars` characters (what the input
// shows; 0 no limit).
void filterNumbers(std::initializer_list<QWidget *> inputs, pf::ui::NumberChars extra, int maxChars = 0);

// The whole number of "0" followed by the text, the "0" after a sign in
// front ("" reads 0, "007" 7, "-5" -5); false for anything else ("1.5",
// "-", "--", a pasted word).
bool wholeOf(const QString &text, int *out);
// The decimal number of "0" followed by the text, the same way (".5" reads
// 0.5, "-.5" -0.5; "." and "-." are no number).
bool decimalOf(const QString &text, double *out);
// The text of a bound number input converts (an empty input is allowed).
bool numberText(const QString &text);

// A save refused: the message, then the focus on the input at fault (none
// for a range or duplicate message).
void refuse(QWidget *page, QWidget *input, const QString &message);
// An input's text (as pf::ui::numberText reads it: a sign at its end counts
// in front) read as wholeOf / decimalOf; a text that does not convert is
// refused with the inputs' own message, numberRefusal().
bool readWhole(QWidget *page, QLineEdit *input, int *out);
bool readDecimal(QWidget *page, QLineEdit *input, double *out);
// An input read as a decimal number just as it stands; refused the same way.
bool readNumber(QWidget *page, QLineEdit *input, double *out);
// Every input's text converts (numberText). The first that does not is
// refused the same way, the focus going to it when it is shown.
bool numbersConvert(QWidget *page, std::initializer_list<QLineEdit *> inputs);

// ---------------------------------------------------------------- command bar

// One command of the bar: its label and what a click (or its key) runs.
struct Command {
    pf::ui::ClickLabel *label = nullptr;
    std::function<void()> run;
};

// The command bar of a page and its two states. Browse: grid panel
// enabled, entry panel hidden, New, Edit, Next page, Previous page and Exit
// enabled, Save and Cancel disabled. Entry: grid panel disabled, entry
// panel shown, only Save and Cancel enabled. A click on a label runs its
// command; the labels follow the hover convention.
class CommandBar : public QObject {
public:
    struct Commands {
        Command add, edit, save, cancel;
        Command next; // on the last page: back to the main window
        Command previous, exit;
    };

    // `alsoHovered`: labels of the bar that hover with the others but carry
    // no command (a delete label kept hidden).
    CommandBar(QWidget *page, QWidget *gridPanel, QWidget *entryPanel, Commands commands,
               const QList<pf::ui::ClickLabel *> &alsoHovered = {});

    bool entry() const { return m_entry; }
    // The grid is there to choose from: its panel enabled and no entry open.
    bool browsingGrid() const;
    void setBrowse();
    void setEntry();
    pf::ui::HoverGroup *hover() const { return m_hover; }

    // A double click on the grid while browsing: Edit.
    void editOnDoubleClick(QAbstractItemView *grid);

    // The keys every page answers alike (the page sees them first and
    // handles its own panels and guides before):
    //   Enter   while browsing the grid: Edit
    //   Insert  while New is enabled: New
    //   F2, F3, F4  while their command is enabled: Save, Next, Previous
    //   Esc     Exit while it is enabled, else Cancel
    //   F1, F10, F11, F12  user guide, glossary, unit table, calculator
    // Returns whether the key was used.
    bool keyDown(QKeyEvent *key);

private:
    void setCommands(bool browse);
    static void runIfEnabled(const Command &c);

    QWidget *m_page;
    QWidget *m_gridPanel;
    QWidget *m_entryPanel;
    Commands m_c;
    pf::ui::HoverGroup *m_hover = nullptr;
    bool m_entry = false;
};

// ---------------------------------------------------------------- page

// A page of the chain. However it closes (Previous page, Main page, its
// close box), an open entry is cancelled and the tables the page opened
// are closed first.
class Page : public QDialog {
public:
    using QDialog::QDialog;
    void done(int r) override;

protected:
    // The page's Cancel command.
    virtual void cancelEntry() = 0;
    // The tables the page opened.
    virtual QList<pf::db::Table *> pageTables() const = 0;
};

} // namespace createedit
