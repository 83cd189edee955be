#pragma once
// The main window: start-up, activation, shut-down and the main menu. It
// provides the pages' services (ProgramServices) while it exists.
#include "boravest/data/ProgramState.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QMenuBar;
namespace Ui {
class TForm1;
}
namespace pf::db {
class Table;
}

class TForm1 : public QMainWindow, public TProgramServices {
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
    void bazsazidade() override;
    uint32_t RunAndWait(const QString &FileName, bool Wait, const QString &CommandLine, uint16_t ShowCmd) override;
    // The F12 key of the pages: the calculator "Rodiz.exe" of the data
    // folder, waited for; a failed start is shown as a message.
    void RunRodiz();
    double RoundX(double X) { return ::RoundX(X); }
    void AskExit() override;
    void ResetExitQuestion() override;
    bool ConfirmDelete() override;
    QWidget *DataFolderForm() const override;

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

    int ShowModalForm(QWidget *form) override;

    bool startupDone() const { return m_startupDone; }
    QSize rememberedScreen() const { return m_screen; }
    bool isClosing() const { return m_closing; }

    QMenuBar *MainMenu1 = nullptr;
    std::unique_ptr<Ui::TForm1> ui;
    pf::db::Table *Table1 = nullptr; // program.db, by its full path

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activateOnce();
    void loadSettings();
    void fillGlossaryOnce();
    void buildMenu();
    void showDeleteForm(int level);

    QSize m_screen;
    bool m_startupDone = false;
    bool m_shown = false;
    bool m_closing = false;
    bool m_settingsErrorShown = false;
    QString m_glossaryFolder; // the data folder whose glossary was last offered the shipped terms
    bool m_inActivate = false;
    bool m_activatePending = false;
};

extern TForm1 *Form1;
