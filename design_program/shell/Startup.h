#pragma once

#include "agma/frmAGMA.h"
#include "model/T_Set.h"
#include "outputs/T_MFGOutputs.h"
#include "outputs/clsQXOutputs.h"
#include "sequence/T_StateNavigator.h"
#include "shell/MfgOutputsHost.h"
#include "shell/ProgramOutputsHost.h"
#include "shell/ProgramShell.h"
#include "shell/RunNotes.h"
#include "shell/SequencePorts.h"
#include "shell/T_colData.h"
#include "shell/UnitSystem.h"
#include "shell/clsRegisty.h"
#include "shell/frmMFGOutputs.h"
#include "shell/frmMisc.h"

#include "forms/Forms.h"
#include "registry/Store.h"

#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace cindrel::shell {

// The design program's life from the disclaimer to the end of the process,
// and the objects that exist once for the whole run.
class Startup {
public:
    // endProcess ends the process with the given exit code (after the call returns).
    Startup(registry::Store& store, std::function<void(int)> endProcess, QString commandLine = {});
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Shows the disclaimer; the rest runs on the event loop.
    void Main();
    void AcceptDisclaimer(bool Agreed, bool ShowNotes, bool WriteNotes);
    void StartApplication();
    // Stores every loaded window's position, releases everything and ends the process.
    void ShutDown();
    void ShowNoteText(const QString& text);
    void SetUnitSystem(bool Metric);

    void WriteRunNote(std::string_view message) { runNotes_.WriteRunNote(message); }
    void MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                        std::string_view description, std::string_view other)
    {
        runNotes_.MainErrHandler(module, routine, number, description, other);
    }

    RunNotes& runLog() { return runNotes_; }
    const UnitSystem& units() const { return units_; }
    forms::Forms& windows() { return windows_; }
    frmMisc& runLogWindow() { return *misc_; }
    // The AGMA factors window's own members (the design file stops its events
    // and has it reselect the materials after a read).
    agma::frmAGMA& agmaWindow() { return *agma_; }
    ProgramShell& modelShell() { return *modelShell_; }
    registry::Store& store() { return store_; }
    ProgramOutputsHost& outputsHost() { return outputsHost_; }
    MfgOutputsHost& mfgHost() { return mfgHost_; }
    frmMFGOutputs& manufacturingWindow() { return *manufacturing_; }
    bool isStarted() const { return started_; }
    // Where the run notes go, and the analyses' dumps with them: the folder
    // of the run-notes file, or, when none could be written, the program
    // folder (the per-user data folder when that may not be written).
    std::string runNotesFolder() const;

    // The global objects of the run. Each is null before start-up and after
    // shut-down, so callers that may run then check for null.
    const std::string& CommandLine() const { return CommandLine_; }
    clsRegisty* gobjRegisty() { return gobjRegisty_.get(); }
    const clsRegisty* gobjRegisty() const { return gobjRegisty_.get(); }
    model::T_Set* Oset() { return Oset_.get(); }
    const model::T_Set* Oset() const { return Oset_.get(); }
    outputs::clsQXOutputs* gobjOutputs() { return gobjOutputs_.get(); }
    const outputs::clsQXOutputs* gobjOutputs() const { return gobjOutputs_.get(); }
    sequence::T_StateNavigator* gobjStateNavigator() { return gobjStateNavigator_.get(); }
    const sequence::T_StateNavigator* gobjStateNavigator() const { return gobjStateNavigator_.get(); }
    T_colData* gobjColData() { return gobjColData_.get(); }
    const T_colData* gobjColData() const { return gobjColData_.get(); }
    // Exists only while the manufacturing outputs window is open.
    outputs::T_MFGOutputs* gobjMFGOutputs() { return gobjMFGOutputs_.get(); }
    const outputs::T_MFGOutputs* gobjMFGOutputs() const { return gobjMFGOutputs_.get(); }
    // A fresh table for the current pair, in place of any earlier one; needs the pair.
    void openManufacturingOutputs();
    void closeManufacturingOutputs() { gobjMFGOutputs_.reset(); }

    // The key code of the last key pressed on the main window; 0 before any.
    int KeyState() const { return KeyState_; }
    void setKeyState(int keyCode) { KeyState_ = keyCode; }

    // Saves and restores a window's place through the settings object.
    void SaveWindowPosition(forms::Form& form);
    void GetWindowPosition(forms::Form& form);

private:
    void defineWindows();
    void releaseAll();
    // Recreates the run notes in the program folder, else in the per-user data
    // folder; where neither can be written, the run goes on without the file.
    void startRunNotesFile();
    static std::string whyNotWritten(const std::string& path, int error);
    // A step of start-up that failed: told to the user, logged, and the program ends.
    void startFailed(const std::string& step, const std::exception_ptr& error);

    // Declared ahead of the members below, so built before and destroyed after
    // them as always; releaseAll sets the order they are released in.
    std::string CommandLine_;
    std::unique_ptr<clsRegisty> gobjRegisty_;
    std::unique_ptr<model::T_Set> Oset_;
    std::unique_ptr<outputs::clsQXOutputs> gobjOutputs_;
    std::unique_ptr<sequence::T_StateNavigator> gobjStateNavigator_;
    std::unique_ptr<T_colData> gobjColData_;
    std::unique_ptr<outputs::T_MFGOutputs> gobjMFGOutputs_;
    int KeyState_ = 0;
    // Said in the run log at start when the notes could not go to the program folder.
    std::string runNotesMoved_;

    registry::Store& store_;
    std::function<void(int)> endProcess_;
    QString commandLine_;
    RunNotes runNotes_;
    UnitSystem units_;
    std::unique_ptr<frmMisc> misc_;
    std::unique_ptr<ProgramShell> modelShell_;
    std::unique_ptr<agma::frmAGMA> agma_;
    ProgramOutputsHost outputsHost_{*this};
    MfgOutputsHost mfgHost_{*this};
    std::unique_ptr<frmMFGOutputs> manufacturing_;
    // What the navigator works through; released right after it.
    std::unique_ptr<ProgramSequencePorts> sequencePorts_;
    // Last, so that the windows go before what their handlers refer to.
    forms::Forms windows_;
    bool started_ = false;
    bool ending_ = false;
};

// The program's version, major, minor and revision as plain whole numbers: "1.0.0".
std::string programVersion();
// The version line: "Cindrel Version: 1.0.0".
std::string versionLine();
inline constexpr const char* ProductName = "Cindrel";

} // namespace cindrel::shell
