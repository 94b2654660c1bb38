#pragma once

#include "model/DrawingProgram.h"
#include "model/PairAnalyses.h"
#include "runtime/ErrorReporter.h"

#include <memory>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace cindrel::model {

// What the gear pair model needs of the program around it. The shell
// implements it; tests use a recorder. The model never reaches a window,
// the settings or a file any other way.
class ModelShell : public runtime::RunLog {
public:
    // A message box with the critical-error icon and its own title
    // ("FATAL ERROR", "Fatal Error"); the calculation goes on after it.
    virtual void showFatalError(std::string_view title, std::string_view text) = 0;

    // A message box with an OK button and the program's own title.
    virtual void showMessage(std::string_view text) = 0;

    // The caption of the main window's tooth-orientation mode label
    // (0 spur, 1 helical, 2 herringbone), read as a number.
    virtual double toothOrientation() const = 0;

    // Key code of the last key pressed on the main window; 0 before any key.
    virtual int lastKeyPressed() const = 0;

    // The CSV setting: true when the bending traces are to be written.
    virtual bool createCsv() const = 0;

    // The active design file's name, with or without extension and folder.
    virtual std::string activeFileName(bool withExtension, bool withDirectoryStructure) const = 0;

    // Opens a text file for output, to replace an earlier one. Returns null when
    // it could not be opened (the shell has already told the user). The file
    // takes its place only through runtime::commitOutput; a stream destroyed
    // without it, an error unwinding included, leaves the earlier file as it was.
    virtual std::unique_ptr<std::ostream> openOutputFile(const std::string& path) = 0;

    // Opens a text file for input. Returns null when it could not be opened.
    virtual std::unique_ptr<std::istream> openInputFile(const std::string& path);

    // The folder of the program's executable, where its data files are kept
    // (no trailing "/"); empty means the working folder.
    virtual std::string programFolder() const { return {}; }

    // The folder the run notes go to, where the analyses leave their dumps
    // (no trailing "/"); the program folder unless the shell says otherwise.
    virtual std::string runNotesFolder() const { return programFolder(); }

    // The display unit system: values are held in English units and shown
    // multiplied by these factors. English until the shell switches.
    virtual bool MetricUnits() const { return false; }
    virtual double LengthFactor() const { return 1.0; }
    virtual double ForceFactor() const { return 1.0; }
    virtual double PressureFactor() const { return 1.0; }

    // Settings the model reads.
    virtual bool SubSurfaceLongPrint() const { return false; }
    virtual bool UpDatePinListEveryTime() const { return false; }

    // A text of the numbered message table; empty where the shell has none.
    virtual std::string messageText(int number) const;

    // Builds the pair's contact analyses; the program hands over the real
    // ones, the default builds inert stand-ins.
    virtual AnalysisFactory& analysisFactory() { return AnalysisFactory::inert(); }

    // The drawing program the pair hands its design to. By default none is
    // installed and creating it fails with error 429.
    virtual DrawingProgram& drawingProgram();
};

// Key codes the model compares with lastKeyPressed().
inline constexpr int KeyF12 = 123;

} // namespace cindrel::model
