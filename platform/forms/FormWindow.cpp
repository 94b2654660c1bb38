#include "FormWindow.h"

#include "Form.h"
#include "InterfaceFont.h"
#include "ScreenPlacement.h"

#include <QCloseEvent>
#include <QWindow>

namespace forms {

FormWindow::FormWindow(Form& form) : form_(form), client_(new QWidget(this)) {
    // Every control of the window inherits it, unless it sets its own.
    setFont(interfaceFont());
    client_->setMouseTracking(true);
    setMouseTracking(true);
    frameWatch_.setInterval(20);
    connect(&frameWatch_, &QTimer::timeout, this, [this] { placeAgainIfFramed(); });
}

QMenuBar* FormWindow::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->setVisible(menuBarShown_);
    }
    return menuBar_;
}

void FormWindow::setMenuBarShown(bool shown) {
    menuBarShown_ = shown;
    if (menuBar_ != nullptr)
        menuBar_->setVisible(shown);
    layoutClient();
}

int FormWindow::menuBarHeight() const {
    if (menuBar_ == nullptr || !menuBarShown_)
        return 0;
    return menuBar_->heightForWidth(width()) > 0 ? menuBar_->heightForWidth(width()) : menuBar_->sizeHint().height();
}

void FormWindow::layoutClient() {
    const int bar = menuBarHeight();
    if (menuBar_ != nullptr)
        menuBar_->setGeometry(0, 0, width(), bar);
    client_->setGeometry(0, bar, width(), qMax(0, height() - bar));
}

bool FormWindow::frameKnown() const {
    return (windowFlags() & Qt::FramelessWindowHint) || !knownFrameMargins(*this).isNull();
}

void FormWindow::keepOnScreen() {
    const bool framed = frameKnown();
    // A window system that never frames the window must not have it pulled
    // back long after, when the user drags it.
    placeAgainWhenFramed_ = isVisible() && !framed;
    if (placeAgainWhenFramed_)
        watchForFrame();
    if (keepFrameOnScreen(*this, expectedFrameMargins(*this)))
        layoutClient();
}

QPoint FormWindow::framePosition() const { return pendingFramePosition_.value_or(pos()); }

void FormWindow::moveFrame(const QPoint& topLeft) {
    // Before its native window exists, a widget's position is its frame's;
    // once framed, Qt turns it into the client's through the frame it knows.
    // In between it takes the point for the client's and has the window
    // system keep the client there (static gravity).
    if (testAttribute(Qt::WA_WState_Created) && !frameKnown()) {
        pendingFramePosition_ = topLeft;
        watchForFrame();
        return;
    }
    pendingFramePosition_.reset();
    move(topLeft);
}

QRect FormWindow::normalFrameGeometry() const {
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return {framePosition(), frameGeometry().size()};
    if (normalFrame_.isValid())
        return normalFrame_;
    // Never shown in the normal state: its normal client bounds in the frame
    // it will likely have.
    const QRect client = normalGeometry();
    const QMargins margins = expectedFrameMargins(*this);
    return {client.topLeft() - QPoint(margins.left(), margins.top()), client.size().grownBy(margins)};
}

void FormWindow::keepInFrontOf(FormWindow& owner) {
    if (windowType() == Qt::Window) {
        // Changing the flags hides a shown window; it is shown again as it was.
        const bool shown = isVisible();
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        // The native window made anew takes a place asked for as its frame's.
        if (pendingFramePosition_ && !testAttribute(Qt::WA_WState_Created)) {
            move(*pendingFramePosition_);
            pendingFramePosition_.reset();
        }
        if (shown)
            show();
    }
    winId();
    owner.winId();
    windowHandle()->setTransientParent(owner.windowHandle());
}

QMargins FormWindow::normalFrameMargins() const {
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!normal && normalFrame_.isValid())
        return normalMargins_;
    return expectedFrameMargins(*this);
}

void FormWindow::noteNormalFrame() {
    if (isVisible() && frameKnown() &&
        !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        normalFrame_ = QRect(framePosition(), frameGeometry().size());
        normalMargins_ = knownFrameMargins(*this);
    }
}

void FormWindow::watchForFrame() {
    // A hidden window is framed when shown; the watch starts then.
    if (!isVisible())
        return;
    framedDeadline_.setRemainingTime(2000);
    frameWatch_.start();
}

void FormWindow::placeAgainIfFramed() {
    if (!placeAgainWhenFramed_ && !pendingFramePosition_) {
        frameWatch_.stop();
        return;
    }
    const bool framed = frameKnown();
    if (!framed && !framedDeadline_.hasExpired())
        return;
    // Framed, or never to be: a window system that does not frame it puts
    // the client where its frame would be.
    frameWatch_.stop();
    if (pendingFramePosition_) {
        const QPoint topLeft = *pendingFramePosition_;
        pendingFramePosition_.reset();
        move(topLeft);
    }
    const bool placeAgain = placeAgainWhenFramed_ && framed;
    placeAgainWhenFramed_ = false;
    if (placeAgain)
        keepOnScreen();
    noteNormalFrame();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The window decides through QueryUnload and Unload; the widget never
    // closes by itself.
    event->ignore();
    form_.windowClosedByUser();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        form_.windowStateChangedBySystem();
    else if (event->type() == QEvent::ActivationChange)
        form_.windowActivationChanged(isActiveWindow());
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeAgainIfFramed();
    noteNormalFrame();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutClient();
    form_.windowResized();
    placeAgainIfFramed();
    noteNormalFrame();
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A place asked for stays asked for; it is taken when next shown.
    placeAgainWhenFramed_ = false;
    frameWatch_.stop();
    if (!event->spontaneous())
        form_.windowHidden();
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pendingFramePosition_)
        watchForFrame();
    if (!event->spontaneous())
        form_.windowShown();
}

} // namespace forms
