#include "Frame.h"

#include "AccessKey.h"

#include <QPainter>
#include <QStyle>

namespace forms {

namespace {

// A frame without a border draws only its caption. (A style sheet would do
// the same, but a style sheet on a container stops its controls inheriting
// the window's font.)
class FrameBox : public QGroupBox {
public:
    void setBorder(bool border) {
        border_ = border;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (border_) {
            QGroupBox::paintEvent(event);
            return;
        }
        if (title().isEmpty())
            return;
        QPainter painter(this);
        style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), foregroundRole());
    }

private:
    bool border_ = true;
};

} // namespace

Frame::Frame(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::Frame, place.name, place.index, place.container, place.tab), box_(new FrameBox) {
    box_->setFocusPolicy(Qt::NoFocus);
    attachWidget(box_);
}

void Frame::setCaption(const QString& caption) {
    caption_ = caption;
    box_->setTitle(toQtMnemonic(caption));
}

void Frame::setBorder(bool border) {
    border_ = border;
    box_->setFlat(!border);
    static_cast<FrameBox*>(box_)->setBorder(border);
}

QWidget* Frame::childArea(int) const { return box_; }

} // namespace forms
