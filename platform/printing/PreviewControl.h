#pragma once

#include "ReportDocument.h"
#include "ReportPrinter.h"

#include "forms/Control.h"
#include "forms/Form.h"

#include <QScrollArea>

class QLabel;
class QPushButton;

#include <memory>


namespace printing {

class PageView;

// Shows one page of a document, scaled by a zoom in percent (100 is the
// page at 96 pixels per inch), scrolled when larger than the view.
class PreviewWidget : public QScrollArea {
public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    // The document shown (not owned; it must outlive the widget or be replaced).
    void setDocument(const ReportDocument* document);
    // Redraws after the document changed; the page shown stays within it.
    void documentChanged();

    static constexpr int MinimumZoom = 10;
    static constexpr int MaximumZoom = 1000;
    double zoom() const { return zoom_; }
    // Kept within MinimumZoom and MaximumZoom.
    void setZoom(double percent);
    // The page shown, from 1; 0 when the document has no pages.
    int page() const;
    // Kept within 1 and the page count.
    void setPage(int page);
    int pageCount() const { return document_ != nullptr ? document_->pageCount() : 0; }

protected:
    // Arrows, PageUp and PageDown scroll the page; Home and End go to its top
    // and bottom (with Ctrl as well).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void relayout();

    const ReportDocument* document_ = nullptr;
    PageView* view_;
    double zoom_ = 100;
    int page_ = 1;
};

// The print control of a window: a report printer whose documents show in
// a preview on the window, with its zoom and the page shown.
class PreviewControl : public forms::Control {
public:
    PreviewControl(forms::Form& form, const forms::ControlPlace& place);

    ReportPrinter& printer() { return printer_; }
    const ReportDocument& document() const { return printer_.document(); }

    double zoom() const { return preview_->zoom(); }
    void setZoom(double percent) { preview_->setZoom(percent); }
    int previewPage() const { return preview_->page(); }
    void setPreviewPage(int page);
    int pageCount() const { return printer_.pageCount(); }
    PreviewWidget& preview() { return *preview_; }

    // A bar of its own above the page, "Prev Page", "Next Page" and "Page n
    // of m", for a window whose print control is its only preview. Hidden
    // until asked for; a window with page buttons of its own leaves it so.
    void setNavigationShown(bool shown);
    bool navigationShown() const;
    QPushButton& previousPageButton() { return *previous_; }
    QPushButton& nextPageButton() { return *next_; }
    QString pageText() const;
    // The page takes the keys (and the focus), not the bar above it.
    QWidget* keyTarget() const override;

private:
    void showPageState();

    ReportPrinter printer_;
    PreviewWidget* preview_;
    QWidget* navigation_;
    QPushButton* previous_;
    QPushButton* next_;
    QLabel* pageLabel_;
};

// Lets layout tables hold print controls (rows of kind forms::ControlKind::PrintPreview).
void registerPrintPreviewKind();

} // namespace printing
