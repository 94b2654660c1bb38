#include "FormWindow.h"

#include "Form.h"
#include "InterfaceFont.h"
#include "ScreenPlacement.h"

#include <QCloseEvent>

namespace forms {

FormWindow::FormWindow(Form& form) : form_(form), client_(new QWidget(this)) {
    // Every control of the window inherits it, unless it sets its own.
    setFont(interfaceFont());
    client_->setMouseTracking(true);
    setMouseTracking(true);
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
        framedDeadline_.setRemainingTime(2000);
    if (keepFrameOnScreen(*this, expectedFrameMargins(*this)))
        layoutClient();
}

void FormWindow::placeAgainIfFramed() {
    if (!placeAgainWhenFramed_)
        return;
    if (framedDeadline_.hasExpired()) {
        placeAgainWhenFramed_ = false;
        return;
    }
    if (frameKnown())
        keepOnScreen();
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
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutClient();
    form_.windowResized();
    placeAgainIfFramed();
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    placeAgainWhenFramed_ = false;
    if (!event->spontaneous())
        form_.windowHidden();
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        form_.windowShown();
}

} // namespace forms
