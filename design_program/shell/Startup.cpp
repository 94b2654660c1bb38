#include "shell/Startup.h"

#include "shell/OutputWindows.h"
#include "shell/ShellWindows.h"
#include "shell/frmOptions.h"

#include "dialogs/MessageBox.h"
#include "forms/FormsError.h"
#include "forms/Label.h"
#include "forms/TextBox.h"
#include "runtime/RegularFile.h"
#include "runtime/RuntimeError.h"
#include "shell/ProgramFolders.h"

#include <QDateTime>
#include <QDir>

#include <filesystem>


namespace cindrel::shell {

namespace {

const QString RunNotesFileName = QStringLiteral("RunNotes.dat");

// The size is kept without the window system's frame (Form::frameExtra).
WindowPlacement placementOf(forms::Form& form)
{
    const QSizeF frame = form.frameExtra();
    return {form.left(), form.top(), form.width() - frame.width(), form.height() - frame.height(),
            static_cast<int>(form.windowState())};
}

} // namespace

std::string programVersion() { return CINDREL_VERSION; }

std::string versionLine() { return std::string(ProductName) + " Version: " + programVersion(); }

Startup::Startup(registry::Store& store, std::function<void(int)> endProcess, QString commandLine)
    : store_(store), endProcess_(std::move(endProcess)), commandLine_(std::move(commandLine))
{
    misc_ = std::make_unique<frmMisc>(*this);
    modelShell_ = std::make_unique<ProgramShell>(*this);
    runNotes_.setWindow(misc_.get());
    defineWindows();
    // The guard shows every error it catches; the run log keeps it as well.
    forms::setEntryErrorLog([this](std::string_view where, int number, std::string_view description) {
        MainErrHandler("Startup", where, std::to_string(number), description, "");
    });
}

Startup::~Startup()
{
    forms::setEntryErrorLog({});
    releaseAll();
    runNotes_.setWindow(nullptr);
}

void Startup::defineWindows()
{
    defineDisclaimer(*this);
    misc_->define(windows_);
    defineAbout(*this);
    defineHardnessConverter(*this);
    defineRunNotes(*this);
    defineMainWindow(*this);
    agma::AgmaWindowServices agmaServices;
    agmaServices.runLog = &runNotes_;
    agmaServices.programFolder = [] { return std::filesystem::path(shellservices::programFolder().toStdString()); };
    agmaServices.showEquation = [this] { return gobjRegisty_ == nullptr || gobjRegisty_->ShowEquation(); };
    // The window's commit writes the pair and moves the design sequence.
    agmaServices.pair = [this] { return Oset_.get(); };
    agmaServices.pushNextButton = [this](std::int32_t direction) {
        if (gobjStateNavigator_ != nullptr)
            gobjStateNavigator_->PushNextButton(direction);
    };
    agmaServices.all4Horsepowers = [this](const std::optional<std::array<agma::AllowablePowerRow, 2>>& table) {
        if (gobjStateNavigator_ != nullptr)
            gobjStateNavigator_->All4Horsepowers = navigatorPowers(table);
    };
    agmaServices.pressureFactor = [this] { return units_.PressureFactor; };
    agmaServices.rmsFactor = [this] { return units_.RMSFactor; };
    agma_ = std::make_unique<agma::frmAGMA>(windows_, std::move(agmaServices));
    defineOutputWindows(*this);
    manufacturing_ = std::make_unique<frmMFGOutputs>(*this);
    manufacturing_->define();
    defineOptionsDialog(*this);
    // Closing the disclaimer without a button ends the program.
    windows_.find(QStringLiteral("frmDisclaimer"))->onUnload.connect([this](bool&) {
        if (!started_ && !ending_) {
            ending_ = true;
            endProcess_(0);
        }
    });
}

void Startup::Main()
{
    windows_[QStringLiteral("frmDisclaimer")].show();
}

void Startup::AcceptDisclaimer(bool Agreed, bool ShowNotes, bool WriteNotes)
{
    if (!Agreed) {
        ending_ = true;
        endProcess_(0);
        return;
    }
    started_ = true;
    std::string step = "Run notes";
    try {
        runNotes_.ShowRunNotes = ShowNotes;
        if (ShowNotes)
            misc_->showWindow();
        runNotes_.RunNotesPath = shellservices::programFilePath(RunNotesFileName).toStdString();
        runNotes_.WriteRunNotes2File = WriteNotes;
        windows_[QStringLiteral("frmDisclaimer")].unload();
        if (WriteNotes)
            startRunNotesFile();
    } catch (...) {
        startFailed(step, std::current_exception());
        return;
    }
    StartApplication();
}

void Startup::startRunNotesFile()
{
    const QDateTime now = QDateTime::currentDateTime();
    const runtime::CalendarDate date{now.date().year(), now.date().month(), now.date().day()};
    const runtime::ClockTime time{now.time().hour(), now.time().minute(), now.time().second()};
    const std::string inProgramFolder = runNotes_.RunNotesPath;
    const int programError = runNotes_.CreateRunNotesFile(date, time);
    if (programError == 0)
        return;
    const std::string inUserFolder =
        QDir(shellservices::userDataFolder()).filePath(RunNotesFileName).toStdString();
    runNotes_.RunNotesPath = inUserFolder;
    const int userError = runNotes_.CreateRunNotesFile(date, time);
    if (userError == 0) {
        runNotesMoved_ = whyNotWritten(inProgramFolder, programError) + "; run notes go to " + inUserFolder;
        return;
    }
    // A log never stops the program: it runs without the file, and the user
    // hears of it here, as a log that cannot be written cannot tell.
    runNotes_.RunNotesPath = inProgramFolder;
    runNotes_.WriteRunNotes2File = false;
    runNotesMoved_ = "Run notes cannot be written to " + inProgramFolder + " nor to " + inUserFolder +
                     "; they are kept in this window only";
    dialogs::messageBox(QString::fromStdString("Cindrel goes on without writing its run notes.\r\n" +
                                               cannotWriteMessage(inProgramFolder, programError) + "\r\n" +
                                               cannotWriteMessage(inUserFolder, userError)),
                        dialogs::OKOnly + dialogs::IconExclamation);
}

std::string Startup::whyNotWritten(const std::string& path, int error)
{
    if (!runtime::specialFileKind(path).empty())
        return path + " is not a plain file that may be written";
    if (!shellservices::isFolderWritable(shellservices::programFolder()))
        return "The program folder may not be written";
    return path + " cannot be written (" + runtime::errorDescription(runtime::fileErrorNumber(error)) + ")";
}

std::string Startup::runNotesFolder() const
{
    if (runNotes_.WriteRunNotes2File && !runNotes_.RunNotesPath.empty())
        return std::filesystem::path(runNotes_.RunNotesPath).parent_path().string();
    const QString programFolder = shellservices::programFolder();
    return (shellservices::isFolderWritable(programFolder) ? programFolder : shellservices::userDataFolder())
        .toStdString();
}

void Startup::StartApplication()
{
    std::string step;
    try {
        step = "Command line";
        CommandLine_ = commandLine_.toStdString();
        WriteRunNote(versionLine());
        if (!runNotesMoved_.empty())
            WriteRunNote(runNotesMoved_);
        const QString programFolder = shellservices::programFolder();
        const bool programFolderWritable = shellservices::isFolderWritable(programFolder);

        step = "Going to load clsRegistry";
        WriteRunNote(step);
        const QString filesFolder = programFolderWritable ? programFolder : shellservices::userDataFolder();
        gobjRegisty_ = std::make_unique<clsRegisty>(runNotes_, store_, (filesFolder + QStringLiteral("/outputs/")).toStdString());
        gobjRegisty_->setHost(modelShell_.get());

        step = "Run-log window";
        misc_->re_FormLoad();

        step = "Loading Oset";
        WriteRunNote(step);
        Oset_ = std::make_unique<model::T_Set>(*modelShell_);

        step = "Going to load AGMA Form";
        WriteRunNote(step);
        windows_[QStringLiteral("frmAGMA")].load();

        step = "Loaded AGMA form, Going to load Main Form, MSCOMCTL.OCX, olch2x32.ocx ";
        WriteRunNote(step);
        windows_[QStringLiteral("frmMain")].load();

        step = "Going to load Manufacturing Outputs Form, VSPrint7.OCX, MSHFLXGD.OCX";
        WriteRunNote(step);
        windows_[QStringLiteral("frmMFGOutputs")].load();

        step = "Loading Ouputs Class";
        WriteRunNote(step);
        gobjOutputs_ = std::make_unique<outputs::clsQXOutputs>(outputsHost_, windows_);
        gobjOutputs_->setReportHost(&outputsHost_);
        gobjOutputs_->ShowScreenOutputs(-1);

        step = "Unit system";
        SetUnitSystem(false);

        step = "Loading StateNavigator";
        WriteRunNote(step);
        sequencePorts_ = std::make_unique<ProgramSequencePorts>(*this);
        gobjStateNavigator_ = std::make_unique<sequence::T_StateNavigator>(sequencePorts_->ports());
        outputsHost_.setDoneStepsSource([this]() -> const sequence::StateCollection* {
            return gobjStateNavigator_ != nullptr ? &gobjStateNavigator_->StateCollection() : nullptr;
        });

        step = " Loading: T-colData.";
        WriteRunNote(step);
        gobjColData_ = std::make_unique<T_colData>(*this);
    } catch (...) {
        startFailed(step, std::current_exception());
    }
}

void Startup::startFailed(const std::string& step, const std::exception_ptr& error)
{
    const auto [number, description] = runtime::errorTextOf(error);
    MainErrHandler("Startup", "StartApplication", std::to_string(number), description, step);
    dialogs::messageBox(QStringLiteral("Cindrel could not start.\r\nStep: %1\r\nError %2: %3")
                            .arg(QString::fromStdString(step).trimmed())
                            .arg(number)
                            .arg(QString::fromStdString(description)),
                        dialogs::OKOnly + dialogs::IconCritical);
    releaseAll();
    ending_ = true;
    endProcess_(1);
}

void Startup::SetUnitSystem(bool Metric)
{
    units_.set(Metric);
    if (windows_.isLoaded(agma::frmAGMA::WindowName))
        agma_->SetLengthUnit(units_.LengthUnits, units_.LengthFactor);
    forms::Form* main = windows_.find(QStringLiteral("frmMain"));
    if (main == nullptr || !main->isLoaded())
        return;
    const std::pair<const char*, const std::string*> labels[] = {{"lblLengthUnits", &units_.LengthUnits},
                                                                 {"lblPressureUnits", &units_.PressureUnits},
                                                                 {"lblTempUnits", &units_.TempUnits},
                                                                 {"lblRMSUnits", &units_.RMSUnits}};
    for (const auto& [name, text] : labels)
        for (int index : main->arrayIndexes(QString::fromLatin1(name)))
            main->get<forms::Label>(QString::fromLatin1(name), index).setCaption(QString::fromStdString(*text));
}

void Startup::openManufacturingOutputs()
{
    gobjMFGOutputs_ = std::make_unique<outputs::T_MFGOutputs>(*Oset_, mfgHost_);
}

void Startup::ShowNoteText(const QString& text)
{
    misc_->showWindow();
    misc_->clearText();
    windows_[QStringLiteral("frmMisc")].get<forms::TextBox>(QStringLiteral("txtNotes")).setText(text);
}

void Startup::SaveWindowPosition(forms::Form& form)
{
    if (gobjRegisty_ != nullptr)
        gobjRegisty_->SaveWindowPosition(form.name().toStdString(), placementOf(form));
}

void Startup::GetWindowPosition(forms::Form& form)
{
    if (gobjRegisty_ == nullptr)
        return;
    const WindowPlacement stored = gobjRegisty_->GetWindowPosition(form.name().toStdString(), placementOf(form));
    const QSizeF frame = form.frameExtra();
    form.move(stored.left, stored.top, stored.width + frame.width(), stored.height + frame.height());
    if (stored.windowState >= 0 && stored.windowState <= 2)
        form.setWindowState(static_cast<forms::WindowState>(stored.windowState));
}

void Startup::ShutDown()
{
    if (ending_)
        return;
    for (forms::Form* form : windows_.loaded()) {
        try {
            SaveWindowPosition(*form);
        } catch (...) {
            const auto [number, description] = runtime::errorTextOf(std::current_exception());
            MainErrHandler("Startup", "ShutDown", std::to_string(number), description, form->name().toStdString());
        }
    }
    releaseAll();
    misc_->UnloadForm();
    ending_ = true;
    endProcess_(0);
}

void Startup::releaseAll()
{
    gobjStateNavigator_.reset();
    sequencePorts_.reset();
    gobjMFGOutputs_.reset();
    gobjColData_.reset();
    Oset_.reset();
    gobjRegisty_.reset();
    gobjOutputs_.reset();
}

} // namespace cindrel::shell
