#include "shell/T_colData.h"

#include "shell/RunNotes.h"
#include "shell/Startup.h"
#include "shell/clsRegisty.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "forms/CheckBox.h"
#include "forms/Forms.h"
#include "runtime/NumberFormat.h"
#include "runtime/RegularFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"
#include "runtime/SequentialFile.h"
#include "shell/ProgramFolders.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace cindrel::shell {

namespace {

namespace fs = std::filesystem;

const std::string CrLf = "\r\n";
constexpr const char* Module = "T_colData";
constexpr int MismatchHelpContext = 12321;
// The error a collection raises for a key it already holds.
constexpr int KeyAlreadyUsed = 457;
const std::string Separator(39, '_');

const QString QuoteMarker = QStringLiteral("~dblquotes");
const QString CrLfMarker = QStringLiteral("~crlf");
const QString LfMarker = QStringLiteral("~lf");
const QString CrMarker = QStringLiteral("~cr");

std::string lastPartOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name less its extension; a name without a real one ("gear1") stays whole.
std::string withoutExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart || dot + 1 == path.size())
        return path;
    return path.substr(0, dot);
}

int errorNumberOfErrno(int error, bool forInput)
{
    if (forInput && error == ENOENT)
        return runtime::FileNotFound;
    if (error == ELOOP)
        return runtime::PathFileAccessError; // a name that leads nowhere, not a fault of the device
    return error == ETXTBSY ? runtime::PermissionDenied : runtime::fileErrorNumber(error);
}

// Whether the folder a file goes into exists.
bool folderExists(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    std::error_code error;
    return parent.empty() || fs::is_directory(parent, error);
}

// Opens the file and returns 0, or the run-time error number of the failure
// with the system's error in `error`.
int openIn(const std::string& name, std::unique_ptr<std::ifstream>& in, int& error)
{
    if (const int number = runtime::specialFileError(name))
        return number;
    errno = 0;
    auto stream = std::make_unique<std::ifstream>(name, std::ios::in | std::ios::binary);
    if (!stream->is_open()) {
        error = errno ? errno : ENOENT;
        const int number = errorNumberOfErrno(error, true);
        return number == runtime::FileNotFound && !folderExists(name) ? runtime::PathNotFound : number;
    }
    in = std::move(stream);
    return 0;
}

// A count of bytes with its thousands grouped, as the program shows numbers.
std::string groupedBytes(std::uintmax_t count)
{
    return runtime::formatNumber(static_cast<double>(count), "#,##0") + " bytes";
}

// The design-file limit as the user reads it.
std::string designSizeLimit()
{
    return std::to_string(MaximumDesignFileSize >> 20) + " MiB (" + groupedBytes(MaximumDesignFileSize) + ")";
}

// The first line of a numbered error in a message: "Error 75: Path/File access error".
std::string errorLine(int number)
{
    return "Error " + std::to_string(number) + ": " + runtime::errorDescription(number);
}

// Decodes a design file's bytes line by line: a line of valid UTF-8 as
// UTF-8, any other as the 8-bit code page of older files (Latin-1), so that
// one stray byte, or a character cut at the file's end, changes the reading
// of its own line only. Neither encoding puts a line end inside a character.
QString decodeFileText(const std::string& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const auto decodeUtf8 = [&utf8](std::string_view part) -> std::optional<QString> {
        utf8.resetState();
        QString text = utf8(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
        return utf8.hasError() ? std::nullopt : std::optional<QString>(std::move(text));
    };
    if (std::optional<QString> whole = decodeUtf8(bytes))
        return *std::move(whole);
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const std::string_view all(bytes);
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t lineEnd = all.find_first_of("\r\n", start);
        const std::size_t end = lineEnd == std::string_view::npos ? all.size() : lineEnd + 1;
        const std::string_view line = all.substr(start, end - start);
        if (std::optional<QString> decoded = decodeUtf8(line))
            text += *decoded;
        else
            text += QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        start = end;
    }
    return text;
}

// Reports the first few faults of a design file's records one by one and the
// rest as a count: every report reaches the run log, and a file of malformed
// lines must not flood it.
class BadRecordLog {
public:
    static constexpr int Listed = 5;

    explicit BadRecordLog(DesignFileHost& host) : host_(host) {}

    void error(std::size_t record, int number, const std::string& description)
    {
        if (listed())
            host_.reportError(Module, "Readfile", std::to_string(number), description,
                              "record " + std::to_string(record));
    }
    void note(const std::string& text)
    {
        if (listed())
            host_.writeRunNote(text);
    }
    void finish()
    {
        if (count_ > Listed)
            host_.writeRunNote(std::to_string(count_ - Listed) +
                               " more faults in the records of the design file were not listed");
    }

private:
    bool listed() { return ++count_ <= Listed; }

