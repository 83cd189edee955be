#pragma once
// The material layers dialog: works out the U-value of a wall, roof or
// floor from the thicknesses of up to 28 building materials. A page asks
// for a U-value through UValueRequest and reads the answer there; for the
// project general data page the layers are also kept per project and
// surface kind in TypMas.DB.
#include "boravest/building/UValue.h"
#include "ui_U4.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QKeyEvent;

// Components (Ui::TForm4, by designer name): the heading panel Panel1 with
// Label22 heading, Label23 the kind caption set by the caller and Label24
// the thickness unit; Panel2 holds the scroll box ScrollBox1 with Edit1 ..
// Edit28, the thicknesses, each captioned by Label25 .. Label52.
class TForm4 : public QDialog, public Ui::TForm4 {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);

    // The thickness input of material n (1 .. 28), top to bottom.
    QLineEdit *Edit(int n) const;

    // Empties the inputs, or fills them with the layers the general data
    // page holds for the requested kind.
    void FormActivate();
    // Enter: U from the inputs into UValueRequest (kAnswerEnter), the layers
    // kept for the general data page, and the dialog closes. A thickness
    // that is not a number is refused with a message and the dialog stays.
    void AcceptLayers();
    // Esc: kAnswerEsc, the dialog closes.
    void CancelLayers();
    // U of the 28 inputs for UValueRequest.Kind; false with the offending
    // text when one input is not a number.
    bool CalcZaribHedayat(double *u, QString *badText = nullptr) const;

    QStringList thicknessTexts() const;
    void setThicknessTexts(const QStringList &texts);

    // The layers of one project's surface kind in TypMas.DB. LoadLayers
    // gives false (and 28 empty texts) when no row is stored.
    static bool LoadLayers(double project, int kind, QStringList *texts);
    // Updates the row (project, kind) or appends it; throws DbError.
    static void StoreLayers(double project, int kind, const QStringList &texts);

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    bool FormKeyPress(QKeyEvent *key);
    bool m_accepting = false;
};

extern TForm4 *Form4;
