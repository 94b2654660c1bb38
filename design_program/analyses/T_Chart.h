#pragma once

#include "analyses/ChartSurface.h"
#include "analyses/T_Deflections.h"
#include "analyses/T_Scoring.h"
#include "analyses/T_SubShear.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::model {
class T_Set;
}

namespace cindrel::analyses {

// The display unit system as the graphs show it, read at every graph.
struct ChartUnits {
    double LengthFactor = 1;
    std::string LengthUnits = "(in) ";
    std::string PressureUnits = "(psi) ";
    std::string ForceUnits = "(lb) ";
    std::string TempUnits = "(\xC2\xB0" "F) ";
    std::string RMSUnits = "(RMS) ";
};

// Released, a button binding stops calling its handler.
class ChartButtonBinding {
public:
    virtual ~ChartButtonBinding() = default;
};

// What the graphs need of the program around them: the chart control, the
// graph font size, the unit system, the gear pair's key roll angles, the
// run log and the main window's graph buttons. The shell implements it;
// tests use a recorder.
class ChartHost {
public:
    virtual ~ChartHost() = default;
    virtual ChartSurface& surface() = 0;
    // The stored graph font size, in points, unchecked.
    virtual std::int32_t Graphfontsize() = 0;
    virtual ChartUnits units() = 0;
    // Roll angles of the pinion: lowest point of single tooth contact and pitch point.
    virtual double pinionLPSTC() = 0;
    virtual double pinionPitchRollAngle() = 0;
    // +1 external, -1 internal gear.
    virtual std::int32_t gearIntExt() = 0;
    virtual void writeRunNote(std::string_view note) = 0;
    // A failure of a graph asked for from a button, after the graph stopped.
    virtual void reportError(std::string_view routine, int number, std::string_view description) = 0;
    // Calls handler on every click of the main window's button of that name.
    virtual std::unique_ptr<ChartButtonBinding> bindClick(std::string_view button, std::function<void()> handler) = 0;
};

// The pair readings of a host, taken from the gear pair.
double pinionLPSTCOf(const model::T_Set& Oset);
double pinionPitchRollAngleOf(const model::T_Set& Oset);
std::int32_t gearIntExtOf(const model::T_Set& Oset);

// The graphs of the contact analyses on the main window's chart control:
// four scoring graphs against the pinion roll angle, the subsurface shear
// stress and required hardness against depth, and the tooth deflections.
// One graph shows at a time; the seven graph buttons choose it.
class T_Chart {
public:
    // The graph modes; each is also the table column the graph plots.
    enum Mode : std::int32_t {
        None = 0,
        SubShear = 2,
        Hardness = 3,
        Sliding = 4,
        Load = 5,
        Temperature = 6,
        Film = 7,
        Deflection = 8,
    };
    // The value that marks a missing deflection.
    static constexpr double MissingValue = -12345;

    // Notes its creation in the run log and binds the seven graph buttons.
    explicit T_Chart(std::unique_ptr<ChartHost> host);
    ~T_Chart();
    T_Chart(const T_Chart&) = delete;
    T_Chart& operator=(const T_Chart&) = delete;

    // The scoring and subsurface tables hold values in the display units of
    // their run, so their graphs keep that run's unit labels.
    void ScoreData(const ScoringTable& data);
    void ShearData(const SubShearTable& data);
    void DeflectionData(const DeflectionTable& data) { deflection_ = data; }

    // Nothing until the analysis has handed its table over once.
    const std::optional<ScoringTable>& ScoreData() const { return score_; }
    const std::optional<SubShearTable>& ShearData() const { return shear_; }
    const std::optional<DeflectionTable>& DeflectionData() const { return deflection_; }

    // Takes the stored graph font size and redraws the graph shown last
    // (the flash temperature graph when none has been shown). A failure
    // passes to the caller.
    void LaunchChart();

    // Draw their graph, then make it the one shown. A failure passes to the
    // caller, GraphMode unchanged.
    void cmdBHN_click() { draw(Hardness); }
    void cmdSubShear_click() { draw(SubShear); }
    void cmdFilm_click() { draw(Film); }
    void cmdLoad_click() { draw(Load); }
    void cmdSlide_click() { draw(Sliding); }
    void cmdTemp_click() { draw(Temperature); }
    void cmdDeflection_click() { draw(Deflection); }

    std::int32_t GraphMode() const { return GraphMode_; }
    // The font size of the latest LaunchChart; 0 before the first.
    std::int32_t fs() const { return fs_; }

private:
    void draw(std::int32_t mode);
    void DrawScoringGraph(std::int32_t m);
    void DrawSubShearGraph(std::int32_t m);
    void DrawDeflectionGraph();
    void bindButton(std::string_view button, std::string_view routine, void (T_Chart::*click)());
    int curveWidth() const { return fs_ > 10 ? 2 : 1; }
    // fs less some points; the stored size is unchecked, so never below the least whole number.
    int smallerFont(int less) const;

    std::unique_ptr<ChartHost> host_;
    ChartSurface& chart_;
    std::int32_t fs_ = 0;
    std::int32_t GraphMode_ = None;
    std::optional<ScoringTable> score_;
    std::optional<SubShearTable> shear_;
    ChartUnits scoreUnits_, shearUnits_;
    std::optional<DeflectionTable> deflection_;
    std::vector<std::unique_ptr<ChartButtonBinding>> buttons_;
};

} // namespace cindrel::analyses