    DesignFileHost& host_;
    long long count_ = 0;
};

// Start-up's side of the design-file object.
class ProgramHost : public DesignFileHost {
public:
    explicit ProgramHost(Startup& startup) : startup_(startup) {}

    void writeRunNote(std::string_view note) override { startup_.WriteRunNote(note); }
    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view description, std::string_view other) override
    {
        startup_.MainErrHandler(module, routine, number, description, other);
    }
    void setMainCaption(const std::string& caption) override
    {
        startup_.windows()[QStringLiteral("frmMain")].setCaption(QString::fromStdString(caption));
    }
    void showReport(const std::string& text, int helpContextId) override
    {
        startup_.ShowNoteText(QString::fromStdString(text));
        startup_.runLogWindow().ShowHelpButton(helpContextId);
    }
    void beginNew() override
    {
        if (startup_.gobjStateNavigator() != nullptr)
            startup_.gobjStateNavigator()->BeginNew();
    }
    // The AGMA factors window's handlers are held back while a design is
    // read; its materials are then loaded from the two record keys read.
    void setAgmaEventsStopped(bool stopped) override { startup_.agmaWindow().StopTheEvents(stopped); }
    void agmaRecordKeysRead() override
    {
        startup_.agmaWindow().lblRecordKey_Change(0);
        startup_.agmaWindow().lblRecordKey_Change(1);
    }
    void refreshNotesWindow() override
    {
        forms::Form* notes = startup_.windows().find(QStringLiteral("frmRunNotes"));
        if (notes == nullptr || !notes->isLoaded() || !notes->visible())
            return;
        notes->show();
        startup_.windows()[QStringLiteral("frmMain")].show();
    }

private:
    Startup& startup_;
};

QString messageText(const std::string& text) { return QString::fromStdString(text); }

void message(const std::string& text, int style = dialogs::OKOnly, const std::string& title = {})
{
    dialogs::messageBox(messageText(text), style, messageText(title));
}

// A message of OpenFile: the name, the numbered error and, when there is
// one, the reason the number alone does not give; titled with the error's text.
void fileMessage(const std::string& name, int number, const std::string& reason)
{
    std::string text = name + CrLf + errorLine(number);
    if (!reason.empty())
        text += CrLf + reason;
    message(text, dialogs::OKOnly, runtime::errorDescription(number));
}

} // namespace

// The markers are put and taken back in one pass each: a replacement per
// marker kind moves the rest of the text at every match, and notes of
// megabytes hold a marker every few characters.
std::string encodeSavedText(const QString& text)
{
    QString stored;
    stored.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            stored += QuoteMarker;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            stored += CrLfMarker;
            ++i;
        } else if (c == u'\n') {
            stored += LfMarker;
        } else if (c == u'\r') {
            stored += CrMarker;
        } else {
            stored += c;
        }
    }
    return stored.toStdString();
}

namespace {

// The stored text with its markers given back; the quote's only when `quotes`.
QString decodeMarkers(const QString& stored, bool quotes)
{
    if (!stored.contains(u'~'))
        return stored;
    struct Marker {
        const QString& marker;
        QStringView text;
    };
    const Marker markers[] = {{QuoteMarker, u"\""}, {CrLfMarker, u"\r\n"}, {LfMarker, u"\n"}, {CrMarker, u"\r"}};
    QString text;
    text.reserve(stored.size());
    const QStringView view(stored);
    for (qsizetype i = 0; i < view.size();) {
        const Marker* found = nullptr;
        if (view[i] == u'~')
            for (const Marker& marker : markers)
                if ((quotes || &marker.marker != &QuoteMarker) && view.mid(i).startsWith(marker.marker)) {
                    found = &marker;
                    break;
                }
        if (found == nullptr) {
            text += view[i++];
            continue;
        }
        text += found->text;
        i += found->marker.size();
    }
    return text;
}

} // namespace

QString decodeLineBreaks(const QString& stored) { return decodeMarkers(stored, false); }

QString decodeSavedText(const QString& stored) { return decodeMarkers(stored, true); }

// --- DesignRecordSplitter --------------------------------------------------

bool DesignRecordSplitter::atEnd()
{
    while (at_ < text_.size() && isLineEnd(text_[at_]))
        ++at_;
    return at_ >= text_.size();
}

qsizetype DesignRecordSplitter::lineEndFrom(qsizetype from)
{
    if (from >= lineSearchFrom_ && from <= lineEnd_)
        return lineEnd_;
    qsizetype end = from;
    while (end < text_.size() && !isLineEnd(text_[end]))
        ++end;
    lineSearchFrom_ = from;
    lineEnd_ = end;
    return end;
}

void DesignRecordSplitter::skipToDelimiter()
{
    while (at_ < text_.size() && text_[at_] != u',' && !isLineEnd(text_[at_]))
        ++at_;
}

