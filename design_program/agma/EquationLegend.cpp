#include "EquationLegend.h"

#include <array>

namespace cindrel::agma {

namespace {

constexpr std::string_view PacText = "Pac, Allowable transmitted power for Pitting resistance (hp).";
constexpr double MiddleFrom = 480, MiddleTo = 690;

constexpr std::array<LegendRegion, 20> Regions = {{
    // Numerator band.
    {180, 480, 45, 480, PacText, -1, "", -1},
    {180, 480, 855, 1155, "Np, Pinion speed in (rpm).", 0, "txtInps", 0},
    {180, 480, 1365, 1575, "F, Effective face width (inch).", 0, "txtInps", 1},
    {180, 480, 2985, 3195, "I, Geometry factor for pitting resistance.", 0, "txtEye", -1},
    {180, 480, 4830, 5025, "d, Pinion pitch diameter (inch).", 0, "txtInps", 2},
    {180, 480, 5235, 5595, "Sac, Allowable contact stress (psi).", 1, "txtSAC", 0},
    {180, 480, 5910, 6270, "Zn, Stress cycle factor for pitting resistance. (steel gears)", 6, "txtZn", 0},
    {180, 480, 6450, 6840, "Ch, Hardness ratio factor for pitting resistance.", 7, "txtCh", 0},
    {180, 480, 7095, 7155, "^2, Exponent.", -1, "", -1},
    // Between the lines: Pac only, bounds exclusive.
    {MiddleFrom, MiddleTo, 45, 480, PacText, -1, "", -1},
    // Denominator band.
    {690, 960, 840, 1530, "126,000, conversion factor from rpm, inch and psi to hp.", -1, "", -1},
    {690, 960, 1860, 2205, "Ko, Overload factor.", 5, "txtKo", -1},
    {690, 960, 2400, 2745, "Kv, Dynamic factor.", 2, "txtKV", -1},
    {690, 960, 2925, 3255, "Ks, Size factor.", 5, "txtKs", -1},
    {690, 960, 3450, 3825, "Km, Load distribution factor.", 4, "txtKm", -1},
    {690, 960, 4035, 4395, "Cf, Surface condition factor.", 7, "txtCf", -1},
    {690, 960, 4740, 5100, "Cp, elastic coefficient.", 1, "txtCP", -1},
    {690, 960, 5280, 5640, "Sh, Safety Factor for pitting.", 7, "txtSh", 0},
    {690, 960, 5895, 6270, "Kt, Temperature factor.", 5, "txtKt", -1},
    {690, 960, 6480, 6870, "Kr, Reliability Factor", 5, "txtKr", -1},
}};

} // namespace

std::span<const LegendRegion> pittingLegend() { return Regions; }

LegendHit legendAt(double x, double y) {
    const bool middle = y > MiddleFrom && y < MiddleTo;
    const bool symbols = (y >= 180 && y <= MiddleFrom) || (y >= MiddleTo && y <= 960);
    if (!middle && !symbols)
        return {};
    for (const LegendRegion& r : Regions) {
        const bool inBand = middle ? r.yFrom == MiddleFrom : (r.yFrom != MiddleFrom && y >= r.yFrom && y <= r.yTo);
        if (inBand && x >= r.xFrom && x <= r.xTo)
            return {LegendHit::Line::Set, &r};
    }
    return {middle ? LegendHit::Line::Keep : LegendHit::Line::Clear, nullptr};
}

} // namespace cindrel::agma
