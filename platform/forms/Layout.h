#pragma once

#include "Control.h"
#include "Form.h"

#include <QColor>
#include <QKeySequence>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>

namespace forms {

// One row of a window's layout table. Controls come in table order, which is
// their creation order; a container must come before what it holds.
struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    QString name{};
    int index = -1;
    QString container{};        // empty: the window (for a menu item: the menu bar)
    int containerIndex = -1;  // index of the container when it is an array member
    int tab = -1;             // tab of a tab strip container
    double left = 0, top = 0, width = 0, height = 0; // twips
    QString caption{};          // caption, or a text box's or combo's text
    int value = 0;            // check box value, option selected (1), timer interval, slider value
    QString dataField{};        // non-empty: saved in design files
    QStringList items{};        // combo box items; tab strip tabs; list view columns
    QString toolTip{};
    QColor foreColor{};         // invalid: the style's own
    bool visible = true;
    bool enabled = true;
    bool multiLine = false;   // text box
    bool editable = false;    // combo box: a drop-down combo rather than a list
    bool border = true;       // frame, picture box, label
    int maxLength = 0;        // text box
    QKeySequence shortcut{};    // menu item
    int helpContextId = 0;
};

// Kinds built by libraries above this one (the grid) are made by a maker that
// the library registers; a row of a kind without a maker raises 380.
using ControlMaker = std::function<Control&(Form&, const ControlPlace&)>;
void registerControlMaker(ControlKind kind, ControlMaker maker);

// Builds the controls of a layout table on a window. A row naming a container
// that does not exist raises run-time error 340.
void buildLayout(Form& form, std::span<const ControlSpec> layout);
Control& buildControl(Form& form, const ControlSpec& spec);

} // namespace forms
