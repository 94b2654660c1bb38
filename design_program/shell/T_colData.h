#pragma once

#include "runtime/AtomicFile.h"

#include <QString>

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace forms {
class Control;
class Forms;
} // namespace forms

namespace cindrel::shell {

class Startup;
class clsRegisty;

// What the design-file object needs of the running program beyond the
// windows' saved controls and the settings object. Start-up answers it from
// the run log, the main window, the run-log window, the navigator and the
// AGMA factors window; tests answer it with a recording fake.
class DesignFileHost {
public:
    virtual ~DesignFileHost() = default;
    virtual void writeRunNote(std::string_view note) = 0;
    virtual void reportError(std::string_view module, std::string_view routine, std::string_view number,
                             std::string_view description, std::string_view other) = 0;
    virtual void setMainCaption(const std::string& caption) = 0;
    // Shows the whole text in the run-log window, with the help button for the context id.
    virtual void showReport(const std::string& text, int helpContextId) = 0;
    // Steps the design sequence back to its first step.
    virtual void beginNew() = 0;
    // While stopped, the AGMA factors window's change and click handlers do nothing.
    virtual void setAgmaEventsStopped(bool stopped) = 0;
    // Lets the AGMA factors window load the materials of the record keys just read.
    virtual void agmaRecordKeysRead() = 0;
    // Shows the gear-set notes window again when it is visible, then the main window.
    virtual void refreshNotesWindow() = 0;
};

// A text file that OpenFile opened: for input (in) or output (out). Output
// goes through an atomic file, which close() commits only when everything was
// written; an output file dropped without close() leaves the target as it
// was. It ends before the T_colData that opened it.
class DesignTextFile {
public:
    DesignTextFile() = default;
    ~DesignTextFile();
    DesignTextFile(const DesignTextFile&) = delete;
    DesignTextFile& operator=(const DesignTextFile&) = delete;

    bool isOpen() const { return in_ != nullptr || replacing_ != nullptr || appending_ != nullptr; }
    std::istream* in() { return in_.get(); }
    std::ostream* out() { return replacing_ != nullptr ? static_cast<std::ostream*>(replacing_.get()) : appending_.get(); }
    // Ends the file; for output, puts it in place. Returns the run-time error
    // number of a failure, 0 on success.
    int close();
    // The system's error (errno) of the last open that failed, 0 when it did not fail.
    int openError() const { return openError_; }

private:
    friend class T_colData;
    // One attempt at opening; the run-time error number of a failure, 0 on
    // success. `undone` ends the reason for a folder that takes no file.
    int open(const std::string& name, std::int32_t mode, std::string_view undone);
    void discard();

    std::unique_ptr<std::ifstream> in_;
    std::unique_ptr<runtime::AtomicFile> replacing_; // mode 0
    std::unique_ptr<runtime::AppendedFile> appending_; // mode 2
    // The program's list of files it holds open, which this one leaves when it ends.
    std::set<std::string>* openFiles_ = nullptr;
    std::string openName_;
    int openError_ = 0;
    // Why the folder of a file to be made cannot take it; empty when it can.
    std::string folderProblem_;
};

// The saved controls of the design windows and the design files that keep
// them: File New, Open, Save and Save As, the reader with its mismatch
// report, the writer, the active file's name and OpenFile.
class T_colData {
public:
    // The windows whose saved controls make a design, in the order they are collected.
    static const std::vector<QString>& DesignWindows();

    // Collects the saved controls of the loaded windows named in
    // windowNames and reads the command-line file, else the default file.
    T_colData(forms::Forms& windows, clsRegisty& settings, DesignFileHost& host, std::string defaultFileName,
              const std::string& commandLine, std::vector<QString> windowNames = DesignWindows());
    // The design-file object of the running program.
    explicit T_colData(Startup& startup);
    ~T_colData();
    T_colData(const T_colData&) = delete;
    T_colData& operator=(const T_colData&) = delete;

    void FileNew();
    // True when the design was written.
    bool FileSave();
    bool FileSaveAs();
    // An empty path asks for the file with the Open dialog. True when a design was read.
    bool FileOpen(const std::string& FullPathFileName);
    // Asks whether to save a changed design; false when the user cancelled or
    // the save did not happen, so that nothing unsaved is lost.
    bool SaveChangesFirst(const QString& question, const QString& title);

    void CollectAllControls();
    // Reads a design file into the saved controls; an empty name or the
    // default file's name reads the default file (and FileName becomes its
    // path). The active name, caption and recent files change only when the
    // file was read. False when it could not be read.
    bool ReadFile(std::string& FileName);

    bool DataChanged() const;
    void ActiveFileName(const std::string& name);
    std::string ActiveFileName(bool Withextension, bool WithDirectoryStructure) const;
    std::string PathOnly() const;
    std::string DefaultFileName() const { return defaultFileName_; }
    // True unless the active name is the default design file.
    bool isUserFile() const;

    // Opens a text file: FileMode 0 output (created or emptied when closed),
    // 1 input, 2 append; tells the user why it failed, in one last message
    // after any asking to close the file, and returns false.
    // Any other mode opens nothing and returns false. A file the program
    // still holds open is not opened again.
    bool OpenFile(const std::string& Name, DesignTextFile& file, std::int32_t FileMode);

