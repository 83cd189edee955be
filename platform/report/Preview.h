#pragma once
// The standard report preview: shows rendered pages one at a time with page
// navigation and zoom, prints them (through the print dialog), saves them to
// a report file and loads a report file in their place. It is modal; the
// preview functions return when it is closed.
#include "platform/report/Document.h"

#include <QDialog>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;

namespace pf::report {

class Report;
class CompositeReport;

// The widget that paints the current page at the current zoom.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);
    void setPage(const Page *page, QSizeF pageSizePx, double zoom);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    const Page *m_page = nullptr;
    PaintCache m_cache;
    QSizeF m_pageSize{793.7, 1122.5};
    double m_zoom = 1.0;
};

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget *parent = nullptr);

    void setDocument(Document doc);
    const Document &document() const { return m_doc; }

    // The name of the pages shown (a booklet's name; a loaded file's own
    // name): the window's title shows it, and a print to a file is offered
    // under it.
    void setDocumentName(const QString &name);
    QString documentName() const { return m_name; }

    int pageCount() const { return int(m_doc.pages.size()); }
    int currentPage() const { return m_page; } // 1-based; 0 when there are no pages
    void setCurrentPage(int page);             // clamped to the pages there are
    void firstPage() { setCurrentPage(1); }
    void previousPage() { setCurrentPage(m_page - 1); }
    void nextPage() { setCurrentPage(m_page + 1); }
    void lastPage() { setCurrentPage(pageCount()); }

    double zoom() const { return m_zoom; } // 1.0: 96 layout pixels to 96 screen pixels
    void setZoom(double zoom);             // clamped to 0.1 .. 5
    void zoomIn() { setZoom(m_zoom * 1.25); }
    void zoomOut() { setZoom(m_zoom / 1.25); }
    void zoomToWidth();

    // The actions of the tool bar without their dialogs. save and load throw
    // ReportFileError; a failed load leaves the pages shown as they were.
    void save(const QString &path) const;
    void load(const QString &path);
    bool print(QPrinter *printer) const;

    // The tool bar's actions: ask for a file or a printer first and report a
    // failure in a message box. They return whether the action was done.
    bool printWithDialog();
    bool saveWithDialog();
    bool loadWithDialog();

    QLabel *pageLabel() const { return m_pageLabel; }

private:
    void updateView();

    Document m_doc;
    QString m_name;
    Page m_shown; // the current page, unpacked
    int m_page = 0;
    double m_zoom = 1.0;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_pageLabel = nullptr;
    QAction *m_first = nullptr;
    QAction *m_prev = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
    QAction *m_print = nullptr;
    QAction *m_save = nullptr;
};

// Lays the report out and shows it in the preview; returns when the preview
// is closed, after running the report's afterPreview event. Errors raised
// while the report is laid out (a dataset failing) pass to the caller.
void preview(Report &report, QWidget *parent = nullptr);
void preview(CompositeReport &composite, QWidget *parent = nullptr);
void previewDocument(Document doc, QWidget *parent = nullptr, const QString &name = QString());

// A page painted into a picture, scale 1.0 being 96 pixels to the inch.
QImage renderPageImage(const Document &doc, int pageIndex, double scale = 1.0);

} // namespace pf::report
