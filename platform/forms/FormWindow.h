#pragma once

#include <QDeadlineTimer>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

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
    QDeadlineTimer framedDeadline_;

    bool frameKnown() const;
    void placeAgainIfFramed();
};

} // namespace forms
