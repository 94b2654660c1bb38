#pragma once

#include <QDeadlineTimer>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace forms {

class Form;

// The top-level widget of a window: an optional menu bar over the client area
// in which the controls live. It hands the window system's events to its Form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form& form);

    QWidget* client() const { return client_; }
    QMenuBar* menuBar();
    bool hasMenuBar() const { return menuBar_ != nullptr; }
    void setMenuBarShown(bool shown);
    bool menuBarShown() const { return menuBarShown_; }
    int menuBarHeight() const;
    void layoutClient();
    // Brings the frame within the available area of the window's screen,
    // smaller where it must be. Until the window system tells the frame of a
    // window just shown, the frame of another window stands in, and the window
    // is placed again as soon as its own frame is known.
    void keepOnScreen();
    // Where the frame's top-left corner is, or goes once the window system
    // has framed the window.
    QPoint framePosition() const;
    // Puts the frame's top-left corner at `topLeft`. A window whose native
    // window exists but is not yet framed goes there once its frame is known:
    // moved before, it would be the client area that is put there (the frame
    // then above and left of it, its title bar off a screen's top).
    void moveFrame(const QPoint& topLeft);
    // The frame's place and size in the normal state, also while minimised
    // or maximised: the bounds the window returns to.
    QRect normalFrameGeometry() const;
    // The frame round the window in the normal state (a maximised window's
    // may differ).
    QMargins normalFrameMargins() const;
    // Keeps this window in front of `owner`. Window systems keep only a
    // dialog in front of the window it belongs to (X11 marks no other
    // window so): the window becomes one, with its title bar's buttons.
    void keepInFrontOf(FormWindow& owner);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Form& form_;
    QWidget* client_;
    QPointer<QMenuBar> menuBar_;
    bool menuBarShown_ = false;
    bool placeAgainWhenFramed_ = false;
    std::optional<QPoint> pendingFramePosition_;
    QRect normalFrame_;
    QMargins normalMargins_;
    QDeadlineTimer framedDeadline_;
    // Looks for the frame while a placement waits for it: the window system
    // may frame a window without moving or resizing it.
    QTimer frameWatch_;

    bool frameKnown() const;
    void watchForFrame();
    void placeAgainIfFramed();
    void noteNormalFrame();
};

} // namespace forms