    // The saved keys in collection order (the file holds them in reverse).
    std::vector<QString> keys() const;
    // The design as the writer writes it.
    std::string designText() const;

private:
    struct Entry {
        QString key;
        QString window;
        QString name;
        int index = -1;
    };
    // What the reader found in a design's records.
    struct ReadRecords {
        std::size_t records = 0;
        std::size_t placed = 0; // values put in their controls
        std::set<QString> keys; // every key read
        std::vector<QString> unrecognised; // keys that are not this program's, in file order
        std::vector<QString> refused; // a line for each value its field refused, in file order
        bool cut = false;                  // the file ends inside a record
        QString cutKey;                    // the key of that record, left out
    };

    void start(const std::string& commandLine);
    // OpenFile; for the writer of a design its every failure says that the design was not saved.
    bool openFile(const std::string& Name, DesignTextFile& file, std::int32_t FileMode, bool savingDesign);
    // Why an output file was denied, ending with what was left undone.
    static std::string deniedReason(const std::string& Name, const std::string& folderProblem, int openError,
                                    const std::string& undone, bool savingDesign);
    bool Write2File(std::string target);
    // The chosen path of the file dialog in mode 0 Open, 1 Save or 2 Save As; empty when cancelled.
    std::optional<std::string> ShowFileDialog(int mode);
    // Tells why nothing can be saved under the path, before anything is
    // asked or tried: the name is a folder, pipe or device, the folder of the
    // file written (for a link, the file it names) may not be written, or the
    // file itself may not be. False when nothing stands in the way.
    bool refuseSaveTarget(const std::string& path);
    bool isDefaultDesign(const std::string& path) const;
    // Why the path cannot be used, for a message (runtime::fileProblemReason),
    // naming what was expected there: a design file for the default design or
    // a .cnd name, else a plain file.
    std::string fileProblem(const std::string& path, int systemError) const;
    forms::Control* controlOf(const Entry& entry) const;
    // The steps of ReadFile. The file's bytes, or nothing when it cannot be
    // opened or read (the user has been told).
    std::optional<std::string> readDesignBytes(const std::string& FileName);
    // Places each record's value in its control and notes the values refused.
    ReadRecords placeRecords(const QString& text);
    // Shows the file's lines the program does not know and the program's
    // values the file lacks, when the settings ask for that check.
    void reportMismatch(const std::string& FileName, const ReadRecords& read);
    // The file read becomes the active design: its name, caption and recent files.
    void makeActive(const std::string& FileName, bool isDefault);
    void placeValue(const QString& key, const QString& value, bool quoted, std::vector<QString>& refused);
    void note(std::string_view text) { host_.writeRunNote(text); }
    void fail(std::string_view routine, int number, const std::string& description);
    void setCaption(const std::string& caption) { host_.setMainCaption(caption); }

    forms::Forms& windows_;
    clsRegisty& settings_;
    std::unique_ptr<DesignFileHost> ownHost_;
    DesignFileHost& host_;
    std::string defaultFileName_;
    std::vector<QString> windowNames_;
    std::vector<Entry> entries_;
    std::map<QString, std::size_t> byKey_;
    std::string active_;
    // Files opened through OpenFile and not yet ended, by absolute path.
    std::set<std::string> openFiles_;
};

// One record of a design file as the reader takes it: the key, the value and
// how many fields the record held (fields after the second are skipped).
struct DesignRecord {
    QString key;
    QString value;
    bool valueQuoted = false;
    std::size_t fields = 0;
};

// Splits a design file's text into records, in time that grows with the
// text's length however long its lines. A field is a text between double
// quotes (which may run over a line end, as in notes of older files, unless
// the closing quote never comes) or a bare token up to the next comma or line
// end.
class DesignRecordSplitter {
public:
    explicit DesignRecordSplitter(const QString& text) : text_(text) {}

    // Skips line ends; true when no record is left.
    bool atEnd();
    DesignRecord next();
    // Whether the text ends inside its last record, as a file cut short does:
    // a quote still open, or a record that ends before its value does.
    bool endsInsideRecord() const { return lastUnclosed_ || (lastUnended_ && lastIncomplete_); }

private:
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
    // The first line end at or after `from` (the text's size when none).
    qsizetype lineEndFrom(qsizetype from);
    // Reads a quoted field; its text only when `keep`.
    QString quotedField(bool keep);
    // Moves to the next comma or line end.
    void skipToDelimiter();

    const QString& text_;
    qsizetype at_ = 0;
    // The last line end found and where its search began: every position
    // between the two has that line end next, so a long line is scanned once.
    qsizetype lineSearchFrom_ = -1;
    qsizetype lineEnd_ = -1;
    bool unclosed_ = false;
    bool lastUnclosed_ = false;
    bool lastUnended_ = false;
    bool lastIncomplete_ = false;
};

// Saved texts as the design file holds them: a double quote as "~dblquotes"
// and line breaks as "~crlf", "~lf" or "~cr", so that they read back the same.
std::string encodeSavedText(const QString& text);
QString decodeSavedText(const QString& stored);
// Only the line breaks back, for labels, which keep quotes as "~dblquotes".
QString decodeLineBreaks(const QString& stored);

// The largest design file, for the reader and the writer alike, so that every
// design the program saves opens again (a design file is a few kilobytes;
// only the notes make it large).
inline constexpr std::uintmax_t MaximumDesignFileSize = 16u << 20;

} // namespace cindrel::shell
