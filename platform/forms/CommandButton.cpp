#include "CommandButton.h"

#include "AccessKey.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace forms {

namespace {

// A caption too wide for its button goes onto two lines, broken at the space
// that leaves the wider line narrowest, as such buttons were drawn; one that
// fits, or has no space to break at, stays on one line.
class WrappingButton : public QPushButton {
public:
    void setCaption(const QString& caption) {
        caption_ = caption;
        rewrap();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QPushButton::resizeEvent(event);
        rewrap();
    }
    void changeEvent(QEvent* event) override {
        QPushButton::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            rewrap();
    }

private:
    int room() const {
        QStyleOptionButton option;
        option.initFrom(this);
        const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        return contents.width() - style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    }
    void rewrap() {
        const QString shown = toQtMnemonic(caption_);
        QString wrapped = shown;
        const QFontMetrics metrics(font());
        const auto width = [&](const QString& line) { return metrics.horizontalAdvance(displayedCaption(line)); };
        if (!shown.contains(QLatin1Char('\n')) && width(shown) > room()) {
            int best = -1;
            int bestWidth = 0;
            for (qsizetype at = shown.indexOf(QLatin1Char(' ')); at >= 0; at = shown.indexOf(QLatin1Char(' '), at + 1)) {
                const int wider = std::max(width(shown.left(at)), width(shown.mid(at + 1)));
                if (best < 0 || wider < bestWidth) {
                    best = static_cast<int>(at);
                    bestWidth = wider;
                }
            }
            if (best >= 0)
                wrapped = shown.left(best) + QLatin1Char('\n') + shown.mid(best + 1);
        }
        if (wrapped != text())
            setText(wrapped);
    }

    QString caption_;
};

} // namespace

CommandButton::CommandButton(Form& form, const ControlPlace& place)
    : Control(form, ControlKind::CommandButton, place.name, place.index, place.container, place.tab),
      button_(new WrappingButton) {
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_,
                     [this] { runFromWindowSystem("Click", [this] { onClick(); }); });
    attachWidget(button_);
}

CommandButton::~CommandButton() {
    form().setDefaultButton(this, false);
    form().setCancelButton(this, false);
}

void CommandButton::setCaption(const QString& caption) {
    caption_ = caption;
    static_cast<WrappingButton*>(button_)->setCaption(caption);
}

void CommandButton::setDefault(bool isDefault) {
    default_ = isDefault;
    button_->setDefault(isDefault);
    form().setDefaultButton(this, isDefault);
}

void CommandButton::setCancel(bool isCancel) {
    cancel_ = isCancel;
    form().setCancelButton(this, isCancel);
}

void CommandButton::click() { onClick(); }

} // namespace forms
