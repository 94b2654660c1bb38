#pragma once

#include <QString>

class QWidget;

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace forms {
class Control;
class Form;
} // namespace forms

namespace vantrope {

class Startup;

// A control of a window by name and array index (-1 for none), the way the
// controls dictionary names it.
struct ControlName {
    QString name;
    int index = -1;
    bool operator==(const ControlName&) const = default;
};

// The controls dictionary: text keys to a window's text boxes, check boxes
// and option buttons, in insertion order. Entries name their control rather
// than point to it, so that a window loaded afresh is still found.
class ControlsDictionary {
public:
    struct Entry {
        std::string key;
        ControlName control;
    };

    // Keys are window & "_" & name; a key met again gets "#" & index, and the
    // entry that held it is re-keyed in place, so that in an array with an
    // odd number of members the last one keeps the plain key.
    static ControlsDictionary build(const QString& windowName, const std::vector<ControlName>& walk);

    const std::vector<Entry>& entries() const { return entries_; }
    const Entry* find(const std::string& key) const;

private:
    std::vector<Entry> entries_;
};

// One record of an inputs file: the key and the value as text (a quoted
// field without its quotes, #TRUE# and #FALSE# as "True" and "False").
struct InputsRecord {
    std::string key;
    std::string value;
};

// Reads an inputs file's text; empty with `error` set when a line cannot be
// read as two fields.
std::optional<std::vector<InputsRecord>> parseInputsFile(const std::string& text, std::string& error);

// The inputs file, the controls dictionary and the window positions.
class mMiscellaneous {
public:
    explicit mMiscellaneous(Startup& startup);

    static constexpr const char* FileFilter = "Vantrope File, *.VPX|*.VPX";
    static constexpr const char* PositionsSection = "FormPositions";

    // Built from the first window asked for, the same for the rest of the run.
    const ControlsDictionary& FormControlsDictionary(forms::Form& frm);

    void SaveInputsFile();
    void OpenInputsFile();
    // The inputs file's text for the inputs dialog as it stands.
    std::string InputsFileText();
    // Sets the dialog's fields from a file's text; false (with the reason
    // reported) when the text is no inputs file, and then nothing changed.
    bool ApplyInputsFile(const std::string& text, const std::string& fileName);

    // Restores (Load true) or stores the position and size of frm.
    void FormPosition(bool Load, forms::Form& frm);
    // The same for a window of our own that is no form (the message window).
    void WindowPosition(bool Load, QWidget& window, const std::string& name);

    // Sets the hooks of the drawing window and the other windows; the
    // object they share is given back.
    static std::shared_ptr<mMiscellaneous> install(Startup& startup);

private:
    void report(const char* routine, const std::string& number, const std::string& description,
                const std::string& extra);

    Startup& startup_;
    std::optional<ControlsDictionary> dictionary_;
};

} // namespace vantrope