QString DesignRecordSplitter::quotedField(bool keep)
{
    const qsizetype start = at_ + 1;
    const qsizetype close = text_.indexOf(u'"', start);
    const qsizetype lineEnd = lineEndFrom(start);
    // A quote that closes a field on a later line must end that field
    // there; otherwise the quote was never closed and the field ends with its line.
    const bool closesOnItsLine = close >= 0 && close < lineEnd;
    const bool closesLater = close >= 0 && !closesOnItsLine &&
                             (close + 1 == text_.size() || text_[close + 1] == u',' || isLineEnd(text_[close + 1]));
    unclosed_ = close < 0;
    const qsizetype end = closesOnItsLine || closesLater ? close : lineEnd;
    at_ = closesOnItsLine || closesLater ? close + 1 : lineEnd;
    return keep ? text_.mid(start, end - start) : QString();
}

DesignRecord DesignRecordSplitter::next()
{
    DesignRecord record;
    unclosed_ = false;
    for (;;) {
        while (at_ < text_.size() && (text_[at_] == u' ' || text_[at_] == u'\t'))
            ++at_;
        const bool keep = record.fields < 2;
        QString field;
        bool quoted = false;
        if (at_ < text_.size() && text_[at_] == u'"') {
            quoted = true;
            field = quotedField(keep);
            // Anything between the closing quote and the delimiter is dropped.
            skipToDelimiter();
        } else {
            const qsizetype start = at_;
            skipToDelimiter();
            if (keep)
                field = text_.mid(start, at_ - start).trimmed();
        }
        if (record.fields == 0) {
            record.key = std::move(field);
        } else if (record.fields == 1) {
            record.value = std::move(field);
            record.valueQuoted = quoted;
        }
        ++record.fields;
        if (at_ >= text_.size() || isLineEnd(text_[at_]))
            break;
        ++at_; // the comma
    }
    lastUnclosed_ = unclosed_;
    lastUnended_ = at_ >= text_.size();
    // Cut after the key or its comma: the value never came.
    lastIncomplete_ = record.fields < 2 || (record.fields == 2 && !record.valueQuoted && record.value.isEmpty());
    return record;
}

// --- DesignTextFile ---------------------------------------------------------

DesignTextFile::~DesignTextFile() { discard(); }

void DesignTextFile::discard()
{
    in_.reset();
    replacing_.reset(); // uncommitted: the target stays as it was
    appending_.reset();
    if (openFiles_ != nullptr)
        openFiles_->erase(openName_);
    openFiles_ = nullptr;
}

int DesignTextFile::close()
{
    in_.reset();
    if (openFiles_ != nullptr)
        openFiles_->erase(openName_);
    openFiles_ = nullptr;
    // The system's own error (a full disk above all), not a generic one.
    const int writeError = replacing_ != nullptr ? replacing_->commit()
                           : appending_ != nullptr ? appending_->finish()
                                                   : 0;
    discard();
    return writeError != 0 ? errorNumberOfErrno(writeError, false) : 0;
}

// --- T_colData --------------------------------------------------------------

const std::vector<QString>& T_colData::DesignWindows()
{
    // frmAGMA's loading loads frmMain: the AGMA window's controls come first.
    static const std::vector<QString> names = {QStringLiteral("frmAGMA"), QStringLiteral("frmMain"),
                                               QStringLiteral("frmMFGOutputs")};
    return names;
}

T_colData::T_colData(forms::Forms& windows, clsRegisty& settings, DesignFileHost& host, std::string defaultFileName,
                     const std::string& commandLine, std::vector<QString> windowNames)
    : windows_(windows), settings_(settings), host_(host), defaultFileName_(std::move(defaultFileName)),
      windowNames_(std::move(windowNames))
{
    start(commandLine);
}

T_colData::T_colData(Startup& startup)
    : windows_(startup.windows()), settings_(*startup.gobjRegisty()), ownHost_(std::make_unique<ProgramHost>(startup)),
      host_(*ownHost_),
      defaultFileName_(shellservices::programFilePath(QStringLiteral("Cindrel.def")).toStdString()),
      windowNames_(DesignWindows())
{
    start(startup.CommandLine());
}

T_colData::~T_colData() = default;

void T_colData::start(const std::string& commandLine)
{
    active_ = defaultFileName_;
    CollectAllControls();
    note("Setting file name to, " + defaultFileName_);
    std::string name = defaultFileName_;
    if (!commandLine.empty()) {
        name = commandLine;
        note("setting file name to, " + name);
    }
    // A command-line design that cannot be read leaves the new design of the default file.
    if (!ReadFile(name) && name != defaultFileName_) {
        name = defaultFileName_;
        ReadFile(name);
    }
    note("have read " + active_);
    note("T_colData initialized");
}

