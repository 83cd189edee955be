#include "Unit2.h"

#include "ui_Unit2.h"

using namespace pf::report;

TForm2 *Form2 = nullptr;

TForm2::TForm2(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);

    // A4 portrait, 10 mm margins all round, printed even when empty, with
    // the page header on the first page and the page footer on the last.
    m_report = std::make_unique<Report>(QStringLiteral("QuickRep1"));
    QuickRep1 = m_report.get();
    QuickRep1->page = PageSetup{210.0, 297.0, 10.0, 10.0, 10.0, 10.0};
    QuickRep1->printIfEmpty = true;
    QuickRep1->firstPageHeader = true;
    QuickRep1->lastPageFooter = true;
    QuickRep1->font = ReportFont::fromPixels(QStringLiteral("Arial"), 13);

    TitleBand1 = QuickRep1->addBand(BandType::Title, QStringLiteral("TitleBand1"), 443);
    TitleBand1->color = Qt::white;

    const ReportFont titr{QStringLiteral("Titr"), 12.0, true, false, Qt::black};

    QRLabel1 = TitleBand1->addLabel(
        QStringLiteral("QRLabel1"), 118, 104,
        QStringLiteral("اين برنامه مستقل از نرم افزار بوراوست است و به شما امکان مي دهد  تا گزارشي را که قبلا تهيه و"));
    QRLabel1->font = titr;
    QRLabel1->direction = Qt::RightToLeft;
    QRLabel1->wordWrap = true;
    QRLabel1->autoSize = true;

    QRLabel2 = TitleBand1->addLabel(
        QStringLiteral("QRLabel2"), 146, 186,
        QStringLiteral("آن را در مسير مورد نظرتان ذخيره کرده ايد فرا خواني کرده و آن را چاپ کنيد"));
    QRLabel2->font = titr;
    QRLabel2->direction = Qt::RightToLeft;
    QRLabel2->wordWrap = true;
    QRLabel2->autoSize = true;
}

TForm2::~TForm2() = default;
