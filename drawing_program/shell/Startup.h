#pragma once

#include "drawing/SettingsStore.h"
#include "drawing/clsSettings.h"
#include "drawing/mAPI_draw.h"
#include "log/MessageLogger.h"
#include "log/RunState.h"
#include "log/Timers.h"
#include "log/TraceLog.h"
#include "mesh/clsMeshMaster.h"
#include "shell/PrintDrawing.h"
#include "shell/ShellServices.h"

#include "forms/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace vantrope {

class frmGears;
class frmInputs;
class frmMessage;
class mMiscellaneous;
class frmSettings;

// The program-wide variables of the drawing program and its start and end.
// One per process; the windows and the mesh master live here.
class Startup : public InputSourceHolder {
public:
    using EndProcess = std::function<void(int exitCode)>;

    // The application name addresses the settings store ("Vantrope").
    Startup(SettingsStore& store, EndProcess endProcess, std::string appName = "Vantrope");
    ~Startup() override;
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Switches, point counts, settings, mesh master (which shows the drawing
    // window), the message window loaded hidden.
    void Main();
    // Makes the object the input source (the automation class calls it with itself).
    void SetExposer(InputSource* exposer);
    // Stores what the run keeps and ends the process through EndProcess.
    void EndProgram();
    bool hasEnded() const { return ended_; }

    // InputSourceHolder
    InputSource* current() override { return OinputSource; }
    InputSource* adoptInputsDialog() override;
    bool currentIsInputsDialog() override;

    RunState run;
    std::unique_ptr<clsSettings> Osettings;
    std::unique_ptr<clsMeshMaster> OmeshMaster;
    InputSource* OinputSource = nullptr;
    std::string DialogFileName;
    ShellServices shellServices;
    // The printer and paper of "Print drawing".
    PrintSetup printSetup;

    forms::Forms& windows() { return windows_; }
    frmGears& gears() { return *gears_; }
    frmInputs& inputs() { return *inputs_; }
    frmMessage& messages() { return *messages_; }
    frmSettings& settingsDialog() { return *settingsDialog_; }
    MessageLogger& logger() { return *logger_; }
    const TraceLog& trace() const { return trace_; }
    Timers& timers() { return timers_; }
    MeshServices& meshServices() { return *meshServices_; }
    SettingsStore& store() { return store_; }
    const std::string& appName() const { return appName_; }
    PenTable& pens() { return pens_; }

    // A command whose service is not set.
    void notAvailable(const char* command) const;

private:
    // The Output menu's DXF and text outline of a mesh.
    void writeOutline(clsMesh& mesh, bool dxf);

    SettingsStore& store_;
    EndProcess endProcess_;
    std::string appName_;
    TraceLog trace_;
    PenTable pens_;
    Timers timers_;
    forms::Forms windows_;
    std::unique_ptr<frmMessage> messages_;
    std::unique_ptr<MessageLogger> logger_;
    std::unique_ptr<mAPI_draw> draw_;
    std::unique_ptr<ElementServices> elementServices_;
    std::unique_ptr<MeshServices> meshServices_;
    std::unique_ptr<frmGears> gears_;
    std::unique_ptr<frmInputs> inputs_;
    std::unique_ptr<frmSettings> settingsDialog_;
    // The inputs file and window positions.
    std::shared_ptr<mMiscellaneous> misc_;
    bool ending_ = false;
    bool ended_ = false;
};

} // namespace vantrope