void T_colData::fail(std::string_view routine, int number, const std::string& description)
{
    host_.reportError(Module, routine, std::to_string(number), description, "");
}

void T_colData::CollectAllControls()
{
    note("CollectAllControls of T_colData");
    entries_.clear();
    byKey_.clear();
    for (const QString& windowName : windowNames_) {
        forms::Form* window = windows_.find(windowName);
        if (window == nullptr || !window->isLoaded())
            continue;
        for (forms::Control* control : window->savedControls()) {
            const forms::ControlKind kind = control->kind();
            if (kind != forms::ControlKind::TextBox && kind != forms::ControlKind::Label &&
                kind != forms::ControlKind::CheckBox)
                continue;
            const QString key = windowName + u'_' + control->name();
            Entry entry{key, windowName, control->name(), control->index()};
            if (control->isArrayMember()) {
                // A second member of an array renames the one holding the bare key after its index.
                const auto held = byKey_.find(key);
                if (held != byKey_.end()) {
                    Entry& first = entries_[held->second];
                    const QString renamed = key + u'#' + QString::number(first.index);
                    if (byKey_.contains(renamed)) {
                        fail("CollectAllControls", KeyAlreadyUsed, "Key already in use: " + renamed.toStdString());
                        continue;
                    }
                    const std::size_t position = held->second;
                    byKey_.erase(held);
                    first.key = renamed;
                    byKey_[renamed] = position;
                    entry.key = key + u'#' + QString::number(control->index());
                }
            }
            if (byKey_.contains(entry.key)) {
                fail("CollectAllControls", KeyAlreadyUsed, "Key already in use: " + entry.key.toStdString());
                continue;
            }
            byKey_[entry.key] = entries_.size();
            entries_.push_back(std::move(entry));
        }
    }
}

std::vector<QString> T_colData::keys() const
{
    std::vector<QString> result;
    result.reserve(entries_.size());
    for (const Entry& entry : entries_)
        result.push_back(entry.key);
    return result;
}

forms::Control* T_colData::controlOf(const Entry& entry) const
{
    return windows_.findControl(entry.window, entry.name, entry.index);
}

bool T_colData::DataChanged() const
{
    for (const Entry& entry : entries_)
        if (const forms::Control* control = controlOf(entry); control != nullptr && control->isChanged())
            return true;
    return false;
}

void T_colData::ActiveFileName(const std::string& name) { active_ = name; }

bool T_colData::isDefaultDesign(const std::string& path) const
{
    if (path == defaultFileName_ || path == "Cindrel.def")
        return true;
    std::error_code error;
    return fs::equivalent(path, defaultFileName_, error) && !error;
}

std::string T_colData::fileProblem(const std::string& path, int systemError) const
{
    const bool design =
        isDefaultDesign(path) || QString::fromStdString(path).endsWith(QStringLiteral(".cnd"), Qt::CaseInsensitive);
    return runtime::fileProblemReason(path, systemError, design ? "a design file" : "a plain file");
}

bool T_colData::isUserFile() const { return active_.empty() || !isDefaultDesign(active_); }

std::string T_colData::ActiveFileName(bool Withextension, bool WithDirectoryStructure) const
{
    if (active_.empty())
        return {};
    const std::string name = WithDirectoryStructure ? active_ : lastPartOf(active_);
    return Withextension ? name : withoutExtension(name);
}

std::string T_colData::PathOnly() const
{
    const std::size_t slash = active_.find_last_of('/');
    return slash == std::string::npos ? std::string() : active_.substr(0, slash + 1);
}

int DesignTextFile::open(const std::string& name, std::int32_t mode, std::string_view undone)
{
    openError_ = 0;
    folderProblem_.clear();
    if (mode == 1)
        return openIn(name, in_, openError_);
    // Appending to a FIFO would wait for a reader for good.
    if (const int number = runtime::specialFileError(name))
        return number;
    const auto failed = [this](int error) {
        openError_ = error;
        return errorNumberOfErrno(error, false);
    };
    // A link is written where it leads: the folder that counts is that of
    // the file it names, which need not exist yet.
    const std::string written = runtime::writtenPath(name);
    if (written.empty())
        return failed(errno);
    std::error_code error;
    if (!folderExists(written))
        return runtime::PathNotFound;
    // A file made anew (every output file is: it replaces the target whole)
    // needs a folder it may write.
    if (mode == 0 || !fs::exists(name, error)) {
        int folderError = 0;
        if (std::string problem = runtime::folderWriteProblem(name, &folderError, undone); !problem.empty()) {
            folderProblem_ = std::move(problem);
            return failed(folderError);
        }
    }
    if (fs::exists(name, error) && ::access(name.c_str(), W_OK) != 0)
        return failed(errno);
    if (mode == 2) {
        errno = 0;
        auto out = std::make_unique<runtime::AppendedFile>(name);
        if (!out->isOpen())
            return failed(errno ? errno : EACCES);
        appending_ = std::move(out);
        return 0;
    }
    auto out = std::make_unique<runtime::AtomicFile>(name);
    if (!out->isOpen())
        return failed(out->error());
    replacing_ = std::move(out);
    return 0;
}

