#include "platform/report/Preview.h"

#include "platform/report/Report.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/Dialogs.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace pf::report {

namespace {

constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 5.0;
constexpr int kPageMargin = 12; // grey border around the page on screen

} // namespace

// ---------------------------------------------------------------- page view

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(pal);
    // The page is drawn as on paper, never mirrored.
    setLayoutDirection(Qt::LeftToRight);
}

void PageView::setPage(const Page *page, QSizeF pageSizePx, double zoom)
{
    m_page = page;
    m_pageSize = pageSizePx;
    m_zoom = zoom;
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize PageView::sizeHint() const
{
    return QSize(int(std::ceil(m_pageSize.width() * m_zoom)) + 2 * kPageMargin,
                 int(std::ceil(m_pageSize.height() * m_zoom)) + 2 * kPageMargin);
}

void PageView::paintEvent(QPaintEvent *)
{
    if (!m_page)
        return;
    QPainter p(this);
    const QRectF paper(kPageMargin, kPageMargin, m_pageSize.width() * m_zoom, m_pageSize.height() * m_zoom);
    p.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
    p.fillRect(paper, Qt::white);
    p.translate(paper.topLeft());
    p.scale(m_zoom, m_zoom);
    paintPage(p, *m_page, m_pageSize, &m_cache);
}

// ---------------------------------------------------------------- preview

ReportPreview::ReportPreview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setDocumentName(QString());
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(bar);

    auto add = [&](const char *name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_first = add("actFirst", QStringLiteral("اولين صفحه"), QKeySequence(Qt::Key_Home), [this] { firstPage(); });
    m_prev = add("actPrevious", QStringLiteral("صفحه قبل"), QKeySequence(Qt::Key_PageUp), [this] { previousPage(); });
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("PageLabel"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageLabel);
    m_next = add("actNext", QStringLiteral("صفحه بعد"), QKeySequence(Qt::Key_PageDown), [this] { nextPage(); });
    m_last = add("actLast", QStringLiteral("آخرين صفحه"), QKeySequence(Qt::Key_End), [this] { lastPage(); });
    bar->addSeparator();
    add("actZoomIn", QStringLiteral("بزرگنمايي"), QKeySequence(Qt::Key_Plus), [this] { zoomIn(); });
    add("actZoomOut", QStringLiteral("كوچكنمايي"), QKeySequence(Qt::Key_Minus), [this] { zoomOut(); });
    add("actZoom100", QStringLiteral("اندازه واقعي"), QKeySequence(), [this] { setZoom(1.0); });
    add("actZoomWidth", QStringLiteral("عرض صفحه"), QKeySequence(), [this] { zoomToWidth(); });
    bar->addSeparator();
    m_print = add("actPrint", QStringLiteral("چاپ"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { printWithDialog(); });
    m_save = add("actSave", QStringLiteral("ذخيره"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveWithDialog(); });
    add("actLoad", QStringLiteral("بازكردن"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { loadWithDialog(); });
    bar->addSeparator();
    add("actClose", QStringLiteral("بستن"), QKeySequence(), [this] { reject(); });

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollArea"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView;
    m_view->setObjectName(QStringLiteral("PageView"));
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(avail.width(), 1000), std::min(avail.height(), 800));
    } else {
        resize(1000, 800);
    }
    // Frame and title bar included.
    pf::ui::keepOnScreen(this);
    updateView();
}

void ReportPreview::setDocument(Document doc)
{
    m_doc = std::move(doc);
    m_page = m_doc.pages.isEmpty() ? 0 : 1;
    updateView();
}

void ReportPreview::setCurrentPage(int page)
{
    if (m_doc.pages.isEmpty()) {
        m_page = 0;
    } else {
        m_page = std::clamp(page, 1, pageCount());
    }
    updateView();
}

void ReportPreview::setZoom(double zoom)
{
    if (!std::isfinite(zoom))
        return;
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    updateView();
}

void ReportPreview::zoomToWidth()
{
    const double avail = m_scroll->viewport()->width() - 2 * kPageMargin;
    const double w = m_doc.pageSizePx().width();
    if (avail > 0 && w > 0)
        setZoom(avail / w);
}

void ReportPreview::updateView()
{
    m_shown = m_page > 0 ? m_doc.pages.at(m_page - 1) : Page();
    m_view->setPage(m_page > 0 ? &m_shown : nullptr, m_doc.pageSizePx(), m_zoom);
    const QString counter = QStringLiteral("صفحه %1 از %2");
    m_pageLabel->setText(counter.arg(m_page).arg(pageCount()));
    // The counter is as wide as its widest text for the pages there are
    // (three digits at least), so the buttons beside it keep their places
    // whatever page it names.
    const int digits = std::max<int>(3, int(QString::number(pageCount()).size()));
    const QFontMetrics fm(m_pageLabel->font());
    int widest = 0;
    for (char d = '0'; d <= '9'; ++d) {
        const QString n(digits, QLatin1Char(d));
        widest = std::max(widest, fm.horizontalAdvance(counter.arg(n, n)));
    }
    const QMargins margins = m_pageLabel->contentsMargins();
    m_pageLabel->setFixedWidth(widest + margins.left() + margins.right() + 2);
    m_first->setEnabled(m_page > 1);
    m_prev->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < pageCount());
    m_last->setEnabled(m_page < pageCount());
    m_print->setEnabled(pageCount() > 0);
    m_save->setEnabled(pageCount() > 0);
}

