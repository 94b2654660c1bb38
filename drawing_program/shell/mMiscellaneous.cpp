#include "shell/mMiscellaneous.h"

#include "shell/Startup.h"
#include "shell/frmGears.h"
#include "shell/frmInputs.h"

#include "dialogs/mAPI_misc.h"
#include "forms/CheckBox.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/FormWindow.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"
#include "forms/ScreenPlacement.h"
#include "forms/Twips.h"
#include "runtime/AtomicFile.h"
#include "runtime/RegularFile.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "shell/ProgramFolders.h"

#include <QGuiApplication>
#include <QWidget>
#include <QRect>
#include <QScreen>

#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace vantrope {

namespace {

// An inputs file is a few kilobytes; anything far beyond is no inputs file.
constexpr std::streamoff LargestInputsFile = 1 << 20;

// The inputs dialog's text boxes, check boxes and option buttons in the
// order of the window's definition. The keys of the inputs file follow from
// this order, so it is part of the file format.
std::vector<ControlName> inputsDialogWalk()
{
    std::vector<ControlName> walk{{"txtPhi"}, {"txtBKL"}, {"txtDCO", 2}, {"txtDCO", 1}, {"txtDCO", 0}};
    auto column = [&](int i, std::initializer_list<const char*> names) {
        for (const char* name : names)
            walk.push_back({QString::fromLatin1(name), i});
    };
    column(4, {"txtN", "txtEGB", "txtAdd", "txtDed", "txtTTK", "txtProtube"});
    walk.push_back({"chkIntExt"});
    column(3, {"chkFRR", "txtN", "txtEGB", "txtAdd", "txtDed", "txtTTK"});
    column(2, {"chkFRR", "txtTTK", "txtDed", "txtAdd", "txtEGB", "txtN"});
    column(1, {"txtN", "txtEGB", "txtAdd", "txtDed", "txtTTK", "txtProtube"});
    for (int m = 0; m <= 2; ++m)
        walk.push_back({"optMesh", m});
    return walk;
}

bool kept(const forms::Control& control)
{
    const auto kind = control.kind();
    return kind == forms::ControlKind::TextBox || kind == forms::ControlKind::CheckBox ||
           kind == forms::ControlKind::OptionButton;
}

std::string keyOf(const QString& windowName, const QString& controlName)
{
    return (windowName + QLatin1Char('_') + controlName).toStdString();
}

// One field of a record from `pos`: quoted (to the next quote) or bare (to
// the next comma or the end). False when the field is broken.
bool readField(const std::string& line, std::size_t& pos, std::string& field, bool& quoted)
{
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    quoted = pos < line.size() && line[pos] == '"';
    if (quoted) {
        const std::size_t end = line.find('"', pos + 1);
        if (end == std::string::npos)
            return false;
        field = line.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        return true;
    }
    const std::size_t end = line.find(',', pos);
    field = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.pop_back();
    pos = end == std::string::npos ? line.size() : end;
    return field.find('"') == std::string::npos;
}

void setFromText(forms::Control& control, const std::string& value)
{
    switch (control.valueKind()) {
    case forms::ValueKind::Text:
        control.setValue(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
        return;
    case forms::ValueKind::Number:
        if (!runtime::isNumeric(value))
            runtime::raise(runtime::TypeMismatch);
        control.setValue(static_cast<int>(runtime::toInt16(std::nearbyint(runtime::toNumber(value)))));
        return;
    case forms::ValueKind::Boolean: {
        const QString word = QString::fromStdString(value).trimmed();
        if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            control.setValue(true);
        else if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            control.setValue(false);
        else if (runtime::isNumeric(value))
            control.setValue(runtime::toNumber(value) != 0.0);
        else
            runtime::raise(runtime::TypeMismatch);
        return;
    }
    case forms::ValueKind::None:
        runtime::raise(runtime::TypeMismatch);
    }
}

// A stored position or size in twips: taken when it is a whole number above
// 0 and below 2^15, else the default.
double storedTwips(const std::string& text, double defaultValue)
{
    try {
        if (!runtime::isNumeric(text))
            return defaultValue;
        const std::int32_t value = runtime::toInt32(runtime::toNumber(text));
        return value > 0 && value < 32768 ? value : defaultValue;
    } catch (const runtime::RuntimeError&) {
        return defaultValue;
    }
}

} // namespace

ControlsDictionary ControlsDictionary::build(const QString& windowName, const std::vector<ControlName>& walk)
{
    ControlsDictionary dictionary;
    auto& entries = dictionary.entries_;
    for (const ControlName& control : walk) {
        std::string key = keyOf(windowName, control.name);
        for (Entry& entry : entries)
            if (entry.key == key) {
                entry.key = key;
                entry.key.append(1, '#').append(std::to_string(entry.control.index));
                key.append(1, '#').append(std::to_string(control.index));
                break;
            }
        entries.push_back({key, control});
    }
    return dictionary;
}

const ControlsDictionary::Entry* ControlsDictionary::find(const std::string& key) const
{
    for (const Entry& entry : entries_)
        if (entry.key == key)
            return &entry;
    return nullptr;
}

std::optional<std::vector<InputsRecord>> parseInputsFile(const std::string& text, std::string& error)
{
    std::vector<InputsRecord> records;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const auto broken = [&](const char* what) {
            error = "line " + std::to_string(lineNumber) + ": " + what;
            return std::nullopt;
        };
        for (unsigned char c : line)
            if (c < 0x20 && c != '\t')
                return broken("holds control characters");
        InputsRecord record;
        std::size_t pos = 0;
        bool quoted = false;
        if (!readField(line, pos, record.key, quoted) || !quoted || record.key.empty())
            return broken("no quoted key");
        if (pos >= line.size() || line[pos] != ',')
            return broken("no comma after the key");
        ++pos;
        if (!readField(line, pos, record.value, quoted) || pos != line.size())
            return broken("no single value after the key");
        if (!quoted) {
            if (record.value == "#TRUE#")
                record.value = "True";
            else if (record.value == "#FALSE#")
                record.value = "False";
            else if (!record.value.empty() && record.value.front() == '#')
                return broken("a value this file cannot hold");
        }
        records.push_back(std::move(record));
    }
    return records;
}

