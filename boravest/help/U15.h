#pragma once
// The glossary of installation terms: an English-Persian word list over
// word.DB, looked up by word or by meaning, with new words stored and
// existing ones changed on F2.
#include <QDialog>

#include <memory>

namespace Ui {
class TForm15;
}

class QModelIndex;

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget *parent = nullptr);
    ~TForm15() override;

    void FormActivate();
    void Bt1Click(); // store (F2)
    void Bt2Click();
    void Bt3Click();
    void Bt4Click();
    void DBGrid1CellClick(const QModelIndex &index);
    void CheckBox2Click();

    std::unique_ptr<Ui::TForm15> ui;

    static QString notFoundText();     // "لغت مورد نظر موجود نيست"
    static QString storedNewText();    // "لغت جديد ثبت شد"
    static QString storedEditText();   // "لغت يا معني ويرايش شده ثبت شد"
    static QString emptyWordText();    // refusal of an empty English word

protected:
    void showEvent(QShowEvent *e) override;

private:
    bool FormKeyDown(int key);
    // Fills the three boxes from the current row and remembers that row as
    // the one the description came from.
    void showCurrentRow();
    void forgetDescription();

    // Row id of the word whose description RE1 shows; 0 when RE1 shows no
    // row's description.
    qint64 m_descriptionRow = 0;
};

extern TForm15 *Form15;