bool T_colData::OpenFile(const std::string& Name, DesignTextFile& file, std::int32_t FileMode)
{
    return openFile(Name, file, FileMode, false);
}

bool T_colData::openFile(const std::string& Name, DesignTextFile& file, std::int32_t FileMode, bool savingDesign)
{
    file.discard();
    file.openError_ = 0;
    if (FileMode < 0 || FileMode > 2)
        return false;
    const bool reading = FileMode == 1;
    // What a failure leaves undone: the last word of every open that fails.
    const std::string undone = savingDesign ? "the design was not saved"
                               : reading    ? "nothing was read"
                                            : "nothing was written";
    // What the reason for a folder that takes no file ends with.
    const std::string told = savingDesign ? undone : std::string("nothing can be saved there");
    std::error_code absoluteError;
    const std::string absoluteName = Name.empty() ? Name : fs::absolute(Name, absoluteError).lexically_normal().string();
    // A file held open asks the user to close it and tries again, a few
    // times at most; so does one denied to a reader, as it always did. A
    // writer asks only when closing can help (a file in use by another
    // program) and may give up. However it ends, a failure ends with one
    // message that says what was left undone.
    const auto askToClose = [&](const std::string& question) {
        if (reading) {
            message(question);
            return true;
        }
        return dialogs::messageBox(messageText(question), dialogs::OKCancel, {}) != dialogs::ButtonCancel;
    };
    for (int retries = 0;;) {
        int number = 0;
        if (Name.empty()) {
            number = runtime::BadFileNameOrNumber;
        } else if (openFiles_.contains(absoluteName)) {
            number = runtime::FileAlreadyOpen;
        } else {
            number = file.open(Name, FileMode, told);
        }
        if (number == 0) {
            openFiles_.insert(absoluteName);
            file.openFiles_ = &openFiles_;
            file.openName_ = absoluteName;
            return true;
        }
        file.discard();
        switch (number) {
        case runtime::FileNotFound:
            message("File  " + Name + " not found", dialogs::OKOnly, "File find error in OpenFile");
            return false;
        case runtime::PathNotFound:
            message(Name + " path not found" + (savingDesign ? ": " + undone + "." : std::string()), dialogs::OKOnly,
                    "Path find failure");
            return false;
        case runtime::FileAlreadyOpen:
            if (retries > 2 || !askToClose(Name + " file is already open, close before proceeding")) {
                fileMessage(Name, number, "The file is still open: " + undone + ".");
                return false;
            }
            retries += 1;
            continue;
        case runtime::PermissionDenied:
            // Closing a file changes no permission, no read-only file system
            // and no folder that may not be written: said once, not asked again.
            if (!reading && file.openError() != ETXTBSY) {
                fileMessage(Name, number,
                            deniedReason(Name, file.folderProblem_, file.openError(), undone, savingDesign));
                return false;
            }
            if (retries > 2 ||
                !askToClose(Name + CrLf + "File open, access denied" + CrLf + "close file, then click OK")) {
                fileMessage(Name, number,
                            (reading ? "Access to the file is still denied: " : "The file is still in use: ") + undone +
                                ".");
                return false;
            }
            retries += 2;
            continue;
        default: {
            std::string reason = fileProblem(Name, file.openError());
            if (savingDesign)
                reason += reason.empty() ? "The design was not saved." : " The design was not saved.";
            fileMessage(Name, number, reason);
            return false;
        }
        }
    }
}

std::string T_colData::deniedReason(const std::string& Name, const std::string& folderProblem, int openError,
                                    const std::string& undone, bool savingDesign)
{
    if (!folderProblem.empty())
        return folderProblem;
    if (openError == EROFS)
        return savingDesign ? "The file system is read-only: " + undone + "." : runtime::fileProblemReason(Name, EROFS);
    // The file itself may not be written; a link's is named, as the one the user did not type.
    std::string written = runtime::writtenPath(Name);
    if (written.empty() || written == Name)
        return "The file may not be written: " + undone + ".";
    char real[PATH_MAX];
    if (::realpath(written.c_str(), real) != nullptr)
        written = real;
    return "The file it links to, " + written + ", may not be written: " + undone + ".";
}