mMiscellaneous::mMiscellaneous(Startup& startup) : startup_(startup) {}

std::shared_ptr<mMiscellaneous> mMiscellaneous::install(Startup& startup)
{
    auto misc = std::make_shared<mMiscellaneous>(startup);
    startup.shellServices.FormPosition = [misc](forms::Form& window, bool load) { misc->FormPosition(load, window); };
    startup.shellServices.OpenInputsFile = [misc] { misc->OpenInputsFile(); };
    startup.shellServices.SaveInputsFile = [misc] { misc->SaveInputsFile(); };
    return misc;
}

const ControlsDictionary& mMiscellaneous::FormControlsDictionary(forms::Form& frm)
{
    if (!dictionary_) {
        std::vector<ControlName> walk;
        if (frm.name() == QLatin1String("frmInputs")) {
            walk = inputsDialogWalk();
        } else {
            for (forms::Control* control : frm.controls())
                if (kept(*control))
                    walk.push_back({control->name(), control->index()});
        }
        dictionary_ = ControlsDictionary::build(frm.name(), walk);
    }
    return *dictionary_;
}

void mMiscellaneous::report(const char* routine, const std::string& number, const std::string& description,
                            const std::string& extra)
{
    startup_.logger().LogMessage("mMiscellaneous", routine, number, description, extra);
}

std::string mMiscellaneous::InputsFileText()
{
    forms::Form& dialog = startup_.inputs().form();
    const auto& entries = FormControlsDictionary(dialog).entries();
    std::string text;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        forms::Control* control = dialog.find(entry->control.name, entry->control.index);
        if (control == nullptr)
            runtime::raise(runtime::SubscriptOutOfRange);
        text += '"' + entry->key + "\",";
        switch (control->valueKind()) {
        case forms::ValueKind::Text: {
            const std::string value = control->value().toString().toStdString();
            // Quotes and line breaks have no place in the format: such a file
            // would not read back.
            if (value.find_first_of("\"\r\n") != std::string::npos)
                runtime::raise(380, "the field " + entry->key +
                                                                  " holds a quote or a line break");
            text += '"' + value + '"';
            break;
        }
        case forms::ValueKind::Number:
            text += std::to_string(control->value().toInt());
            break;
        case forms::ValueKind::Boolean:
            text += control->value().toBool() ? "#TRUE#" : "#FALSE#";
            break;
        case forms::ValueKind::None:
            runtime::raise(runtime::TypeMismatch);
        }
        text += "\r\n";
    }
    return text;
}

