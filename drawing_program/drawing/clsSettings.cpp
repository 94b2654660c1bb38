#include "drawing/clsSettings.h"

#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cctype>
#include <cmath>
#include <functional>

namespace vantrope {

namespace {

constexpr const char* Section = "DrawingOptions";

std::int32_t rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string trimmed(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool toBoolean(std::string_view text)
{
    std::string t = trimmed(text);
    if (equalsIgnoringCase(t, "True"))
        return true;
    if (equalsIgnoringCase(t, "False"))
        return false;
    return runtime::toNumber(t) != 0.0;
}

const char* booleanText(bool value)
{
    return value ? "True" : "False";
}

} // namespace

void OptionCollection::add(std::unique_ptr<clsDrawOpts> option)
{
    clsDrawOpts* raw = option.get();
    auto [it, inserted] = byKey_.emplace(raw->EnumbString, std::move(option));
    if (!inserted)
        runtime::raise(457, "This key is already associated with an element of this collection");
    order_.push_back(raw);
}

clsDrawOpts& OptionCollection::item(const std::string& key) const
{
    auto it = byKey_.find(key);
    if (it == byKey_.end())
        runtime::raise(runtime::SubscriptOutOfRange);
    return *it->second;
}

clsDrawOpts& OptionCollection::item(int number) const
{
    return item(std::to_string(number).insert(0, 1, 'a'));
}

clsSettings::clsSettings(SettingsStore& store, std::string appName, RunState& run, const TraceLog& trace,
                         PenTable& pens, runtime::ErrorReporter& log)
    : store_(store), appName_(std::move(appName)), run_(run), pens_(pens), log_(log)
{
    trace.write("clsSettings_Initialize");
    AddOption("PinionTool", 1, rgb(113, 46, 44), true, 0, 1);
    AddOption("Pinion", 2, rgb(0, 128, 0), true, 0, 1);
    AddOption("Gear", 3, rgb(0, 0, 255), true, 0, 1);
    AddOption("GearTool", 4, rgb(128, 0, 128), true, 0, 1);
    AddOption("Background", 5, rgb(255, 255, 255), true, 0, 0);
    AddOption("Base radius", 6, rgb(0, 0, 128), true, 1, 1);
    AddOption("Tangent radius", 7, rgb(200, 0, 0), true, 2, 1);
    AddOption("Pitch radius", 8, rgb(180, 180, 180), true, 2, 1);
    AddOption("Tip radius", 9, rgb(242, 242, 0), true, 2, 1);
    AddOption("Placeholder radius", 10, rgb(0, 0, 0), true, 0, 1);
    AddOption("Line of Action", 11, rgb(0, 200, 200), true, 0, 1);
    AddOption("Line of Action Dots", 12, rgb(255, 0, 0), true, 0, 1);
    AddOption("LOA Descriptive Text", 13, rgb(0, 0, 0), true, 0, 1);
    AddOption("Moving LOA Dot", 14, rgb(222, 0, 0), true, 0, 2);
    AddOption("Hertz#", 15, rgb(0, 0, 0), true, 0, 1);
    LoadSaveSettings(true);
}

clsSettings::~clsSettings()
{
    try {
        LoadSaveSettings(false);
    } catch (...) {
        // The store logs its own failures; nothing may escape a destructor.
    }
    for (clsDrawOpts* option : colOptions_.inOrder())
        pens_.DeleteObject(option->Handle);
}

void clsSettings::AddOption(const std::string& name, std::int32_t enumb, std::int32_t color, bool drawThis,
                            std::int32_t lineType, std::int32_t thickness)
{
    auto option = std::make_unique<clsDrawOpts>();
    option->defColor = color;
    option->Color = color;
    option->defDrawThis = drawThis;
    option->defLineType = lineType;
    option->defThickness = thickness;
    option->Name = name;
    option->Enumb = enumb;
    option->EnumbString = std::to_string(enumb).insert(0, 1, 'a');
    option->Handle = pens_.CreatePen(option->LineType, option->Thickness, option->Color);
    colOptions_.add(std::move(option));
}

std::int16_t clsSettings::NumbTeeth(std::int32_t index) const
{
    if (index < 1 || index > 4)
        runtime::raise(runtime::SubscriptOutOfRange);
    return numbTeeth_[static_cast<std::size_t>(index - 1)];
}

void clsSettings::setNumbTeeth(std::int32_t index, std::int16_t value)
{
    if (index < 1 || index > 4)
        runtime::raise(runtime::SubscriptOutOfRange);
    numbTeeth_[static_cast<std::size_t>(index - 1)] = value;
}

clsDrawOpts& clsSettings::Element(std::int32_t piece) const
{
    return colOptions_.item(static_cast<int>(piece));
}

void clsSettings::ReplaceOptions(const OptionCollection& newOpts)
{
    for (clsDrawOpts* own : colOptions_.inOrder()) {
        const clsDrawOpts& edited = newOpts.item(own->EnumbString);
        own->Color = edited.Color;
        own->DrawThis = edited.DrawThis;
        own->LineType = edited.LineType;
        own->PrevColor = edited.PrevColor;
        own->Thickness = edited.Thickness;
        own->GetHandle(pens_);
    }
}

OptionCollection clsSettings::CollectionOfOptions() const
{
    OptionCollection copies;
    for (const clsDrawOpts* own : colOptions_.inOrder()) {
        auto copy = std::make_unique<clsDrawOpts>(*own);
        copy->Handle = 0;
        copies.add(std::move(copy));
    }
    return copies;
}

void clsSettings::ResetColors2Previous()
{
    for (clsDrawOpts* option : colOptions_.inOrder()) {
        std::swap(option->Color, option->PrevColor);
        option->GetHandle(pens_);
    }
}

void clsSettings::BlackOnWhite()
{
    for (clsDrawOpts* option : colOptions_.inOrder()) {
        option->PrevColor = option->Color;
        option->Color = 0;
        option->GetHandle(pens_);
    }
    clsDrawOpts& background = *colOptions_.inOrder().at(option::Background - 1);
    background.Color = rgb(255, 255, 255);
    background.GetHandle(pens_);
}

void clsSettings::LoadSaveSettings(bool load)
{
    if (load) {
        loadOrSave(true);
        return;
    }
    store_.saveTogether([this] { return loadOrSave(false); });
}

bool clsSettings::loadOrSave(bool load)
{
    bool allKept = true;
    // Reads a key into its variable with a converter, or writes it as text.
    auto entry = [&](const std::string& key, const std::string& defaultText, const std::function<void(const std::string&)>& set,
                     const std::string& current) {
        if (!load) {
            allKept = store_.SaveSetting(appName_, Section, key, current) && allKept;
            return;
        }
        std::string text = store_.GetSetting(appName_, Section, key, defaultText);
        try {
            set(text);
        } catch (const runtime::RuntimeError&) {
            runtime::reportError(log_, "clsSettings", "LoadSaveSettings", std::current_exception(), key);
            set(defaultText);
        }
    };
    auto longEntry = [&](const std::string& key, std::int32_t& value, std::int32_t defaultValue) {
        entry(key, std::to_string(defaultValue),
              [&](const std::string& text) { value = runtime::toInt32(runtime::toNumber(text)); },
              std::to_string(value));
    };
    auto integerEntry = [&](const std::string& key, std::int16_t& value, std::int16_t defaultValue) {
        entry(key, std::to_string(defaultValue),
              [&](const std::string& text) { value = runtime::toInt16(runtime::toNumber(text)); },
              std::to_string(value));
    };
    auto booleanEntry = [&](const std::string& key, bool& value, bool defaultValue) {
        entry(key, booleanText(defaultValue), [&](const std::string& text) { value = toBoolean(text); },
              booleanText(value));
    };
    // The outline generators divide by the count less one and size their
    // point sets by it: a stored count outside 2..10000 is refused.
    auto countEntry = [&](const std::string& key, std::int32_t& value, std::int32_t defaultValue) {
        entry(key, std::to_string(defaultValue),
              [&](const std::string& text) {
                  std::int16_t count = runtime::toInt16(runtime::toNumber(text));
                  if (count < 2 || count > 10000)
                      runtime::raise(runtime::InvalidProcedureCall);
                  value = count;
              },
              std::to_string(value));
    };

    for (clsDrawOpts* option : colOptions_.inOrder()) {
        longEntry(option->Name + " Color", option->Color, option->defColor);
        booleanEntry(option->Name + " DrawThis", option->DrawThis, option->defDrawThis);
        longEntry(option->Name + " LineType", option->LineType, option->defLineType);
        longEntry(option->Name + " Thickness", option->Thickness, option->defThickness);
        if (load)
            option->GetHandle(pens_);
    }
    entry("GearSizer", "1",
          [&](const std::string& text) {
              double size = runtime::toNumber(text);
              // Every exported length is multiplied by it: no size, no drawing.
              if (!(size > 0.0))
                  runtime::raise(runtime::InvalidProcedureCall);
              GearSizer = size;
          },
          // A size that is no number is never written: the next run starts from 1.
          std::isfinite(GearSizer) ? runtime::numberText(GearSizer) : std::string("1"));
    integerEntry("GearSizerOPT", GearSizerOPT, 0);
    for (int i = 1; i <= 4; ++i)
        integerEntry("NumbTeeth(" + std::to_string(i) + ")", numbTeeth_[static_cast<std::size_t>(i - 1)], 36);
    countEntry("IncrementsInvolute", run_.IncrementsInvolute, 10);
    countEntry("IncrementsEdge", run_.IncrementsEdge, 5);
    countEntry("IncrementsRoot", run_.IncrementsRoot, 7);
    booleanEntry("NoMessages", noMessages, false);
    booleanEntry("SaveOnLoseFocus", SaveOnLoseFocus, true);
    booleanEntry("PrintBlackOnWhite", PrintBlackOnWhite, true);
    booleanEntry("FixFormRatio", FixFormRatio, true);
    return allKept;
}

} // namespace vantrope
