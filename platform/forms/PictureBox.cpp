#include "PictureBox.h"

#include <QFrame>

namespace forms {

class PictureBox::Surface : public QFrame {
public:
    explicit Surface(PictureBox& owner) : owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        owner_.paint(painter);
    }

private:
    PictureBox& owner_;
};

PictureBox::PictureBox(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::PictureBox, place.name, place.index, place.container, place.tab),
      surface_(new Surface(*this)) {
    surface_->setFocusPolicy(Qt::NoFocus);
    surface_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    attachWidget(surface_);
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    surface_->update();
}

QImage& PictureBox::canvas() {
    const QSize size = surface_->size().expandedTo(QSize(1, 1));
    if (canvas_.size() != size) {
        QImage resized(size, QImage::Format_ARGB32_Premultiplied);
        resized.fill(Qt::transparent);
        if (!canvas_.isNull()) {
            QPainter copy(&resized);
            copy.drawImage(0, 0, canvas_);
        }
        canvas_ = resized;
    }
    return canvas_;
}

void PictureBox::clearCanvas() {
    canvas_ = QImage();
    surface_->update();
}

void PictureBox::setPainter(std::function<void(QPainter&)> painter) {
    painter_ = std::move(painter);
    surface_->update();
}

void PictureBox::setBorder(bool border) { surface_->setFrameStyle(border ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame); }

QImage PictureBox::grab() { return surface_->grab().toImage(); }

QWidget* PictureBox::childArea(int) const { return surface_; }

void PictureBox::paint(QPainter& painter) {
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
    if (!canvas_.isNull())
        painter.drawImage(0, 0, canvas_);
    if (painter_)
        runFromWindowSystem("Paint", [&] { painter_(painter); });
    runFromWindowSystem("Paint", [this] { onPaint(); });
}

} // namespace forms
