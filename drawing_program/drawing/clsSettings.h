#pragma once

#include "drawing/SettingsStore.h"
#include "drawing/clsDrawOpts.h"
#include "log/RunState.h"
#include "log/TraceLog.h"
#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vantrope {

// Option numbers: who draws with which option.
namespace option {
constexpr int PinionTool = 1, Pinion = 2, Gear = 3, GearTool = 4, Background = 5, BaseRadius = 6,
              TangentRadius = 7, PitchRadius = 8, TipRadius = 9, PlaceholderRadius = 10, LineOfAction = 11,
              LineOfActionDots = 12, LoaText = 13, MovingLoaDot = 14, HertzText = 15;
constexpr int Count = 15;
} // namespace option

// Option copies keyed "a1" .. "a15", in option order.
class OptionCollection {
public:
    void add(std::unique_ptr<clsDrawOpts> option);
    // Subscript error 9 for a missing key or number.
    clsDrawOpts& item(const std::string& key) const;
    clsDrawOpts& item(int number) const;
    std::size_t size() const { return order_.size(); }
    const std::vector<clsDrawOpts*>& inOrder() const { return order_; }

private:
    std::map<std::string, std::unique_ptr<clsDrawOpts>> byKey_;
    std::vector<clsDrawOpts*> order_;
};

// The drawing preferences of the run: fifteen drawing options, teeth drawn per
// element, output size and switches, and the point counts of `run`. Read from
// the store on creation, written back on destruction.
//
// A stored text that is not a value of its key's type (letters under
// "GearSizer", a count below 2 points) is reported to `log` as module
// "clsSettings", routine "LoadSaveSettings", with the key as extra text, and
// that key keeps its default.
class clsSettings {
public:
    clsSettings(SettingsStore& store, std::string appName, RunState& run, const TraceLog& trace, PenTable& pens,
                runtime::ErrorReporter& log);
    ~clsSettings();
    clsSettings(const clsSettings&) = delete;
    clsSettings& operator=(const clsSettings&) = delete;

    double GearSizer = 1.0;
    std::int16_t GearSizerOPT = 0;
    bool booStopPanZoom = false;
    bool noMessages = false;
    bool SaveOnLoseFocus = true;
    bool PrintBlackOnWhite = true;
    bool FixFormRatio = true;

    // Index 1 to 4; subscript error 9 otherwise.
    std::int16_t NumbTeeth(std::int32_t index) const;
    void setNumbTeeth(std::int32_t index, std::int16_t value);

    // The live option object (1 to 15); subscript error 9 otherwise.
    clsDrawOpts& Element(std::int32_t piece) const;
    void ReplaceOptions(const OptionCollection& newOpts);
    OptionCollection CollectionOfOptions() const;
    void ResetColors2Previous();
    void BlackOnWhite();

    // Writes every setting now (also done on destruction).
    void save() { LoadSaveSettings(false); }

    PenTable& pens() const { return pens_; }

private:
    void AddOption(const std::string& name, std::int32_t enumb, std::int32_t color, bool drawThis,
                   std::int32_t lineType, std::int32_t thickness);
    void LoadSaveSettings(bool load);
    // True when every value was kept (always true when loading).
    bool loadOrSave(bool load);

    SettingsStore& store_;
    std::string appName_;
    RunState& run_;
    PenTable& pens_;
    runtime::ErrorReporter& log_;
    OptionCollection colOptions_;
    std::array<std::int16_t, 4> numbTeeth_{36, 36, 36, 36};
};

} // namespace vantrope