void mMiscellaneous::SaveInputsFile()
{
    mAPI_misc common(startup_.store(), startup_.appName(), startup_.DialogFileName,
                     shellservices::programFolder().toStdString(), startup_.logger());
    const std::string fileName = common.ShowSaveDialog(startup_.gears().form().window(), FileFilter);
    if (fileName.empty())
        return;
    std::string text;
    try {
        text = InputsFileText();
    } catch (const runtime::RuntimeError& error) {
        report("SaveInputsFile", std::to_string(error.number()), error.description(), fileName);
        return;
    }
    // The program's error number (a full disk is 61), not the system's.
    if (const int error = runtime::writeFileAtomically(fileName, text); error != 0) {
        const int number = runtime::fileErrorNumber(error);
        report("SaveInputsFile", std::to_string(number),
               runtime::errorDescription(number) + ": cannot write " + fileName + ": " + std::strerror(error), fileName);
    }
}

void mMiscellaneous::OpenInputsFile()
{
    mAPI_misc common(startup_.store(), startup_.appName(), startup_.DialogFileName,
                     shellservices::programFolder().toStdString(), startup_.logger());
    const std::string fileName = common.ShowOpenDialog(startup_.gears().form().window(), FileFilter);
    if (fileName.empty())
        return;
    // A FIFO would block the open for good, a device feed it without end.
    if (const int number = runtime::specialFileError(fileName)) {
        report("OpenInputsFile", std::to_string(number), runtime::errorDescription(number) + ": not a regular file",
               fileName);
        return;
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        report("OpenInputsFile", "53", "File not found or not readable", fileName);
        return;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || size > LargestInputsFile) {
        report("OpenInputsFile", "", "Not a Vantrope inputs file: far too large", fileName);
        return;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        report("OpenInputsFile", "57", "The file could not be read", fileName);
        return;
    }
    ApplyInputsFile(content.str(), fileName);
}

bool mMiscellaneous::ApplyInputsFile(const std::string& text, const std::string& fileName)
{
    std::string error;
    const auto records = parseInputsFile(text, error);
    if (!records) {
        report("OpenInputsFile", "", "Not a Vantrope inputs file, nothing was loaded: " + error, fileName);
        return false;
    }
    forms::Form& dialog = startup_.inputs().form();
    const ControlsDictionary& dictionary = FormControlsDictionary(dialog);
    // Before any field changes: a file with none of the dialog's keys, or
    // one that repeats a key before the first of them, is refused whole.
    std::set<std::string> seen;
    bool known = false;
    for (const InputsRecord& record : *records) {
        if (dictionary.find(record.key)) {
            known = true;
            break;
        }
        if (!seen.insert(record.key).second) {
            report("OpenInputsFile", "457", "Not a Vantrope inputs file, nothing was loaded: the key " + record.key +
                                                " is repeated", fileName);
            return false;
        }
    }
    if (!known) {
        report("OpenInputsFile", "", "Not a Vantrope inputs file, nothing was loaded: it holds no inputs",
               fileName);
        return false;
    }
    seen.clear();
    for (const InputsRecord& record : *records) {
        // A record that fails is skipped and the reading goes on.
        if (!seen.insert(record.key).second)
            continue;
        const ControlsDictionary::Entry* entry = dictionary.find(record.key);
        if (entry == nullptr)
            continue;
        try {
            forms::Control* control = dialog.find(entry->control.name, entry->control.index);
            if (control != nullptr)
                setFromText(*control, record.value);
        } catch (const runtime::RuntimeError&) {
        }
    }
    return true;
}

