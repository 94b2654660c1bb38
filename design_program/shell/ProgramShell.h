#pragma once

#include "model/ModelShell.h"
#include "shell/clsRegisty.h"

#include <functional>
#include <string>

namespace cindrel::shell {

class Startup;

// What the gear pair model and the settings object ask of the running
// program, answered from the run log, the units, the settings, the main
// window and the design-file object of the run.
class ProgramShell : public model::ModelShell, public SettingsHost {
public:
    explicit ProgramShell(Startup& startup) : startup_(startup) {}

    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override;
    void writeRunNote(std::string_view note) override;
    void showFatalError(std::string_view title, std::string_view text) override;
    void showMessage(std::string_view text) override;
    double toothOrientation() const override;
    int lastKeyPressed() const override;
    bool createCsv() const override;
    std::string activeFileName(bool withExtension, bool withDirectoryStructure) const override;
    // Written to a temporary file beside the target, renamed over it by runtime::commitOutput.
    std::unique_ptr<std::ostream> openOutputFile(const std::string& path) override;
    std::unique_ptr<std::istream> openInputFile(const std::string& path) override;
    std::string programFolder() const override;
    std::string runNotesFolder() const override;
    bool MetricUnits() const override;
    double LengthFactor() const override;
    double ForceFactor() const override;
    double PressureFactor() const override;
    bool SubSurfaceLongPrint() const override;
    bool UpDatePinListEveryTime() const override;
    // From the program's numbered message table; empty for a number it lacks.
    std::string messageText(int number) const override;
    // The real scoring, subsurface shear and deflection analyses.
    model::AnalysisFactory& analysisFactory() override;
    // The drawing program beside this one, reached through its automation class.
    model::DrawingProgram& drawingProgram() override;

    bool activeDesignIsDefault() const override;
    void openDesignFile(const std::string& path) override;
    void showRecentFiles(const std::vector<std::string>& captions) override;

private:
    Startup& startup_;
    std::unique_ptr<model::DrawingProgram> drawingProgram_;
};

// A text file that appears under its name only once it was written whole: an
// atomic file, put in place by runtime::commitOutput; dropped without it, an
// earlier file is left as it was. A failed commit (a failed write included)
// is reported to `reporter` and its message handed to `tell`. Null, with
// errno set, when the file cannot be started.
std::unique_ptr<std::ostream> openCompletedOnClose(const std::string& path, runtime::ErrorReporter& reporter,
                                                   std::function<void(const std::string&)> tell);

// What the user is told when the file cannot be written: its path and the
// reason for the errno.
std::string cannotWriteMessage(const std::string& path, int error);

} // namespace cindrel::shell
