#pragma once

#include "results/ResultTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace forms {
class Form;
}
namespace cindrel::sequence {
class StateCollection;
}

namespace cindrel::outputs {

class clsQXOutputs;

// What the outputs object and its windows need of the rest of the program:
// the run log, the settings, window positions, the navigator's done steps
// and the captions of labels that results cells name. The shell implements
// it; tests use a recording fake.
class OutputsHost {
public:
    virtual ~OutputsHost() = default;

    virtual void WriteRunNote(std::string_view message) = 0;
    virtual void MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                                std::string_view description, std::string_view other) = 0;

    virtual std::string ScrnOutFontName() = 0;
    virtual void ScrnOutFontName(std::string_view name) = 0;
    virtual std::int32_t ScrnOutFontSize() = 0;
    virtual void ScrnOutFontSize(double points) = 0;
    // The stored automatic-update preference.
    virtual bool AutoUpdatePreference() = 0;
    virtual bool ShowMensButts() = 0;
    virtual void ShowMensButts(bool show) = 0;
    virtual void GetWindowPosition(forms::Form& window) = 0;
    virtual void SaveWindowPosition(forms::Form& window) = 0;

    // The navigator's done steps; null while there is no navigator.
    virtual const sequence::StateCollection* doneSteps() = 0;
    // The caption of a label a results cell names; "" when it is not loaded.
    virtual std::string labelCaption(const results::LabelRef& label) = 0;
    // The program's one outputs object; null before it exists and after its release.
    virtual clsQXOutputs* outputsObject() = 0;
};

} // namespace cindrel::outputs
