#pragma once
// The heating-load booklet form: the engineer picks a project, completes
// its company, engineer and date, chooses a logo and a plan rotation, and
// previews the booklet (Report2) after its title page has been filled. It
// also writes numbers as Persian words and material layers as text for both
// booklets.
#include "ui_U13.h"

#include <QDialog>
#include <QString>

class QKeyEvent;
namespace pf::ui {
class HoverGroup;
}

// Components (Ui::TForm13, by designer name): Label3 heading, Panel1
// command bar, Panel2 rotation choices, Panel3 details, Panel4 progress,
// DBEdit1 .. DBEdit3 number, name and city, DBEdit4 .. DBEdit6 company,
// engineer and date, Edit1 logo path (not stored), Gauge1 progress.
class TForm13 : public QDialog, public Ui::TForm13 {
    Q_OBJECT
public:
    explicit TForm13(QWidget *parent = nullptr);

    // A whole number as a Persian cardinal word: 0 "همكف", 1..50 the
    // cardinals, any other number its digits.
    void ConvertTabage(int N, QString &Text);
    // The material layers of a project's wall or roof type (1 external
    // wall, 2 internal wall, 3 external roof, 4 internal roof) as one line;
    // empty when the project has none stored for that type.
    void Masaleh(double Project, int Kind, QString &Text);

    // Commands.
    void Label4Click(); // Select
    void Label5Click(); // Preview
    void Label6Click(); // Save
    void Label7Click(); // Cancel
    void Label8Click(); // Back
    void Label9Click(); // Exit
    void Label14Click(); // choose the logo picture
    void FormActivate();

    bool detailsShown() const { return m_details; }

    // The rotation choice i: 0 initial, 1 45 degrees ... 7 315 degrees
    // (nullptr outside).
    QRadioButton *rotationButton(int i) const;

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    void setBrowse();
    void setDetails();
    void bindData();
    void FormClose();
    void setGauge(int value);
    // Fills the report's title page; false (with the reason) when the logo
    // cannot be read.
    bool fillTitle(double project, QString *error);
    void endPreviewWithError(const QString &message);

    pf::ui::HoverGroup *m_hover = nullptr;
    bool m_details = false;
    bool m_bound = false;
};

extern TForm13 *Form13;
