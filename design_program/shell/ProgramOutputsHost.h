#pragma once

#include "outputs/OutputsHost.h"
#include "outputs/ReportHost.h"
#include "forms/BusyCursor.h"

#include <functional>
#include <memory>
#include <vector>

namespace cindrel::shell {

class Startup;

// The outputs object's view of the program: the run log, the settings object,
// window places, the labels of the loaded windows, the navigator's done steps
// and what the printed report takes from the program.
class ProgramOutputsHost : public outputs::OutputsHost, public outputs::ReportHost {
public:
    explicit ProgramOutputsHost(Startup& startup) : startup_(startup) {}

    // Where the done steps come from once the navigator exists.
    void setDoneStepsSource(std::function<const sequence::StateCollection*()> source) { doneSteps_ = std::move(source); }

    void WriteRunNote(std::string_view message) override;
    void MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                        std::string_view description, std::string_view other) override;
    std::string ScrnOutFontName() override;
    void ScrnOutFontName(std::string_view name) override;
    std::int32_t ScrnOutFontSize() override;
    void ScrnOutFontSize(double points) override;
    bool AutoUpdatePreference() override;
    bool ShowMensButts() override;
    void ShowMensButts(bool show) override;
    void GetWindowPosition(forms::Form& window) override;
    void SaveWindowPosition(forms::Form& window) override;
    const sequence::StateCollection* doneSteps() override { return doneSteps_ ? doneSteps_() : nullptr; }
    std::string labelCaption(const results::LabelRef& label) override;
    outputs::clsQXOutputs* outputsObject() override;

    bool SetPrinter() override;
    dialogs::PrinterChoice chosenPrinter() override;
    std::string UserInfo(std::string_view valueName) override;
    std::int32_t ShowNoShowMessage(std::string_view message, std::string_view valueName, std::int32_t buttons) override;
    void ShowOptionsPreferences(std::int32_t tab) override;
    std::string RunNotesCaption() override;
    std::string ActiveFileName(bool withExtension, bool withFolder) override;
    std::string DefaultFileName() override;
    std::string ProgramVersion() override;
    void BeginBusy() override;
    void EndBusy() override;
    QDateTime Now() override { return QDateTime::currentDateTime(); }
    analyses::T_Chart* chartObject() override;
    void drawShownChart(QPainter& painter, const QRectF& target) override;

private:
    Startup& startup_;
    std::function<const sequence::StateCollection*()> doneSteps_;
    // One wait cursor for each BeginBusy not yet ended.
    std::vector<std::unique_ptr<forms::BusyCursor>> busy_;
};

} // namespace cindrel::shell
