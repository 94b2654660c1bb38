#pragma once

#include "log/Timers.h"
#include "mesh/DrawingSurface.h"
#include "shell/CanvasDevice.h"

#include <QImage>

#include <memory>

namespace forms {
class Form;
class MenuItem;
class PictureBox;
} // namespace forms

namespace vantrope {

class Startup;

// The drawing window "Vantrope": the active mesh drawn on a kept canvas that
// fills the client area, and the menu bar. Its key, click and mouse events
// go to the mesh master.
class frmGears : public DrawingSurface {
public:
    // Declares the window; it loads on first use.
    explicit frmGears(Startup& startup);
    ~frmGears() override;

    forms::Form& form();
    forms::MenuItem& menu(const char* name, int index = -1);
    forms::PictureBox& canvasBox();

    // Fits the window to the printer's page proportions while "Fix Drawing
    // and Printer Ratio" is checked: the width follows the height
    // (ChangeWidth) or the height the width.
    void Dims(bool ChangeWidth);
    // Shows "Settings", "Output", "About" and "Mesh" and hides "Help file", or the reverse.
    void ShowMenu(bool Visible);
    // True while the window's unload runs.
    bool closing() const { return closing_; }
    // The drawing as it stands.
    QImage drawing();

    // DrawingSurface
    DrawDevice* device() override { return device_.get(); }
    double clientWidth() override;
    double clientHeight() override;
    void clear() override;
    void drawingDone() override;
    CaptionTarget* timeTarget() override;

private:
    class TimeCaption;

    void build(forms::Form& form);
    void load();
    void resized();
    void unloading();
    void fitCanvas();
    void connectMenus();

    Startup& startup_;
    std::unique_ptr<CanvasDevice> device_;
    std::unique_ptr<TimeCaption> time_;
    bool sizing_ = false;
    bool closing_ = false;
    double previousHeight_ = 0;
};

} // namespace vantrope
