#include "PreviewControl.h"

#include "forms/Layout.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
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
    // A page taller than the window is read by the keyboard as well.
    setFocusPolicy(Qt::StrongFocus);
    relayout();
}

void PreviewWidget::keyPressEvent(QKeyEvent* event)
{
    const auto step = [event](QScrollBar* bar, QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        event->accept();
    };
    switch (event->key()) {
    case Qt::Key_Up: return step(verticalScrollBar(), QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down: return step(verticalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_PageUp: return step(verticalScrollBar(), QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown: return step(verticalScrollBar(), QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Home: return step(verticalScrollBar(), QAbstractSlider::SliderToMinimum);
    case Qt::Key_End: return step(verticalScrollBar(), QAbstractSlider::SliderToMaximum);
    case Qt::Key_Left: return step(horizontalScrollBar(), QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Right: return step(horizontalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
    default: QScrollArea::keyPressEvent(event);
    }
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
    auto* frame = new QWidget;
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    navigation_ = new QWidget;
    auto* bar = new QHBoxLayout(navigation_);
    bar->setContentsMargins(0, 0, 0, 0);
    previous_ = new QPushButton(QStringLiteral("Prev Page"));
    previous_->setObjectName(QStringLiteral("cmdPreviousPage"));
    next_ = new QPushButton(QStringLiteral("Next Page"));
    next_->setObjectName(QStringLiteral("cmdNextPage"));
    pageLabel_ = new QLabel;
    pageLabel_->setObjectName(QStringLiteral("lblPage"));
    bar->addWidget(previous_);
    bar->addWidget(next_);
    bar->addWidget(pageLabel_);
    bar->addStretch();
    navigation_->hide();
    column->addWidget(navigation_);
    column->addWidget(preview_, 1);
    QObject::connect(previous_, &QPushButton::clicked, frame, [this] { setPreviewPage(previewPage() - 1); });
    QObject::connect(next_, &QPushButton::clicked, frame, [this] { setPreviewPage(previewPage() + 1); });

    preview_->setDocument(&printer_.document());
    printer_.setOnDocumentChanged([this] {
        if (widget() != nullptr) {
            preview_->documentChanged();
            showPageState();
        }
    });
    attachWidget(frame);
    showPageState();
}

void PreviewControl::setPreviewPage(int page)
{
    preview_->setPage(page);
    showPageState();
}

void PreviewControl::setNavigationShown(bool shown)
{
    navigation_->setVisible(shown);
    showPageState();
}

QWidget* PreviewControl::keyTarget() const { return preview_; }

bool PreviewControl::navigationShown() const { return !navigation_->isHidden(); }

QString PreviewControl::pageText() const
{
    return pageCount() == 0 ? QString() : QStringLiteral("Page %1 of %2").arg(previewPage()).arg(pageCount());
}

void PreviewControl::showPageState()
{
    previous_->setEnabled(previewPage() > 1);
    next_->setEnabled(previewPage() < pageCount());
    pageLabel_->setText(pageText());
}

void registerPrintPreviewKind()
{
    forms::registerControlMaker(forms::ControlKind::PrintPreview,
                                [](forms::Form& form, const forms::ControlPlace& place) -> forms::Control& {
                                    return form.add<PreviewControl>(place);
                                });
}

} // namespace printing