void T_colData::placeValue(const QString& key, const QString& value, bool quoted, std::vector<QString>& refused)
{
    const Entry& entry = entries_[byKey_.at(key)];
    forms::Control* control = controlOf(entry);
    if (control == nullptr)
        return;
    // A label keeps the notes' stored form of a quote ("~dblquotes"), which the
    // notes window shows as a quote; a text box gets the quote back.
    QString text = value;
    if (quoted)
        text = control->kind() == forms::ControlKind::Label ? decodeLineBreaks(value) : decodeSavedText(value);
    try {
        control->setValue(text);
    } catch (const runtime::RuntimeError& error) {
        refused.push_back(QStringLiteral("reading the value (%1) into field (%2) yields error -%3, %4")
                              .arg(text, key)
                              .arg(error.number())
                              .arg(QString::fromStdString(error.description())));
    }
    control->clearChanged();
}

bool T_colData::ReadFile(std::string& FileName)
{
    const bool isDefault = FileName.empty() || isDefaultDesign(FileName);
    if (isDefault)
        FileName = defaultFileName_;
    host_.setAgmaEventsStopped(true);
    // Given back on every way out, before the AGMA window loads its materials.
    auto eventsBack = runtime::onScopeExit([this] { host_.setAgmaEventsStopped(false); });
    note("Reading " + FileName);
    const std::optional<std::string> bytes = readDesignBytes(FileName);
    if (!bytes)
        return false;
    note("Have read " + FileName);

    const ReadRecords read = placeRecords(decodeFileText(*bytes));
    if (read.records > 0 && read.placed == 0 && !entries_.empty()) {
        message(FileName + " is not a Cindrel design file: none of its lines holds a value of this program. " +
                "Nothing was changed.");
        return false;
    }
    // A design file the program wrote ends with a whole record: one that
    // does not was cut short (a full disk, a broken copy), and the design
    // read from it lacks whatever came after the cut.
    if (read.cut) {
        const std::string cutRecord =
            read.cutKey.isEmpty() ? std::string("The cut record") : "The cut record, " + read.cutKey.toStdString() + ",";
        note(FileName + " ends inside a record: the file was cut short; " + cutRecord + " was left out");
        message(FileName + " ends inside a record: the file was cut short, and the values after the cut are " +
                    "missing. " + cutRecord + " was left out. What the file holds before the cut was read; every " +
                    "other value stays as it was.",
                dialogs::OKOnly, "Design file cut short");
    }
    reportMismatch(FileName, read);
    makeActive(FileName, isDefault);
    eventsBack.runNow();
    host_.agmaRecordKeysRead();
    return true;
}

std::optional<std::string> T_colData::readDesignBytes(const std::string& FileName)
{
    DesignTextFile file;
    if (!OpenFile(FileName, file, 1))
        return std::nullopt;
    std::error_code sizeError;
    if (const std::uintmax_t size = fs::file_size(FileName, sizeError); !sizeError && size > MaximumDesignFileSize) {
        message(FileName + " is too large to be a Cindrel design file: it holds " + groupedBytes(size) +
                ", more than the " + designSizeLimit() + " a design file may hold; nothing was read.");
        return std::nullopt;
    }
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(*file.in()), std::istreambuf_iterator<char>());
        if (file.in()->bad() || bytes.size() > MaximumDesignFileSize)
            runtime::raise(runtime::DeviceIOError);
    } catch (const std::exception&) {
        message(FileName + " could not be read; nothing was changed.");
        return std::nullopt;
    }
    file.close();
    return bytes;
}

T_colData::ReadRecords T_colData::placeRecords(const QString& text)
{
    ReadRecords read;
    BadRecordLog badRecords(host_);
    DesignRecordSplitter splitter(text);
    while (!splitter.atEnd()) {
        const DesignRecord record = splitter.next();
        ++read.records;
        const QString& key = record.key;
        // The record the file ends inside holds only the start of its value
        // ("2" of "20"): it is left out whole, so its field keeps its value.
        if (splitter.endsInsideRecord() && splitter.atEnd()) {
            read.cut = true;
            read.cutKey = key;
            break;
        }
        if (record.fields < 2) {
            badRecords.error(read.records, runtime::InputPastEndOfFile,
                             runtime::errorDescription(runtime::InputPastEndOfFile));
            continue;
        }
        if (!read.keys.insert(key).second)
            badRecords.error(read.records, KeyAlreadyUsed, "Key already read: " + key.toStdString());
        if (!byKey_.contains(key)) {
            read.unrecognised.push_back(key);
            continue;
        }
        try {
            placeValue(key, record.value, record.valueQuoted, read.refused);
            ++read.placed;
        } catch (const std::exception& error) {
            const runtime::ErrorText failure = runtime::errorTextOf(error);
            badRecords.error(read.records, failure.number, failure.description);
        }
    }
    for (const QString& line : read.refused)
        badRecords.note(line.toStdString());
    badRecords.finish();
    return read;
}