void ReportPreview::save(const QString &path) const
{
    saveDocument(m_doc, path);
}

void ReportPreview::load(const QString &path)
{
    setDocument(loadDocument(path));
    setDocumentName(QFileInfo(path).completeBaseName());
}

bool ReportPreview::print(QPrinter *printer) const
{
    return printDocument(m_doc, printer);
}

void ReportPreview::setDocumentName(const QString &name)
{
    m_name = name;
    const QString title = QStringLiteral("پيش نمايش گزارش");
    setWindowTitle(name.isEmpty() ? title : title + QStringLiteral(" - ") + name);
}

bool ReportPreview::printWithDialog()
{
    if (m_doc.pages.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    // The print dialog offers the document's name as the file of a print
    // to a file: no character that would make it a path.
    QString file = m_name.isEmpty() ? QStringLiteral("گزارش") : m_name;
    for (QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('*'), QLatin1Char('?'),
                    QLatin1Char('"'), QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('|')})
        file.replace(c, QLatin1Char('-'));
    printer.setDocName(file.trimmed());
    printer.setFromTo(1, pageCount());
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    if (pf::ui::showModal(&dialog) != QDialog::Accepted)
        return false;
    if (!print(&printer)) {
        pf::ui::showMessage(QStringLiteral("چاپ گزارش انجام نشد"), this);
        return false;
    }
    return true;
}

namespace {

QString askFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(reportFileFilter());
    dialog.setDefaultSuffix(QStringLiteral("QRP"));
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (pf::ui::showModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

// Runs a save (or a load) of the file at `path`; whatever it throws is told
// in one message and answered false.
template <class Task> bool tellsFailure(QWidget *parent, bool saving, const QString &path, Task task)
{
    try {
        task();
        return true;
    } catch (const ReportFileError &e) {
        pf::ui::showMessage(e.message(), parent);
    } catch (const std::exception &e) {
        pf::ui::showMessage(reportFileFailure(saving, path, &e), parent);
    } catch (...) {
        pf::ui::showMessage(reportFileFailure(saving, path, nullptr), parent);
    }
    return false;
}

} // namespace

bool ReportPreview::saveWithDialog()
{
    if (m_doc.pages.isEmpty())
        return false;
    const QString path = askFile(this, QFileDialog::AcceptSave, QStringLiteral("ذخيره گزارش"));
    if (path.isEmpty())
        return false;
    return tellsFailure(this, true, path, [&] { save(path); });
}

bool ReportPreview::loadWithDialog()
{
    const QString path = askFile(this, QFileDialog::AcceptOpen, QStringLiteral("بازكردن گزارش"));
    if (path.isEmpty())
        return false;
    return tellsFailure(this, false, path, [&] { load(path); });
}

// ---------------------------------------------------------------- entry points

void previewDocument(Document doc, QWidget *parent, const QString &name)
{
    ReportPreview dialog(parent);
    dialog.setDocument(std::move(doc));
    dialog.setDocumentName(name);
    pf::ui::showModal(&dialog);
}

void preview(Report &report, QWidget *parent)
{
    previewDocument(report.render(), parent, report.title);
    if (report.afterPreview)
        report.afterPreview(report);
}

void preview(CompositeReport &composite, QWidget *parent)
{
    previewDocument(composite.render(), parent, composite.title);
    for (Report *r : composite.reports())
        if (r->afterPreview)
            r->afterPreview(*r);
}

QImage renderPageImage(const Document &doc, int pageIndex, double scale)
{
    const QSizeF px = doc.pageSizePx() * scale;
    QImage img(QSize(int(std::ceil(px.width())), int(std::ceil(px.height()))), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    if (pageIndex < 0 || pageIndex >= doc.pages.size())
        return img;
    QPainter p(&img);
    p.scale(scale, scale);
    paintPage(p, doc.pages[pageIndex], doc.pageSizePx());
    return img;
}

} // namespace pf::report
