#pragma once
// The equipment booklet form: the engineer picks a project that has an
// equipment record, corrects its company, engineer and date, chooses a logo,
// ticks the sections of the booklet and previews it; the equipment window
// builds the booklet from what this form holds.
#include <QDialog>
#include <QString>

#include <memory>

class QKeyEvent;
namespace Ui {
class TForm23;
}
namespace pf::ui {
class HoverGroup;
}

// Components (Ui::TForm23, by designer name): Label3 title, Panel6 command
// bar (Label16 Select, Label19 Preview, Label1 Save, Label20 Cancel, Label8
// Back, Label22 Exit), Panel4 with the project grid DBGrid1, Panel5 details
// (De5 number, De6 name, De2 engineer, De3 city, DE1 company, Edit3 date,
// Edit2 logo file, Label14 logo chooser, Label9 the number's caption, which
// previews), ChkBL the thirteen section items, Panel1 progress with
// ProgressBar1.
class TForm23 : public QDialog {
    Q_OBJECT
public:
    explicit TForm23(QWidget *parent = nullptr);
    ~TForm23() override;

    // Check-list item captions, 0 "select all", 1..12 the sections.
    static const char *const kSectionCaptions[13];
    static const char *const kMsgNoEquipment;

    // What the booklet's builder reads and drives.
    bool sectionTicked(int item) const;
    void setSectionTicked(int item, bool on);
    QString logoPath() const;
    void setGauge(int value);
    void hideGauge();
    bool gaugeShown() const;
    int gauge() const;
    bool detailsShown() const { return m_details; }

    // Handlers.
    void Label16Click(); // Select
    void Bt1Click();     // Preview
    void Label1Click();  // Save
    void Label20Click(); // Cancel
    void Bt2Click();     // Back
    void Bt3Click();     // Exit
    void Label14Click(); // logo picture
    void FormActivate();
    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void FormCreate();
    void FormClose();
    bool FormKeyDown(QKeyEvent *key);
    void bindData();
    void setBrowse();
    void setDetails();
    void followSelectAll();

    std::unique_ptr<Ui::TForm23> ui;
    pf::ui::HoverGroup *m_hover = nullptr;
    bool m_details = false;
    bool m_bound = false;
    bool m_following = false;
};

extern TForm23 *Form23;
