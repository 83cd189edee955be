#pragma once
// The main window: start-up, activation, shut-down, and the program-wide
// state the other forms share (colours, fonts, delete level, the U-value
// request and the plan rotation).
#include "boravest/building/PlanRotation.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <stdexcept>

class QAction;
class QLabel;
class QMenuBar;
namespace pf::db {
class Table;
}

// Five areas (create and edit, equipment, reports, side jobs, help) by five
// roles (window, input box, text, menu, menu text); entry = area * 5 + role.
// Stored as Windows colours: red in the low byte.
enum ColorArea { AreaV = 0, AreaT = 1, AreaG = 2, AreaJ = 3, AreaR = 4 };
enum ColorRole { RoleWin = 0, RoleBktext = 1, RoleText = 2, RoleMenu = 3, RoleTextMenu = 4 };
extern int32_t AreaColors[25];

struct recordFont {
    QString ScreenFont; // screen pages
    QString ReportFont; // report pages
    QString TitleFont;  // one title label per form
};
extern recordFont ProgramFonts;

// 1 project, 2 floor, 3 unit, 4 space, 5 wall.
extern int DeleteLevel;

// How a page asks the U-value dialog for a U-value.
struct TUValueRequest {
    QString CallerName; // "Form2" or "Form10" (up to 12 characters)
    QString TargetName; // the caller's input that receives U (up to 10)
    int8_t Kind = 0;    // surface kind 1..5
    uint8_t Key = 0;    // 13 Enter, 27 Esc
    double U = 0;       // Btu/h.sq.ft.F, 3 decimals
};
extern TUValueRequest UValueRequest;

// The folder of the executable, ending in a separator; tests may move it.
QString ProgramFolder();
void SetProgramFolder(const QString &folder);

// The registry key and value that hold the data folder.
extern const char *const kRegistryKey;   // "Software\\Boravest"
extern const char *const kRegistryValue; // "Path"
extern const char *const kTablePassword; // "38617"

// Set by the menu item that rebuilds the data, just before the rebuild; the
// rebuild shows its completion message only then and clears the flag.
extern bool RebuildFromMenu;

// A program the launcher could not start. The text is what the user is
// shown: "Failed to excecute program" + path + ".Error cod " + the system's
// error number.
class ELaunchError : public std::runtime_error {
public:
    ELaunchError(const QString &text, int errorCode)
        : std::runtime_error(text.toStdString()), m_text(text), m_code(errorCode) {}
    QString message() const { return m_text; }
    int errorCode() const { return m_code; }

private:
    QString m_text;
    int m_code;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Window events, as the program reacts to them.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void FormKeyPress(int key);

    // Services other forms call (data rebuild, process launcher, display
    // rounding).
    // Closes the project tables and re-creates the secondary indexes of the
    // floor and unit, space and surface tables; leaves the database closed.
    void bazsazidade();
    // Starts the program (no shell; the command line is split into its
    // arguments), waits for it when asked and returns its exit code. Throws
    // ELaunchError when it cannot be started.
    uint32_t RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd);
    // The F12 key of the pages: the calculator "Rodiz.exe" of the data
    // folder, waited for; a failed start is shown as a message.
    void RunRodiz();
    // Display rounding: 100 and above whole, 1 to below 100 two decimals,
    // below 1 three decimals; halves to even.
    double RoundX(double X);

    // The main menu.
    void SetMenuOwnerDraw(QMenuBar *menu);
    void N3Click(QObject *Sender = nullptr);    // create and edit
    void N15Click(QObject *Sender = nullptr);   // print the calculation booklet
    void N17Click(QObject *Sender = nullptr);   // equipment selection
    void dsad1Click(QObject *Sender = nullptr); // print the equipment booklet
    void N7Click(QObject *Sender = nullptr);    // exit
    void N4Click(QObject *Sender = nullptr);    // copy plan
    void N12Click(QObject *Sender = nullptr);   // delete project
    void N13Click(QObject *Sender = nullptr);   // delete floor
    void N14Click(QObject *Sender = nullptr);   // delete unit
    void N16Click(QObject *Sender = nullptr);   // delete space
    void N18Click(QObject *Sender = nullptr);   // delete wall
    void N19Click(QObject *Sender = nullptr);   // rebuild data
    void N8Click(QObject *Sender = nullptr);    // backup
    void N9Click(QObject *Sender = nullptr);    // restore
    void N25Click(QObject *Sender = nullptr);   // change the data folder
    void N6Click(QObject *Sender = nullptr);    // default colours
    void N10Click(QObject *Sender = nullptr);   // default fonts
    void N26Click(QObject *Sender = nullptr);   // colour form
    void N27Click(QObject *Sender = nullptr);   // font form
    void N24Click(QObject *Sender = nullptr);   // user guide menu
    void N22Click(QObject *Sender = nullptr);   // glossary
    void N23Click(QObject *Sender = nullptr);   // unit conversion
    void N21Click(QObject *Sender = nullptr);   // a word with the user
    // The menu item with that object name ("N3", "dsad1" ...).
    QAction *menuItem(const QString &name) const;

    // Shows a form modally from the main window; when it closes the main
    // window becomes active again, which runs the activation.
    int ShowModalForm(QWidget *form);

    bool startupDone() const { return m_startupDone; }
    QSize rememberedScreen() const { return m_screen; }
    bool isClosing() const { return m_closing; }

    QMenuBar *MainMenu1 = nullptr;
    QLabel *Image1 = nullptr;
    pf::db::Table *Table1 = nullptr; // program.db, by its full path

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activateOnce();
    void loadSettings();
    void buildMenu();
    void showDeleteForm(int level);
    void showSideJobs(const std::function<void()> &panel, const QString &title, bool gridVisible);

    QSize m_screen;
    bool m_startupDone = false;
    bool m_shown = false;
    bool m_closing = false;
    bool m_inActivate = false;
    bool m_activatePending = false;
};

extern TForm1 *Form1;
