#pragma once
// The instruction report of the report printer: one page telling the user
// that this program, independent of the design program, calls up a report
// prepared and saved earlier and prints it. The form itself is never shown;
// its report is what the main window previews.
#include "platform/report/Report.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    pf::report::Report *QuickRep1 = nullptr;
    pf::report::Band *TitleBand1 = nullptr;
    pf::report::Label *QRLabel1 = nullptr;
    pf::report::Label *QRLabel2 = nullptr;

private:
    std::unique_ptr<Ui::TForm2> ui;
    std::unique_ptr<pf::report::Report> m_report;
};

extern TForm2 *Form2;
