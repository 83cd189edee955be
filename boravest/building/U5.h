#pragma once
// The city climate form: shows and stores the climate record (altitude,
// outdoor design temperature, latitude, humidity, frost days) of the city
// named in the general data page's city input.
#include "ui_U5.h"

#include <QDialog>

// Components (Ui::TForm5, by designer name): Edit1 city name (read only),
// ArzGog latitude, Hi_ altitude (ft), To_ outdoor design temperature (F),
// DarsadRoto relative humidity (%), MoadelYakh frost days, Button1 save,
// Button2 close.
class TForm5 : public QDialog, public Ui::TForm5 {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    void FormActivate();
    void Button1Click();
    void Button2Click();

    // A minus sign anywhere in the text: shown at its end ("12-"), stored
    // in front ("-12").
    static QString Convert_Hi(const QString &text);
    static QString Convert_To(const QString &text);
    static QString signToFront(const QString &text);

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;
};

extern TForm5 *Form5;
