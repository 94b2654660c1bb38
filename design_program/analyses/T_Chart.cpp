#include "analyses/T_Chart.h"

#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/NumberFormat.h"
#include "runtime/RuntimeError.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <exception>
#include <limits>

namespace cindrel::analyses {

namespace {

// Rows 2 to 25 of the scoring table are plotted; rows 1 and 26 lie outside
// the active profile.
constexpr int FirstScoringRow = 2, LastScoringRow = 25, ScoringPoints = 24;
constexpr int ShearPoints = 53;
constexpr int DeflectionPoints = 26, FirstKeyRow = 22, LastKeyRow = 26;
constexpr int MarkerSeries = 5;

// A graph asked for before its analysis ever ran.
template <typename Table>
const Table& given(const std::optional<Table>& table)
{
    if (!table)
        runtime::raise(runtime::TypeMismatch, "The analysis has not handed its table to the chart");
    return *table;
}

// A value the single-precision annotation can hold.
bool annotatable(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

// Keeps the chart from repainting while a graph changes it; released only
// when the graph is complete, so a failed graph leaves the last one shown.
class RepaintHold {
public:
    explicit RepaintHold(ChartSurface& chart) : chart_(chart) { chart_.holdRepaint(true); }
    void release() { chart_.holdRepaint(false); }

private:
    ChartSurface& chart_;
};

} // namespace

double pinionLPSTCOf(const model::T_Set& Oset)
{
    if (!Oset.oPinion)
        runtime::raise(runtime::ObjectVariableNotSet);
    return Oset.oPinion->LPSTC(0);
}

double pinionPitchRollAngleOf(const model::T_Set& Oset)
{
    if (!Oset.oPinion)
        runtime::raise(runtime::ObjectVariableNotSet);
    return Oset.oPinion->The_p();
}

std::int32_t gearIntExtOf(const model::T_Set& Oset)
{
    if (!Oset.oGear)
        runtime::raise(runtime::ObjectVariableNotSet);
    return Oset.oGear->IntExt;
}

T_Chart::T_Chart(std::unique_ptr<ChartHost> host) : host_(std::move(host)), chart_(host_->surface())
{
    host_->writeRunNote("initializing T_Chart");
    bindButton("cmdGraphTemp", "cmdTemp_click", &T_Chart::cmdTemp_click);
    bindButton("cmdGraphSlide", "cmdSlide_click", &T_Chart::cmdSlide_click);
    bindButton("cmdGraphFilm", "cmdFilm_click", &T_Chart::cmdFilm_click);
    bindButton("cmdGraphLoad", "cmdLoad_click", &T_Chart::cmdLoad_click);
    bindButton("cmdGraphShear", "cmdSubShear_click", &T_Chart::cmdSubShear_click);
    bindButton("cmdGraphBHN", "cmdBHN_click", &T_Chart::cmdBHN_click);
    bindButton("cmdGraphDeflection", "cmdDeflection_click", &T_Chart::cmdDeflection_click);
}

T_Chart::~T_Chart()
{
    // The buttons must stop calling in before the rest goes.
    buttons_.clear();
}

// A click comes from the event loop: a failed graph is reported there and
// goes no further.
void T_Chart::bindButton(std::string_view button, std::string_view routine, void (T_Chart::*click)())
{
    buttons_.push_back(host_->bindClick(button, [this, routine, click] {
        try {
            (this->*click)();
        } catch (const std::exception& error) {
            // A failure that carries no number is logged as error 0.
            const auto [number, description] = runtime::errorTextOf(error, 0);
            host_->reportError(routine, number, description);
        }
    }));
}

int T_Chart::smallerFont(int less) const
{
    return fs_ < std::numeric_limits<int>::min() + less ? std::numeric_limits<int>::min() : fs_ - less;
}

void T_Chart::ScoreData(const ScoringTable& data)
{
    scoreUnits_ = host_->units();
    score_ = data;
}

void T_Chart::ShearData(const SubShearTable& data)
{
    shearUnits_ = host_->units();
    shear_ = data;
}

void T_Chart::LaunchChart()
{
    fs_ = host_->Graphfontsize();
    switch (GraphMode_) {
    case None: cmdTemp_click(); break;
    case SubShear: cmdSubShear_click(); break;
    case Hardness: cmdBHN_click(); break;
    case Sliding: cmdSlide_click(); break;
    case Load: cmdLoad_click(); break;
    case Temperature: cmdTemp_click(); break;
    case Film: cmdFilm_click(); break;
    case Deflection: cmdDeflection_click(); break;
    default: break;
    }
}

void T_Chart::draw(std::int32_t mode)
{
    if (mode == SubShear || mode == Hardness)
        DrawSubShearGraph(mode);
    else if (mode == Deflection)
        DrawDeflectionGraph();
    else
        DrawScoringGraph(mode);
    GraphMode_ = mode;
}

void T_Chart::DrawScoringGraph(std::int32_t m)
{
    const ScoringTable& S = given(score_);
    const bool F = host_->pinionLPSTC() < host_->pinionPitchRollAngle();
    const ChartUnits& units = scoreUnits_;

    RepaintHold hold(chart_);
    chart_.setAxisTitle(ChartAxis::X, "Roll Angle of Pinion\xC2\xB0");
    chart_.setAxisFontSize(ChartAxis::X, smallerFont(1));
    chart_.setAxisFontSize(ChartAxis::Y, smallerFont(1));
    chart_.setAxisTitle(ChartAxis::Y, "");

    chart_.setPointCount(ScoringPoints);
    ChartSeriesStyle line;
    line.lineWidth = curveWidth();
    for (int series : {1, 2})
        chart_.setSeriesStyle(series, line);

    const ChartPointStyle keyPoint{ChartSymbol::KeyPoint, Black, 60};
    for (int r = FirstScoringRow; r <= LastScoringRow; ++r) {
        const int p = r - 1;
        chart_.setX(p, S(r, 1));
        if (S(r, 8) != 0) {
            chart_.setPointStyle(1, p, keyPoint);
            chart_.setPointStyle(2, p, keyPoint);
        } else {
            chart_.setPointStyle(1, p, {ChartSymbol::Disc, Black, 6});
            chart_.setPointStyle(2, p, {ChartSymbol::Square, Black, 6});
        }
    }

    chart_.holdUpdates(true);
    chart_.setSeriesCount(m == Sliding ? 2 : 1);
    chart_.setPointCount(ScoringPoints);
    for (int r = FirstScoringRow; r <= LastScoringRow; ++r) {
        chart_.setY(1, r - 1, S(r, m));
        // The gear's sliding is stored negated.
        if (m == Sliding)
            chart_.setY(2, r - 1, S(r, 9));
    }
    chart_.holdUpdates(false);

    // The five key points come in order of increasing roll angle; the two
    // middle ones swap when single tooth contact starts beyond the pitch point.
    struct KeyLabel {
        const char* whenOrdered;
        const char* whenSwapped;
        ChartAnchor anchor;
    };
    static constexpr std::array<KeyLabel, 5> keyLabels{{
        {"The_LC", "The_LC", ChartAnchor::SouthEast},
        {"LPSTC", "PitchCircle", ChartAnchor::SouthWest},
        {"PitchCircle", "LPSTC", ChartAnchor::South},
        {"HPSTC", "HPSTC", ChartAnchor::SouthEast},
        {"The_OD", "The_OD", ChartAnchor::NorthWest},
    }};
    chart_.removeLabels();
    std::size_t k = 0;
    for (int r = FirstScoringRow; r <= LastScoringRow; ++r) {
        if (S(r, 8) == 0)
            continue;
        // More marks than key points: the extra ones stay unlabelled.
        if (k >= keyLabels.size())
            break;
        const KeyLabel& key = keyLabels[k++];
        chart_.addLabel({F ? key.whenOrdered : key.whenSwapped, S(r, 1), S(r, m), key.anchor, true, 10, smallerFont(1)});
    }

    if (m == Sliding) {
        chart_.addLabel({"Pinion", S(4, 1), S(4, 4), ChartAnchor::East, true, 20, fs_});
        chart_.addLabel({"Gear", S(24, 1), S(24, 9), ChartAnchor::West, true, 20, fs_});
    }

    std::string header;
    switch (m) {
    case Sliding: header = "Specific Sliding (Slip Ratio)"; break;
    case Load: header = "Tangential Load Distribution " + units.ForceUnits; break;
    case Temperature: header = "Temperature " + units.TempUnits; break;
    default: header = "Specific Film Thickness(FilmThickness / " + units.RMSUnits + ")"; break;
    }
    chart_.setHeader(header, fs_, true);

    hold.release();
    host_->writeRunNote("done with the scoring graphs.");
}

void T_Chart::DrawSubShearGraph(std::int32_t m)
{
    const SubShearTable& T = given(shear_);
    const ChartUnits& units = shearUnits_;

    RepaintHold hold(chart_);
    chart_.holdUpdates(true);
    chart_.setAxisTitle(ChartAxis::X, "Sub-Surface Depth" + units.LengthUnits);
    chart_.setAxisFontSize(ChartAxis::X, smallerFont(1));

    ChartSeriesStyle line;
    line.lineWidth = curveWidth();
    chart_.setSeriesStyle(1, line);
    chart_.setPointCount(ShearPoints);
    for (int i = 1; i <= ShearPoints; ++i) {
        chart_.setX(i, T(i, 1));
        chart_.setPointStyle(1, i, {ChartSymbol::Disc, Black, 5});
    }

    // Single precision, as the annotation shows them, and compared as kept:
    // only a strictly greater value replaces the maximum, so of equal maxima
    // the shallowest stays (a double against its own rounding would always
    // win). Values that are not finite take no part, as they cannot be shown.
    chart_.setSeriesCount(1);
    chart_.setPointCount(ShearPoints);
    float M = 0, D = 0;
    for (int i = 1; i <= ShearPoints; ++i) {
        const double value = T(i, m);
        chart_.setY(1, i, value);
        if (annotatable(value) && annotatable(T(i, 1)) && static_cast<float>(value) > M) {
            M = static_cast<float>(value);
            D = static_cast<float>(T(i, 1));
        }
    }
    double H = 0;
    if (m == SubShear) {
        for (int i = 1; i <= ShearPoints; ++i)
            if (std::isfinite(T(i, 3)) && T(i, 3) > H)
                H = T(i, 3);
    }

    chart_.removeLabels();
    std::string text;
    if (m == SubShear)
        text = "max stress =" + runtime::formatNumber(M, "#") + units.PressureUnits + ", at: " +
               runtime::formatNumber(D, "0.#####") + units.LengthUnits + "\r\nrequired hardness =" +
               runtime::formatNumber(H, "#") + " BHN";
    else
        text = "required hardness =" + runtime::formatNumber(M, "#") + " BHN, at: " +
               runtime::formatNumber(D, "0.####") + units.LengthUnits;
    chart_.addLabel({text, D, M, ChartAnchor::East, true, 40, smallerFont(2)});

    chart_.holdUpdates(false);
    chart_.setHeader(m == SubShear ? "Subsurface Shear Stress " + units.PressureUnits : "Required Hardness", fs_, true);
    host_->writeRunNote("done with the subshear graphs.");
    hold.release();
}

void T_Chart::DrawDeflectionGraph()
{
    const DeflectionTable& V = given(deflection_);
    const ChartUnits units = host_->units();
    const bool internal = host_->gearIntExt() == -1;

    RepaintHold hold(chart_);
    chart_.removeLabels();
    chart_.setHeader(internal ? "Routines cannot evaluate internal gear" : "Tooth Deflection " + units.LengthUnits, fs_,
                     true);
    chart_.setAxisTitle(ChartAxis::X, "Roll Angle of Pinion (\xC2\xB0)");
    chart_.setAxisFontSize(ChartAxis::X, smallerFont(1));
    chart_.setAxisFontSize(ChartAxis::Y, smallerFont(1));

    chart_.resetSeriesStyles();
    chart_.removePointStyles();
    chart_.setMissingValue(MissingValue);
    chart_.setSeriesCount(MarkerSeries);
    chart_.setPointCount(DeflectionPoints);

    ChartSeriesStyle style;
    style.lineWidth = curveWidth();
    style.symbolSize = 5;
    for (int series = 1; series <= MarkerSeries; ++series) {
        style.lineShown = series != MarkerSeries;
        chart_.setSeriesStyle(series, style);
    }

    for (int i = 1; i <= DeflectionPoints; ++i)
        chart_.setX(i, V(i, 0));
    // A missing deflection stays missing in any unit system; scaled, the
    // mark would turn into a plotted value.
    const auto shown = [&units](double inches) {
        return inches == MissingValue ? MissingValue : inches * units.LengthFactor;
    };
    for (int i = 1; i <= DeflectionPoints; ++i) {
        for (int series = 1; series <= 4; ++series)
            chart_.setY(series, i, shown(V(i, 4 + series)));
        // The mark series holds values at the key points only.
        chart_.setY(MarkerSeries, i, MissingValue);
    }

    const ChartRange range = chart_.axisRange(ChartAxis::Y);
    const double Ym = (range.minimum + range.maximum) / 2;

    struct KeyLabel {
        const char* text;
        int offset;
    };
    // Staggered so that neighbouring names do not overlap.
    static constexpr std::array<KeyLabel, 5> keyLabels{{
        {"The_LC", 125}, {"LPSTC", 140}, {"PitchCircle", 125}, {"HPSTC", 140}, {"The_OD", 125},
    }};
    for (int i = FirstKeyRow; i <= LastKeyRow; ++i) {
        chart_.setY(MarkerSeries, i, Ym);
        chart_.setPointStyle(MarkerSeries, i, {ChartSymbol::KeyPoint, Black, 230});
        const KeyLabel& key = keyLabels[static_cast<std::size_t>(i - FirstKeyRow)];
        chart_.addLabel({key.text, chart_.x(i), Ym, ChartAnchor::North, true, key.offset, smallerFont(2)});
    }

    struct CurveLabel {
        const char* text;
        int series;
        int point;
    };
    static constexpr std::array<CurveLabel, 4> curveLabels{{
        {"Pinion", 1, 16}, {"Gear", 2, 5}, {"Hertz", 3, 2}, {"Total Deflection", 4, 12},
    }};
    for (const CurveLabel& curve : curveLabels)
        chart_.addLabel({curve.text, chart_.x(curve.point), chart_.y(curve.series, curve.point), ChartAnchor::North,
                         true, 15, smallerFont(2)});

    hold.release();
}

} // namespace cindrel::analyses
