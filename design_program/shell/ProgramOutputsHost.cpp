#include "shell/ProgramOutputsHost.h"

#include "shell/Startup.h"

#include "forms/Label.h"

namespace cindrel::shell {

void ProgramOutputsHost::WriteRunNote(std::string_view message) { startup_.WriteRunNote(message); }

void ProgramOutputsHost::MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                                        std::string_view description, std::string_view other)
{
    startup_.MainErrHandler(module, routine, number, description, other);
}

// Before the settings object exists the defaults stand.
std::string ProgramOutputsHost::ScrnOutFontName()
{
    return startup_.gobjRegisty ? startup_.gobjRegisty->ScrnOutFontName() : std::string("Arial");
}

void ProgramOutputsHost::ScrnOutFontName(std::string_view name)
{
    if (startup_.gobjRegisty)
        startup_.gobjRegisty->ScrnOutFontName(name);
}

std::int32_t ProgramOutputsHost::ScrnOutFontSize()
{
    return startup_.gobjRegisty ? startup_.gobjRegisty->ScrnOutFontSize() : 10;
}

void ProgramOutputsHost::ScrnOutFontSize(double points)
{
    if (startup_.gobjRegisty)
        startup_.gobjRegisty->ScrnOutFontSize(points);
}

bool ProgramOutputsHost::AutoUpdatePreference() { return startup_.gobjRegisty ? startup_.gobjRegisty->AutoUpdate() : true; }

bool ProgramOutputsHost::ShowMensButts() { return startup_.gobjRegisty ? startup_.gobjRegisty->ShowMensButts() : true; }

void ProgramOutputsHost::ShowMensButts(bool show)
{
    if (startup_.gobjRegisty)
        startup_.gobjRegisty->ShowMensButts(show);
}

void ProgramOutputsHost::GetWindowPosition(forms::Form& window) { startup_.GetWindowPosition(window); }

void ProgramOutputsHost::SaveWindowPosition(forms::Form& window) { startup_.SaveWindowPosition(window); }

std::string ProgramOutputsHost::labelCaption(const results::LabelRef& label)
{
    const forms::Control* control = startup_.windows().findControl(QString::fromStdString(label.window),
                                                                   QString::fromStdString(label.name), label.index);
    const auto* found = dynamic_cast<const forms::Label*>(control);
    return found != nullptr ? found->caption().toStdString() : std::string();
}

outputs::clsQXOutputs* ProgramOutputsHost::outputsObject() { return startup_.gobjOutputs.get(); }

} // namespace cindrel::shell
