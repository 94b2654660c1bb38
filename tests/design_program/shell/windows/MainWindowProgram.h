#pragma once

#include "StartedProgram.h"

#include "forms/ComboBox.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/OptionButton.h"
#include "forms/PictureBox.h"

// The design program started through the disclaimer, with its main window loaded.
class MainWindowProgram : public StartedProgram {
protected:
    void SetUp() override { answerDisclaimer(true, true); }

    forms::Form& main() { return window("frmMain"); }

    template <typename T = forms::Control>
    T& on(const char* name, int index = -1)
    {
        return main().get<T>(QString::fromLatin1(name), index);
    }
    forms::Label& label(const char* name, int index = -1) { return on<forms::Label>(name, index); }
    forms::ComboBox& combo(const char* name, int index = -1) { return on<forms::ComboBox>(name, index); }
    forms::TextBox& box(const char* name, int index = -1) { return on<forms::TextBox>(name, index); }
    bool selected(const char* name, int index) { return on<forms::OptionButton>(name, index).isSelected(); }
    bool shown(const char* name, int index = -1) { return on(name, index).visible(); }
    std::string caption(const char* name, int index = -1) { return label(name, index).caption().toStdString(); }
    // Sets a mode label as the design-file reader does.
    void setMode(const char* name, const char* value, int index = -1)
    {
        label(name, index).setCaption(QString::fromUtf8(value));
    }
};