void T_colData::reportMismatch(const std::string& FileName, const ReadRecords& read)
{
    // A titled list of the report, or nothing when the list is empty. A
    // damaged file may hold millions of lines: the first are listed, the
    // rest counted, so the report stays one a user can read.
    const auto section = [](const std::string& title, const std::vector<QString>& lines) {
        constexpr std::size_t Listed = 100;
        if (lines.empty())
            return std::string();
        std::string part = Separator + CrLf + title;
        for (std::size_t i = 0; i < std::min(lines.size(), Listed); ++i)
            part += CrLf + lines[i].toStdString();
        if (lines.size() > Listed)
            part += CrLf + "... and " + std::to_string(lines.size() - Listed) + " more";
        return part;
    };
    const std::string unrecognisedPart =
        section("The following line items were read from the data file but were not securely placed as data for "
                "the program.",
                read.unrecognised);
    // A value its field refused is a part of the design that was not read:
    // the user is told with the rest, not only the run log.
    const std::string refusedPart =
        section("The following values were read from the data file but could not be put in their fields.",
                read.refused);
    std::string missingPart;
    for (const Entry& entry : entries_) {
        if (read.keys.contains(entry.key))
            continue;
        if (missingPart.empty())
            missingPart = Separator + CrLf + "The following line items are items in the program but were not " +
                          "found in the data file." + CrLf;
        missingPart += CrLf + entry.key.toStdString();
    }
    if ((unrecognisedPart.empty() && refusedPart.empty() && missingPart.empty()) || settings_.FileVersionCheck() != 1)
        return;
    const std::string folder = fs::path(defaultFileName_).parent_path().string();
    const std::string advice =
        Separator + CrLf + "These errors occur due to version changes or a corrupt data " +
        "file.  Saving should correct the problem for this file.  If this " +
        "occurs at start-up then the default file is incompatible.  To fix this problem; " +
        "save the start-up file and then rename it to " + "\"Cindrel.def\"" + "and copy " + "it to " + folder +
        ", (the application path)";
    std::string report = FileName + CrLf + unrecognisedPart + CrLf;
    if (!refusedPart.empty())
        report += refusedPart + CrLf;
    report += missingPart + CrLf + advice;
    host_.showReport(report, MismatchHelpContext);
}

void T_colData::makeActive(const std::string& FileName, bool isDefault)
{
    active_ = FileName;
    if (isDefault) {
        settings_.RUF_2Menu();
        setCaption("Cindrel");
    } else {
        settings_.RUF_AddFile2Coll(FileName);
        setCaption("Cindrel;   " + ActiveFileName(false, false));
    }
}

std::string T_colData::designText() const
{
    std::ostringstream text;
    runtime::RecordWriter writer(text);
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        const forms::Control* control = controlOf(*entry);
        if (control == nullptr)
            runtime::raise(runtime::ObjectVariableNotSet, "The window holding " + entry->key.toStdString() +
                                                              " is not loaded");
        writer.text(entry->key.toStdString());
        if (control->kind() == forms::ControlKind::CheckBox)
            writer.number(control->value().toInt());
        else
            writer.text(encodeSavedText(control->value().toString()));
        writer.endRecord();
    }
    return text.str();
}

bool T_colData::Write2File(std::string target)
{
    if (target.empty())
        target = active_;
    if (target.empty()) {
        message("File name not specified, exiting from Write2File. The design was not saved.");
        return false;
    }
    std::string text;
    try {
        text = designText();
    } catch (const std::exception& error) {
        message("The design could not be gathered for " + target + ": " + runtime::errorTextOf(error).description +
                ". The design was not saved.");
        return false;
    }
    // Refused before anything is written: the reader would not take it back.
    if (text.size() > MaximumDesignFileSize) {
        message("The design was not saved to " + target + ": it takes " + groupedBytes(text.size()) +
                ", more than the " + designSizeLimit() +
                " a Cindrel design file may hold. Shorten the notes; nothing was written.");
        return false;
    }
    DesignTextFile file;
    // OpenFile has told why: a second message would only say that it failed.
    if (!openFile(target, file, 0, true))
        return false;
    file.out()->write(text.data(), static_cast<std::streamsize>(text.size()));
    if (const int number = file.close(); number != 0) {
        message("The design could not be written to " + target + ": " + runtime::errorDescription(number) +
                ". The design was not saved; the file was left as it was.");
        return false;
    }
    for (const Entry& entry : entries_)
        if (forms::Control* control = controlOf(entry))
            control->clearChanged();
    active_ = target;
    settings_.RUF_AddFile2Coll(target);
    setCaption("Cindrel;   " + ActiveFileName(false, true));
    return true;
}

