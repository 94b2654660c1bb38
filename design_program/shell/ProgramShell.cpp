#include "shell/ProgramShell.h"

#include "shell/AutomatedDrawingProgram.h"
#include "shell/Startup.h"

#include "analyses/ContactAnalyses.h"
#include "resources/ResourceStrings.h"

#include "dialogs/MessageBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "runtime/AtomicFile.h"
#include "runtime/RegularFile.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "shell/ProgramFolders.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace cindrel::shell {

namespace {

// An atomic file whose failure to commit (a write that failed before it
// included) is logged and told to the user, with the system's own error (a
// full disk above all), not a generic one.
class ReportedAtomicFile : public runtime::AtomicFile {
public:
    ReportedAtomicFile(const std::string& target, runtime::ErrorReporter& reporter,
                       std::function<void(const std::string&)> tell)
        : runtime::AtomicFile(target), path_(target), reporter_(reporter), tell_(std::move(tell))
    {
    }
    int commit() override
    {
        const int error = runtime::AtomicFile::commit();
        if (error != 0) {
            const int number = runtime::fileErrorNumber(error);
            reporter_.reportError("T_colData", "OpenFile", std::to_string(number), runtime::errorDescription(number),
                                  path_);
            if (tell_)
                tell_(cannotWriteMessage(path_, error));
        }
        return error;
    }

private:
    std::string path_;
    runtime::ErrorReporter& reporter_;
    std::function<void(const std::string&)> tell_;
};

} // namespace

namespace {

// The reason after the error's text, where the error number alone does not say it.
std::string reasonFor(const std::string& path, int error)
{
    const std::string reason = runtime::fileProblemReason(path, error);
    if (reason.empty())
        return reason;
    std::string spaced(" "); // appended: g++ 12 warns falsely (-Wrestrict) on " " + reason
    spaced += reason;
    return spaced;
}

} // namespace

std::string cannotWriteMessage(const std::string& path, int error)
{
    return "Cannot write the file " + path + ": " + runtime::errorDescription(runtime::fileErrorNumber(error)) +
           reasonFor(path, error);
}

std::unique_ptr<std::ostream> openCompletedOnClose(const std::string& path, runtime::ErrorReporter& reporter,
                                                   std::function<void(const std::string&)> tell)
{
    auto file = std::make_unique<ReportedAtomicFile>(path, reporter, std::move(tell));
    if (!file->isOpen()) {
        errno = file->error();
        return nullptr;
    }
    return file;
}

void ProgramShell::reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                               std::string_view description, std::string_view other)
{
    startup_.MainErrHandler(module, routine, errorNumber, description, other);
}

void ProgramShell::writeRunNote(std::string_view note) { startup_.WriteRunNote(note); }

void ProgramShell::showFatalError(std::string_view title, std::string_view text)
{
    dialogs::messageBox(QString::fromStdString(std::string(text)), dialogs::OKOnly + dialogs::IconCritical,
                        QString::fromStdString(std::string(title)));
}

void ProgramShell::showMessage(std::string_view text)
{
    dialogs::messageBox(QString::fromStdString(std::string(text)));
}

double ProgramShell::toothOrientation() const
{
    const forms::Control* label =
        startup_.windows().findControl(QStringLiteral("frmMain"), QStringLiteral("lblToothOrient"));
    if (label == nullptr)
        return 0;
    return runtime::leadingNumber(label->value().toString().toStdString());
}

int ProgramShell::lastKeyPressed() const { return startup_.KeyState(); }

bool ProgramShell::createCsv() const
{
    return startup_.gobjRegisty() != nullptr && startup_.gobjRegisty()->CreateCSV();
}

std::string ProgramShell::activeFileName(bool withExtension, bool withDirectoryStructure) const
{
    if (startup_.gobjColData() == nullptr)
        return {};
    return startup_.gobjColData()->ActiveFileName(withExtension, withDirectoryStructure);
}

std::unique_ptr<std::ostream> ProgramShell::openOutputFile(const std::string& path)
{
    // Every failure of the file is told alike: at the open, and at the commit.
    auto file = openCompletedOnClose(path, *this, [this](const std::string& text) { showMessage(text); });
    if (file == nullptr)
        showMessage(cannotWriteMessage(path, errno));
    return file;
}

std::unique_ptr<std::istream> ProgramShell::openInputFile(const std::string& path)
{
    if (const int number = runtime::specialFileError(path)) {
        showMessage("Cannot read the file " + path + ": " + runtime::errorDescription(number) + reasonFor(path, 0));
        return nullptr;
    }
    return ModelShell::openInputFile(path);
}

std::string ProgramShell::programFolder() const { return shellservices::programFolder().toStdString(); }

std::string ProgramShell::runNotesFolder() const { return startup_.runNotesFolder(); }

bool ProgramShell::MetricUnits() const { return startup_.units().MetricUnits; }
double ProgramShell::LengthFactor() const { return startup_.units().LengthFactor; }
double ProgramShell::ForceFactor() const { return startup_.units().ForceFactor; }
double ProgramShell::PressureFactor() const { return startup_.units().PressureFactor; }

bool ProgramShell::SubSurfaceLongPrint() const
{
    return startup_.gobjRegisty() != nullptr && startup_.gobjRegisty()->SubSurfaceLongPrint() != 0;
}

bool ProgramShell::UpDatePinListEveryTime() const
{
    return startup_.gobjRegisty() != nullptr && startup_.gobjRegisty()->UpDatePinListEveryTime();
}

std::string ProgramShell::messageText(int number) const
{
    return std::string(resources::findResourceString(number).value_or(std::string_view()));
}

model::DrawingProgram& ProgramShell::drawingProgram()
{
    if (!drawingProgram_)
        drawingProgram_ = std::make_unique<AutomatedDrawingProgram>(AutomatedDrawingProgram::programIn(programFolder()));
    return *drawingProgram_;
}

model::AnalysisFactory& ProgramShell::analysisFactory()
{
    static analyses::ContactAnalysisFactory factory;
    return factory;
}

bool ProgramShell::activeDesignIsDefault() const
{
    return startup_.gobjColData() == nullptr ||
           startup_.gobjColData()->ActiveFileName(true, true) == startup_.gobjColData()->DefaultFileName();
}

void ProgramShell::openDesignFile(const std::string& path)
{
    if (startup_.gobjColData() != nullptr)
        startup_.gobjColData()->FileOpen(path);
}

void ProgramShell::showRecentFiles(const std::vector<std::string>& captions)
{
    forms::Form& main = startup_.windows()[QStringLiteral("frmMain")];
    for (int index : main.arrayIndexes(QStringLiteral("mnuFileRecent")))
        if (index != 0)
            main.unloadArrayMember(QStringLiteral("mnuFileRecent"), index);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto& item = static_cast<forms::MenuItem&>(
            main.loadArrayMember(QStringLiteral("mnuFileRecent"), static_cast<int>(i + 1)));
        item.setCaption(QString::fromStdString(captions[i]));
        const auto position = static_cast<std::int16_t>(i + 1);
        item.onClick.connect([this, position] {
            if (startup_.gobjRegisty() != nullptr)
                startup_.gobjRegisty()->RUF_MenuClick(position);
        });
    }
}

} // namespace cindrel::shell
