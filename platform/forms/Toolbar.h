#pragma once

#include "Control.h"
#include "Form.h"

#include <QIcon>
#include <QString>

#include <vector>

class QAction;
class QToolBar;

namespace forms {

// A row of image buttons found by key, each with its tool tip, shown or
// hidden one by one; a click raises onButtonClick with the button's key.
// An unknown key raises run-time error 35601, a key used twice 35602.
class Toolbar : public Control {
public:
    Toolbar(Form& form, const ControlPlace& place);

    void addButton(const QString& key, const QIcon& image, const QString& toolTip);
    std::vector<QString> buttonKeys() const;
    QString buttonToolTip(const QString& key) const;
    bool buttonVisible(const QString& key) const;
    void setButtonVisible(const QString& key, bool visible);
    // The widget standing for a button, for tests that press it.
    QWidget* buttonWidget(const QString& key) const;

    Event<const QString&> onButtonClick;

private:
    QAction* action(const QString& key) const;

    QToolBar* bar_;
    std::vector<std::pair<QString, QAction*>> buttons_;
};

// One of the images compiled into the program for its toolbars, by name
// ("close-window", "update-outputs", "main-inputs", "center-distance",
// "tooth-thickness", "tooth-proportions", "hob-information", "tooth-load",
// "agma-factors", "scoring"); a null icon for any other name.
QIcon toolbarImage(const QString& name);
std::vector<QString> toolbarImageNames();

} // namespace forms
