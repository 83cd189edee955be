#pragma once
// The program-wide state every form shares (colours, fonts, the delete
// level, the U-value request, the program folder and the settings names),
// and what the pages ask of the program around them: the main window
// provides those services and registers itself at start-up.
#include <QString>

#include <cstdint>
#include <stdexcept>

class QWidget;

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

// Every global above back to its state at program start (tests use it).
void ResetProgramState();

// Display rounding: 100 and above whole, 1 to below 100 two decimals,
// below 1 three decimals; halves to even.
double RoundX(double X);

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

// The main window's operations the pages call.
class TProgramServices {
public:
    virtual ~TProgramServices() = default;
    // Closes the project tables and re-creates the secondary indexes of the
    // floor and unit, space and surface tables; leaves the database closed.
    virtual void bazsazidade() = 0;
    // Starts the program (no shell; the command line is split into its
    // arguments), waits for it when asked and returns its exit code. Throws
    // ELaunchError when it cannot be started.
    virtual uint32_t RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd) = 0;
    // Shows a form modally from the main window; when it closes the main
    // window becomes active again, which runs the activation.
    virtual int ShowModalForm(QWidget *form) = 0;
    // The exit question on the confirmation form: Yes ends the program.
    virtual void AskExit() = 0;
    // Puts the confirmation form back to the exit question.
    virtual void ResetExitQuestion() = 0;
    // The delete question on the confirmation form (its delete mode); true
    // on Yes.
    virtual bool ConfirmDelete() = 0;
    // The data-folder form (coloured with the side jobs).
    virtual QWidget *DataFolderForm() const = 0;

protected:
    TProgramServices() = default;
};

// The registered main window; null before start-up and after shut-down.
extern TProgramServices *ProgramServices;
