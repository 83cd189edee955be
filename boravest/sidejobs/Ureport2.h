#pragma once
// The side-jobs form: copying a floor plan, and the backup and restore of
// the data folder; one panel of it is shown at a time under the title label.
#include "ui_Ureport2.h"

#include <QDialog>
#include <QHash>

#include <memory>

namespace pf::ui {
class FolderTree;
class HoverGroup;
}

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget *parent = nullptr);
    ~TForm17() override;

    std::unique_ptr<Ui::TForm17> ui;

    // A copy was started since the form was opened: closing rebuilds the
    // indexes.
    bool CopyAttempted = false;
    // How long a copy runs before the busy sign shows.
    int BusyDelayMs = pf::ui::BusySign::kDelayMs;

    void Label2Click(); // copy-plan panel
    void Label4Click(); // backup panel
    void Label5Click(); // restore panel
    void Label10Click(); // back up the data folder into the chosen folder
    void Label14Click(); // restore the data folder from the chosen folder
    // The folder tree's folder changed: its path goes into Edit3.
    void DirectoryListBox1Change(const QString &folder);
    void Label1Click();  // choose the grid's row as the source floor
    void Label20Click(); // cancel: back to choosing
    void Button1Click(); // copy the chosen floor to the typed floor
    void Label18Click(); // return: hide every panel and close
    void Label22Click(); // the exit question
    void FormActivate();
    // Closing the form rebuilds the indexes quietly after a copy.
    void FormClose();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void hideCopyParts();
    void showFolderPanel(QLabel *command, QFrame *shape);
    void showHeading(const QString &heading, bool grid);
    // After a restore: the indexes, the settings and the open tables.
    void reloadAfterRestore(const QStringList &openDatasets);
    // After a restore that changed nothing: what was open, opened again
    // without a word.
    void reopenQuietly(const QStringList &openDatasets);
    // The whole name of the project of a row of the copy grid, for its
    // project name column (empty for the other columns).
    QString wholeProjectName(int row, int column);
    QHash<double, QString> m_projectNames; // read once a showing of the copy panel
    pf::ui::FolderTree *m_folders = nullptr;
    pf::ui::HoverGroup *m_hover = nullptr;
};

extern TForm17 *Form17;