std::optional<std::string> T_colData::ShowFileDialog(int mode)
{
    for (;;) {
        dialogs::FileDialogRequest request;
        request.mode = mode == 0 ? dialogs::FileDialogMode::Open : dialogs::FileDialogMode::Save;
        request.title = mode == 0 ? QStringLiteral("Open File")
                        : mode == 1 ? QStringLiteral("Save File")
                                    : QStringLiteral("Save File as ...");
        request.filter = QStringLiteral("Cindrel files (*.cnd)|*.cnd");
        request.initialFolder = QString::fromStdString(isUserFile() ? PathOnly() : settings_.UserFilesLocation());
        request.fileName = isUserFile() ? QString::fromStdString(ActiveFileName(true, false)) : QString();
        request.flags = dialogs::FileHideReadOnly;
        dialogs::FileDialogAnswer answer;
        try {
            answer = dialogs::showFileDialog(request);
        } catch (const std::exception& error) {
            const runtime::ErrorText failure = runtime::errorTextOf(error);
            message("Error# " + std::to_string(failure.number) + ": " + failure.description + ", continuing ....");
            return std::nullopt;
        }
        if (answer.cancelled || answer.path().isEmpty())
            return std::nullopt;
        const std::string path = answer.path().toStdString();
        std::error_code error;
        // The default design is refused by the callers, whether it exists or not.
        if (mode == 0 || isDefaultDesign(path))
            return path;
        // Asked before "overwrite?": a folder is no file to overwrite. The
        // save ends with the one message that says why.
        if (refuseSaveTarget(path))
            return std::nullopt;
        if (!fs::exists(path, error))
            return path;
        if (dialogs::messageBox(QStringLiteral("file exists, overwrite?"), dialogs::YesNo,
                                QStringLiteral("Overwrite existing file?")) == dialogs::ButtonYes)
            return path;
        mode = 2;
    }
}

bool T_colData::refuseSaveTarget(const std::string& path)
{
    if (runtime::specialFileError(path) != 0) {
        fileMessage(path, runtime::PathFileAccessError, fileProblem(path, 0) + " The design was not saved.");
        return true;
    }
    const std::string undone = "the design was not saved";
    if (std::string problem = runtime::folderWriteProblem(path, nullptr, undone); !problem.empty()) {
        fileMessage(path, runtime::PermissionDenied, problem);
        return true;
    }
    // A file this user may not write is no file to overwrite either. One in
    // use (a running program) is left to the writer, which may ask again.
    std::error_code error;
    if (fs::exists(path, error) && ::access(path.c_str(), W_OK) != 0) {
        if (const int denied = errno; denied != ETXTBSY) {
            fileMessage(path, runtime::PermissionDenied, deniedReason(path, {}, denied, undone, true));
            return true;
        }
    }
    return false;
}

bool T_colData::SaveChangesFirst(const QString& question, const QString& title)
{
    if (!DataChanged())
        return true;
    const int answer = dialogs::messageBox(question, dialogs::YesNoCancel, title);
    if (answer == dialogs::ButtonCancel)
        return false;
    return answer != dialogs::ButtonYes || FileSave();
}

void T_colData::FileNew()
{
    if (!SaveChangesFirst(QStringLiteral("Save current data?"), QStringLiteral("Cindrel, Save?")))
        return;
    std::string name = defaultFileName_;
    if (!ReadFile(name))
        return;
    host_.beginNew();
    setCaption("Cindrel");
}

bool T_colData::FileSave()
{
    if (isUserFile())
        return Write2File(active_);
    for (;;) {
        const std::optional<std::string> path = ShowFileDialog(1);
        if (!path)
            return false;
        if (!isDefaultDesign(*path))
            return Write2File(*path);
    }
}

bool T_colData::FileSaveAs()
{
    std::optional<std::string> path = ShowFileDialog(2);
    // The default design is never written over: another name is asked for.
    while (path && isDefaultDesign(*path))
        path = ShowFileDialog(1);
    return path && Write2File(*path);
}

bool T_colData::FileOpen(const std::string& FullPathFileName)
{
    if (!FullPathFileName.empty()) {
        const std::string last = FullPathFileName.size() >= 3 ? FullPathFileName.substr(FullPathFileName.size() - 3)
                                                               : FullPathFileName;
        if (QString::fromStdString(last).toLower() != QStringLiteral("cnd")) {
            note("Doesn't appear to be a good file name: " + CrLf + FullPathFileName);
            settings_.DeleteRUF_Entry(FullPathFileName);
            settings_.RUF_2Menu();
            settings_.RUF_2Registry();
            return false;
        }
    }
    if (!SaveChangesFirst(QStringLiteral("Save current data?"), QStringLiteral("Cindrel, Save?")))
        return false;
    std::string name = FullPathFileName;
    if (name.empty()) {
        const std::optional<std::string> chosen = ShowFileDialog(0);
        if (!chosen)
            return false;
        name = *chosen;
    }
    if (!ReadFile(name))
        return false;
    host_.beginNew();
    host_.refreshNotesWindow();
    return true;
}

} // namespace cindrel::shell