namespace {

struct Bounds {
    double left, top, width, height;
};

// The stored bounds of a window; any side stored badly takes its default
// alone, and a window whose title bar would be on no screen (the screens
// changed since it was stored) goes to the default place.
Bounds storedBounds(SettingsStore& store, const std::string& app, const std::string& name)
{
    const char* keys[] = {"_Left", "_Top", "_Width", "_Height"};
    const double defaults[] = {2400, 2400, 5000, 6000};
    double values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = defaults[i];
        try {
            values[i] = storedTwips(store.GetSetting(app, mMiscellaneous::PositionsSection, name + keys[i],
                                                     std::to_string(static_cast<int>(defaults[i]))),
                                    defaults[i]);
        } catch (const runtime::RuntimeError&) {
        }
    }
    const auto screens = QGuiApplication::screens();
    if (!screens.isEmpty()) {
        const QRect titleBar(forms::twipsToPixels(values[0]), forms::twipsToPixels(values[1]),
                             std::max(1, forms::twipsToPixels(values[2])), 30);
        bool reachable = false;
        for (const QScreen* screen : screens)
            reachable = reachable || screen->availableGeometry().intersects(titleBar);
        if (!reachable) {
            values[0] = defaults[0];
            values[1] = defaults[1];
        }
    }
    return {values[0], values[1], values[2], values[3]};
}

void storeBounds(SettingsStore& store, const std::string& app, const std::string& name, const Bounds& bounds)
{
    const std::pair<const char*, double> sides[] = {
        {"_Left", bounds.left}, {"_Top", bounds.top}, {"_Width", bounds.width}, {"_Height", bounds.height}};
    for (const auto& [key, twips] : sides) {
        try {
            if (std::isfinite(twips))
                store.SaveSetting(app, mMiscellaneous::PositionsSection, name + key, std::to_string(std::lround(twips)));
        } catch (const runtime::RuntimeError&) {
        }
    }
}

} // namespace

// The size is kept without the window system's frame (Form::frameExtra).
void mMiscellaneous::FormPosition(bool Load, forms::Form& frm)
{
    SettingsStore& store = startup_.store();
    const std::string app = startup_.appName();
    const std::string name = frm.name().toStdString();
    if (!Load) {
        try {
            // A maximised window keeps the place it returns to, not the
            // screen it fills: the next start opens it there.
            auto* window = dynamic_cast<forms::FormWindow*>(frm.window());
            if (frm.windowState() == forms::WindowState::Maximized && window != nullptr) {
                const QRect frame = window->normalFrameGeometry();
                const QSize client = frame.size().shrunkBy(window->normalFrameMargins());
                storeBounds(store, app, name,
                            {forms::pixelsToTwips(frame.x()), forms::pixelsToTwips(frame.y()),
                             forms::pixelsToTwips(client.width()), forms::pixelsToTwips(client.height())});
                return;
            }
            const QSizeF frame = frm.frameExtra();
            storeBounds(store, app, name,
                        {frm.left(), frm.top(), frm.width() - frame.width(), frm.height() - frame.height()});
        } catch (const runtime::RuntimeError&) {
        }
        return;
    }
    const Bounds bounds = storedBounds(store, app, name);
    try {
        const QSizeF frame = frm.frameExtra();
        frm.move(bounds.left, bounds.top, bounds.width + frame.width(), bounds.height + frame.height());
    } catch (const runtime::RuntimeError&) {
    }
}

void mMiscellaneous::WindowPosition(bool Load, QWidget& window, const std::string& name)
{
    SettingsStore& store = startup_.store();
    const std::string app = startup_.appName();
    if (!Load) {
        storeBounds(store, app, name,
                    {forms::pixelsToTwips(window.pos().x()), forms::pixelsToTwips(window.pos().y()),
                     forms::pixelsToTwips(window.geometry().width()), forms::pixelsToTwips(window.geometry().height())});
        return;
    }
    const Bounds bounds = storedBounds(store, app, name);
    window.move(forms::twipsToPixels(bounds.left), forms::twipsToPixels(bounds.top));
    window.resize(forms::twipsToPixels(bounds.width), forms::twipsToPixels(bounds.height));
    // Its frame within the screen, as every window of the program; the frame
    // of a window already shown stands in for its own until it has one.
    forms::keepFrameOnScreen(window, forms::expectedFrameMargins(window));
}

} // namespace vantrope
