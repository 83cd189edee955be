#pragma once
// The equipment inputs page: the projects list and, for the chosen project,
// its one equipment record with the inputs every equipment sizing shares
// (areas and heights, pipe runs and pressure drop, water temperatures and
// hardness, building type, sanitary fixtures, fuel and city-gas region),
// and the building heat load. From here the equipment window opens.
#include <QDialog>

#include <memory>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace Ui {
class TFormT1;
}
namespace pf::ui {
class HoverGroup;
}

class TFormT1 : public QDialog {
    Q_OBJECT
public:
    explicit TFormT1(QWidget *parent = nullptr);
    ~TFormT1() override;

    // Building heat load of the current project (Btu/h, a whole number).
    // A table that cannot be read is reported and gives 0.
    void Q_Sakh(double &Bar);

    // Commands (also reached from the keys).
    void Label1Click();  // Edit
    void Label24Click(); // Save
    void Label41Click(); // Cancel
    void Label45Click(); // Next page
    void Label46Click(); // Back
    void Label47Click(); // Exit
    // The page becomes the active window again: its tables are opened.
    void FormActivate();

    bool editState() const { return m_edit; }

    // Heating value of the city gas (Btu/cu.ft) of the region checked on the
    // page; stored into `HU` by Save when the fuel is city gas.
    int GasHeatingValue = 912;

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    bool FormKeyDown(QKeyEvent *key);
    void FormClose();
    void setBrowse();
    void setEditing();
    bool openTables();
    double projectNumber() const;
    bool findRecord(double project);
    void loadLists();
    void showRegion();
    void checkRegion(int value);
    QWidget *nextInChain(QWidget *from) const;
    // A box read as a whole number ("0" put before its text); a text that
    // is no whole number is refused with a message naming the box.
    bool readWhole(QLineEdit *box, const QLabel *caption, int *out);
    bool refuse(const QString &message);
    bool saveChecks(double *pressureDrop);
    bool writeRecord(double pressureDrop);

    std::unique_ptr<Ui::TFormT1> ui;
    pf::ui::HoverGroup *m_hover = nullptr;
    bool m_edit = false;
};

extern TFormT1 *FormT1;
