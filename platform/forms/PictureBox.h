#pragma once

#include "Control.h"
#include "Form.h"

#include <QImage>
#include <QPainter>

#include <functional>

namespace forms {

// A container that can show a picture and be drawn on. What is drawn onto its
// canvas stays until cleared (kept drawing); a painter callback draws on top
// at every repaint.
class PictureBox : public Control {
public:
    PictureBox(Form& form, const ControlPlace& place);

    void setPicture(const QImage& picture);
    QImage picture() const { return picture_; }
    // The kept drawing, the size of the box; draw on it, then refresh().
    QImage& canvas();
    void clearCanvas();
    void setPainter(std::function<void(QPainter&)> painter);
    void setBorder(bool border);
    // Renders the box as shown into an image.
    QImage grab();

    QWidget* childArea(int tab) const override;
    bool clickComesFromMouse() const override { return true; }

    Event<> onPaint;

private:
    class Surface;
    friend class Surface;
    void paint(QPainter& painter);

    Surface* surface_;
    QImage picture_;
    QImage canvas_;
    std::function<void(QPainter&)> painter_;
};

} // namespace forms
