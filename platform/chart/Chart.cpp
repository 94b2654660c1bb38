#include "Chart.h"

#include "ChartPainter.h"

#include "forms/Layout.h"

#include <QFrame>

namespace chart {

class Chart::Surface : public QFrame {
public:
    explicit Surface(Chart& owner) : owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        owner_.draw(painter, contentsRect());
        painter.end();
        QFrame::paintEvent(event);
    }

private:
    Chart& owner_;
};

Chart::Chart(forms::Form& form, const forms::ControlPlace& place)
    : Control(form, forms::ControlKind::Chart, place.name, place.index, place.container, place.tab),
      surface_(new Surface(*this))
{
    surface_->setFocusPolicy(Qt::NoFocus);
    surface_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    attachWidget(surface_);
}

void Chart::change(const std::function<void(ChartModel&)>& edit)
{
    edit(model_);
    if (!held_)
        show();
}

void Chart::holdRepaint(bool hold)
{
    const bool released = held_ && !hold;
    held_ = hold;
    if (released)
        show();
}

void Chart::show()
{
    shown_ = model_;
    surface_->update();
}

void Chart::draw(QPainter& painter, const QRectF& target) const { paintChart(painter, target, shown_); }

QImage Chart::grab() const
{
    QImage image(surface_->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRectF(image.rect()));
    return image;
}

void registerChartKind()
{
    forms::registerControlMaker(forms::ControlKind::Chart, [](forms::Form& form, const forms::ControlPlace& place)
                                                               -> forms::Control& { return form.add<Chart>(place); });
}

} // namespace chart
