#pragma once

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Form& form_;
    QWidget* client_;
    QPointer<QMenuBar> menuBar_;
    bool menuBarShown_ = false;
};

} // namespace forms
