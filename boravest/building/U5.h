#pragma once
// The city climate form: shows and stores the climate record (altitude,
// outdoor design temperature, latitude, humidity, frost days) of the city
// named in the general data page's city input.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr;      // city name (read-only)
    QLineEdit *ArzGog = nullptr;     // latitude
    QLineEdit *Hi_ = nullptr;        // altitude (ft)
    QLineEdit *To_ = nullptr;        // outdoor design dry-bulb temperature (F)
    QLineEdit *DarsadRoto = nullptr; // relative humidity (%)
    QLineEdit *MoadelYakh = nullptr; // average frost days
    QPushButton *Button1 = nullptr;  // save
    QPushButton *Button2 = nullptr;  // close

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
