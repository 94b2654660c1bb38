#include "shell/Startup.h"

#include "shell/frmGears.h"
#include "shell/frmInputs.h"
#include "shell/PrintDrawing.h"
#include "shell/frmSettings.h"
#include "shell/mMiscellaneous.h"

#include "dialogs/mAPI_misc.h"
#include "export/OutlineExport.h"
#include "forms/EntryGuard.h"
#include "forms/OptionButton.h"
#include "shell/ProgramFolders.h"
#include "messages/frmMessage.h"
#include "runtime/ResumeNext.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <QDateTime>

namespace vantrope {

namespace {

constexpr char LoggedSection[] = "Logged";

// A stored switch: "-1" (or any number but 0) and "True" are on, "0" and
// "False" off; anything else keeps the default.
bool storedSwitch(SettingsStore& store, const std::string& app, const char* key, bool defaultValue)
{
    const std::string text = store.GetSetting(app, LoggedSection, key, defaultValue ? "-1" : "0");
    if (runtime::isNumeric(text))
        return runtime::toNumber(text) != 0.0;
    const QString word = QString::fromStdString(text).trimmed();
    if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return defaultValue;
}

} // namespace

Startup::Startup(SettingsStore& store, EndProcess endProcess, std::string appName)
    : store_(store), endProcess_(std::move(endProcess)), appName_(std::move(appName)), trace_(run.Logged)
{
    messages_ = std::make_unique<frmMessage>();
    logger_ = std::make_unique<MessageLogger>(*messages_);
    draw_ = std::make_unique<mAPI_draw>(*logger_);
    gears_ = std::make_unique<frmGears>(*this);
    inputs_ = std::make_unique<frmInputs>(*this);
    settingsDialog_ = std::make_unique<frmSettings>(*this);
    // The guard shows every error it catches; the message window keeps it as well.
    forms::setEntryErrorLog([this](std::string_view where, int number, std::string_view description) {
        logger_->LogMessage("Startup", where, std::to_string(number), description, "");
    });
    shellServices.ShowSettings = [this](double left, double top) {
        if (Osettings)
            settingsDialog_->Show(left, top);
    };
    // The window's proportions follow the part of the page that is printed on.
    shellServices.PrinterPage = [this] { return defaultPrinterUsablePage(printSetup); };
    misc_ = mMiscellaneous::install(*this);
}

Startup::~Startup()
{
    // The meshes refer to the elements' services and the drawing window:
    // they go first, the windows last, with no end of program on the way.
    ending_ = true;
    forms::setEntryErrorLog({});
    OmeshMaster.reset();
    meshServices_.reset();
    elementServices_.reset();
    Osettings.reset();
    windows_.unloadAll(forms::UnloadReason::Code);
}

void Startup::Main()
{
    run.Logged = storedSwitch(store_, appName_, "Logged", true);
    // Off on a fresh install: the marks are for finding faults, not for drawings.
    run.DebugMode = storedSwitch(store_, appName_, "DebugMode", false);
    const QDateTime now = QDateTime::currentDateTime();
    trace_.write("Sub Main " + now.toString(QStringLiteral("M/d/yyyy")).toStdString() + ", " +
                 now.toString(QStringLiteral("h:mm:ss AP")).toStdString());
    run.IncrementsEdge = 5;
    run.IncrementsInvolute = 10;
    run.IncrementsRoot = 7;
    Osettings = std::make_unique<clsSettings>(store_, appName_, run, trace_, pens_, *logger_);
    logger_->setMessagesOff([this] { return Osettings && Osettings->noMessages; });
    elementServices_ = std::make_unique<ElementServices>(ElementServices{run, trace_, *logger_, *Osettings, *draw_});
    meshServices_ = std::make_unique<MeshServices>(MeshServices{*elementServices_, store_, appName_, timers_, *this});
    meshServices_->outputs.writeTextFile = [this](clsMesh& mesh, bool dxf) { writeOutline(mesh, dxf); };
    meshServices_->outputs.print = [this](clsMesh& mesh) { PrintOutPut(mesh, *Osettings, trace_, *logger_, printSetup); };
    // The mesh master binds its meshes to the drawing window, which loads
    // here, and shows it.
    gears_->form();
    OmeshMaster = std::make_unique<clsMeshMaster>(*meshServices_, *gears_);
    gears_->form().show();
    messages_->hide();
    // The message window keeps its place like the other windows.
    if (shellServices.FormPosition && misc_)
        runtime::ignoringNumberedErrors([&] { misc_->WindowPosition(true, *messages_, "frmMessage"); });
}

void Startup::writeOutline(clsMesh& mesh, bool dxf)
{
    if (!Osettings || !mesh.firstElement() || !mesh.secondElement())
        return;
    // The line of action goes with the pinion of the pinion and gear mesh.
    auto loaOf = [](clsGear& element) -> std::optional<LoaPointTable> {
        if (element.Name == element::Pinion && element.meshIndex() == 1)
            return element.LOAPoints(true);
        return std::nullopt;
    };
    MeshOutline outline{*mesh.firstElement(), *mesh.secondElement(), loaOf(*mesh.firstElement()),
                        loaOf(*mesh.secondElement())};
    const auto ask = [this](const std::string& filter) {
        mAPI_misc common(store_, appName_, DialogFileName, shellservices::programFolder().toStdString(), *logger_);
        return common.ShowSaveDialog(gears_->form().window(), filter);
    };
    WriteTextFile(outline, dxf, ask, *Osettings, trace_, *logger_);
}

void Startup::SetExposer(InputSource* exposer)
{
    runtime::ignoringNumberedErrors([&] {
        trace_.write("SetExposer, set inputsource as ExposeVantrope");
        OinputSource = exposer;
    });
}

InputSource* Startup::adoptInputsDialog()
{
    OinputSource = inputs_.get();
    // Selecting the pinion and gear mesh reads and draws it.
    runtime::ignoringNumberedErrors([&] { inputs_->form().get<forms::OptionButton>(QStringLiteral("optMesh"), 1).setSelected(true); });
    runtime::ignoringNumberedErrors([&] {
        if (!inputs_->form().visible())
            inputs_->form().show();
    });
    return OinputSource;
}

bool Startup::currentIsInputsDialog()
{
    return OinputSource != nullptr && OinputSource == inputs_.get();
}

void Startup::notAvailable(const char* command) const
{
    trace_.write(std::string(command) + ": not available");
}

void Startup::EndProgram()
{
    // The windows' unload handlers come back here; the first call finishes.
    if (ending_)
        return;
    ending_ = true;
    runtime::ignoringNumberedErrors([&] {
        trace_.write("Ending program......");
        trace_.writeEmptyRecord();
    });
    runtime::ignoringNumberedErrors([&] { store_.SaveSetting(appName_, LoggedSection, "DebugMode", run.DebugMode ? "-1" : "0"); });
    runtime::ignoringNumberedErrors([&] { inputs_->unload(); });
    runtime::ignoringNumberedErrors([&] {
        if (windows_.isLoaded(QStringLiteral("frmGears")) && !gears_->closing())
            gears_->form().unload();
    });
    // Each mesh stores its zoom; the settings store everything.
    runtime::ignoringNumberedErrors([&] { OmeshMaster.reset(); });
    runtime::ignoringNumberedErrors([&] {
        if (Osettings)
            Osettings->save();
    });
    runtime::ignoringNumberedErrors([&] {
        if (shellServices.FormPosition && misc_)
            misc_->WindowPosition(false, *messages_, "frmMessage");
    });
    runtime::ignoringNumberedErrors([&] { messages_->close(); });
    OinputSource = nullptr;
    ended_ = true;
    if (endProcess_)
        endProcess_(0);
}

} // namespace vantrope
