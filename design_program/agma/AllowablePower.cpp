#include "AllowablePower.h"

#include "BoxNumber.h"

#include "model/MMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <limits>

// AGMA rating equations for the allowable transmitted power, hp:
//
//   Pac = np·F·I / (126000·Ko·Kv·Ks·Km·Cf) · (d·sac·Zn·Ch / (Cp·Sh·Kt·Kr))²
//   Pat = np·d·F·J·sat·Yn / (126000·Ko·Kv·Pd·Ks·Km·Kb·SF·Kt·Kr)
//
// 126000 is the rating's own constant (396000/π would give 126050.7, a shift
// the published tables do not have). Worked by hand for the spur pair np 1800,
// F 2, d 4, Pd 5, I 0.1, J 0.35/0.40, Ko 1.25, Kv 1.38, Km 1.371, Zn 0.95/1,
// Ch 1/1.01, sac 125700, sat 35990, Cp 2291, other factors 1:
//   126000·1.25·1.38·1.371          = 297986.85
//   pinion Pac: 360 / 297986.85     = 0.00120811
//               4·125700·0.95/2291  = 208.494,  squared 43469.8
//               0.00120811·43469.8  = 52.516 → 52.5 hp
//   gear Pac:   4·125700·1.01/2291  = 221.662,  squared 49134.1 → 59.359 → 59.4 hp
//   pinion Pat: 1800·4·2·0.35·35990 / (297986.85·5) = 181389600 / 1489934.25
//                                   = 121.74 → 122 hp
//   gear Pat:   207302400 / 1489934.25 = 139.14 → 139 hp
namespace cindrel::agma {

namespace {

constexpr double RatingConstant = 126000;

// Reads one box; nullopt when it is not a number above 0.
using Reader = std::optional<double> (*)(std::string_view);

std::optional<double> positive(std::optional<double> value) {
    if (!value || !std::isfinite(*value) || *value <= 0)
        return std::nullopt;
    return value;
}

// A Set Inputs box counts only as a whole number: "1,5" is no face of 1.
std::optional<double> setInput(std::string_view text) { return positive(wholeBoxNumber(text)); }

// The geometry factors come from the design sequence and are read by their
// leading number.
std::optional<double> measure(std::string_view text) {
    try {
        return positive(boxNumber(text));
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

// A rating factor counts only as a whole number, its mark set aside.
std::optional<double> factor(std::string_view text) { return positive(wholeBoxNumber(text)); }

std::optional<double> stress(std::string_view text) { return positive(stressNumber(text)); }

std::optional<double> whole(std::string_view text) {
    try {
        return positive(runtime::toNumber(text));
    } catch (const runtime::RuntimeError&) {
        return std::nullopt;
    }
}

// Reads the boxes in order and remembers the first one at fault.
class Reading {
public:
    double read(std::string_view text, PowerBox box, Reader reader = factor) {
        if (fault_)
            return 1;
        const std::optional<double> value = reader(text);
        if (!value) {
            fault_ = box;
            return 1;
        }
        return *value;
    }
    // Puts the power at `index` of `out`: as worked out, and rounded to three
    // significant figures and held as shown.
    void place(AllowablePowers& out, int index, double power) {
        const auto k = static_cast<std::size_t>(index);
        out.unrounded[k] = power;
        out.power[k] = rounded(power);
    }
    const std::optional<PowerBox>& fault() const { return fault_; }

private:
    float rounded(double power) {
        if (fault_)
            return 0;
        try {
            if (std::isfinite(power) && power > 0) {
                const double shown = model::MMath::RoundSignificant(power, 3);
                if (shown > 0 && shown <= std::numeric_limits<float>::max() &&
                    static_cast<float>(shown) >= std::numeric_limits<float>::min())
                    return static_cast<float>(shown);
            }
        } catch (const runtime::RuntimeError&) {
        }
        fault_ = PowerBox{};
        return 0;
    }

    std::optional<PowerBox> fault_;
};

} // namespace

std::optional<double> stressNumber(std::string_view text) {
    const std::optional<double> value = wholeBoxNumber(text);
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}

PowerResult allowablePower(const PowerInputs& in) {
    Reading r;
    AllowablePowers out;

    // Pitting reads speed, face and diameter in single precision, bending in
    // double: the shown powers follow that.
    const auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    for (int i = 0; i < 2; ++i) {
        const auto m = static_cast<std::size_t>(i);
        const double np = single(r.read(in.np, {"txtInps", 0}, setInput));
        const double F = single(r.read(in.F, {"txtInps", 1}, setInput));
        const double d = single(r.read(in.d, {"txtInps", 2}, setInput));
        const double sac = r.read(in.SAC[m], {"txtSAC", i}, stress);
        const double I = r.read(in.I, {"txtEye"}, measure);
        const double Ko = r.read(in.Ko, {"txtKo"});
        const double Kv = r.read(in.Kv, {"txtKV"});
        const double Ks = r.read(in.Ks, {"txtKs"});
        const double Km = r.read(in.Km, {"txtKm"});
        const double Cf = r.read(in.Cf, {"txtCf"});
        const double Zn = r.read(in.Zn[m], {"txtZn", i});
        const double Ch = r.read(in.Ch[m], {"txtCh", i});
        const double Sh = r.read(in.Sh[m], {"txtSh", i});
        const double Kt = r.read(in.Kt, {"txtKt"});
        const double Kr = r.read(in.Kr, {"txtKr"});
        const double Cp = r.read(in.Cp, {"txtCP"}, whole);
        const double stressTerm = d * sac * Zn * Ch / (Cp * Sh * Kt * Kr);
        r.place(out, i, np * F * I / (RatingConstant * Ko * Kv * Ks * Km * Cf) * stressTerm * stressTerm);
    }
    for (int i = 0; i < 2; ++i) {
        const auto m = static_cast<std::size_t>(i);
        const double sat = r.read(in.SAT[m], {"txtSAT", i}, stress);
        const double d = r.read(in.d, {"txtInps", 2}, setInput);
        const double F = r.read(in.F, {"txtInps", 1}, setInput);
        const double J = r.read(in.J[m], {"txtJay", i}, measure);
        const double Yn = r.read(in.Yn[m], {"txtYn", i});
        const double Ko = r.read(in.Ko, {"txtKo"});
        const double Kv = r.read(in.Kv, {"txtKV"});
        const double Pd = r.read(in.Pd, {"txtInps", 3}, setInput);
        const double Ks = r.read(in.Ks, {"txtKs"});
        const double Km = r.read(in.Km, {"txtKm"});
        const double Kb = r.read(in.Kb[m], {"txtKb", i});
        const double SF = r.read(in.SF[m], {"txtSf", i});
        const double Kt = r.read(in.Kt, {"txtKt"});
        const double Kr = r.read(in.Kr, {"txtKr"});
        const double np = r.read(in.np, {"txtInps", 0}, setInput);
        r.place(out, 2 + i, np * d * F * J * sat * Yn / (RatingConstant * Ko * Kv * Pd * Ks * Km * Kb * SF * Kt * Kr));
    }
    if (r.fault())
        return PowerResult{std::nullopt, *r.fault()};

    for (int k = 1; k < 4; ++k)
        if (out.power[static_cast<std::size_t>(k)] < out.power[static_cast<std::size_t>(out.lowest)])
            out.lowest = k;
    return PowerResult{out, {}};
}

std::string AllowablePowers::caption(int index) const {
    return runtime::singleText(power[static_cast<std::size_t>(index)]) + " hp";
}

std::array<AllowablePowerRow, 2> AllowablePowers::table() const {
    return {{{"PAC", power[PinionPac], power[GearPac], "Allowable Pitting Power", unrounded[PinionPac], unrounded[GearPac]},
             {"PAT", power[PinionPat], power[GearPat], "Allowable Bending Power", unrounded[PinionPat], unrounded[GearPat]}}};
}

} // namespace cindrel::agma
