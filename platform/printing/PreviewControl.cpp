#include "PreviewControl.h"

#include "forms/Layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace printing {

class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent) : QWidget(parent) { setAutoFillBackground(false); }

    const ReportDocument* document = nullptr;
    int page = 0; // from 0

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        if (document == nullptr || page < 0 || page >= document->pageCount())
            return;
        const QRectF sheet = QRectF(rect()).adjusted(Border, Border, -Border, -Border);
        painter.fillRect(sheet, Qt::white);
        renderPage(*document, page, painter, sheet);
    }

public:
    static constexpr int Border = 8;
};

PreviewWidget::PreviewWidget(QWidget* parent) : QScrollArea(parent), view_(new PageView(this))
{
    setWidget(view_);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    relayout();
}

void PreviewWidget::setDocument(const ReportDocument* document)
{
    document_ = document;
    documentChanged();
}

void PreviewWidget::documentChanged()
{
    page_ = std::clamp(page_, 1, std::max(pageCount(), 1));
    relayout();
}

void PreviewWidget::setZoom(double percent)
{
    zoom_ = std::isfinite(percent) ? std::clamp(percent, double(MinimumZoom), double(MaximumZoom)) : 100.0;
    relayout();
}

int PreviewWidget::page() const { return pageCount() == 0 ? 0 : page_; }

void PreviewWidget::setPage(int page)
{
    page_ = std::clamp(page, 1, std::max(pageCount(), 1));
    relayout();
}

void PreviewWidget::relayout()
{
    view_->document = document_;
    view_->page = page_ - 1;
    const QSizeF pageSize = document_ != nullptr ? document_->pageSize : QSizeF(12240, 15840);
    const double scale = zoom_ / 100.0 / ReportPrinter::TwipsPerPixel;
    view_->resize(qRound(pageSize.width() * scale) + 2 * PageView::Border,
                  qRound(pageSize.height() * scale) + 2 * PageView::Border);
    view_->update();
}

PreviewControl::PreviewControl(forms::Form& form, const forms::ControlPlace& place)
    : Control(form, forms::ControlKind::PrintPreview, place.name, place.index, place.container, place.tab),
      preview_(new PreviewWidget)
{
    preview_->setDocument(&printer_.document());
    printer_.setOnDocumentChanged([this] {
        if (widget() != nullptr)
            preview_->documentChanged();
    });
    attachWidget(preview_);
}

void registerPrintPreviewKind()
{
    forms::registerControlMaker(forms::ControlKind::PrintPreview,
                                [](forms::Form& form, const forms::ControlPlace& place) -> forms::Control& {
                                    return form.add<PreviewControl>(place);
                                });
}

namespace {

class PreviewDialog : public QDialog {
public:
    PreviewDialog(const ReportDocument& document, const QString& title, QWidget* parent)
        : QDialog(parent), document_(document)
    {
        setWindowTitle(title);
        setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(this);
        auto* buttons = new QHBoxLayout;
        auto* previous = new QPushButton(QStringLiteral("Prev Page"));
        auto* next = new QPushButton(QStringLiteral("Next Page"));
        auto* zoomIn = new QPushButton(QStringLiteral("Zoom In"));
        auto* zoomOut = new QPushButton(QStringLiteral("Zoom Out"));
        auto* close = new QPushButton(QStringLiteral("Close"));
        auto* where = new QLabel;
        for (QWidget* button : {static_cast<QWidget*>(previous), static_cast<QWidget*>(next),
                                static_cast<QWidget*>(zoomIn), static_cast<QWidget*>(zoomOut), static_cast<QWidget*>(close),
                                static_cast<QWidget*>(where)})
            buttons->addWidget(button);
        buttons->addStretch();
        layout->addLayout(buttons);
        preview_ = new PreviewWidget;
        preview_->setDocument(&document_);
        preview_->setZoom(75);
        layout->addWidget(preview_);
        const auto show = [this, previous, next, where] {
            previous->setEnabled(preview_->page() > 1);
            next->setEnabled(preview_->page() < preview_->pageCount());
            where->setText(QStringLiteral("Page %1 of %2").arg(preview_->page()).arg(preview_->pageCount()));
        };
        connect(previous, &QPushButton::clicked, this, [this, show] {
            preview_->setPage(preview_->page() - 1);
            show();
        });
        connect(next, &QPushButton::clicked, this, [this, show] {
            preview_->setPage(preview_->page() + 1);
            show();
        });
        connect(zoomIn, &QPushButton::clicked, this, [this] { preview_->setZoom(preview_->zoom() * 1.25); });
        connect(zoomOut, &QPushButton::clicked, this, [this] { preview_->setZoom(preview_->zoom() / 1.25); });
        connect(close, &QPushButton::clicked, this, &QDialog::close);
        show();
        resize(760, 900);
    }

private:
    ReportDocument document_;
    PreviewWidget* preview_ = nullptr;
};

} // namespace

QDialog* showPreviewDialog(const ReportDocument& document, const QString& title, QWidget* parent)
{
    auto* dialog = new PreviewDialog(document, title, parent);
    dialog->show();
    return dialog;
}

} // namespace printing
