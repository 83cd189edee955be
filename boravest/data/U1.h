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
    void bazsazidade();
    uint32_t RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd);
    double RoundX(double X);

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

private:
    void activateOnce();
    void loadSettings();

    QSize m_screen;
    bool m_startupDone = false;
    bool m_shown = false;
    bool m_closing = false;
    bool m_inActivate = false;
    bool m_activatePending = false;
};

extern TForm1 *Form1;
