#include "AgmaToleranceClass.h"

#include "model/MMath.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace cindrel::outputs {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double NoLimit = std::numeric_limits<double>::infinity();
constexpr int AnyQuality = std::numeric_limits<int>::max();

// The formulas' results are single-precision figures; one beyond that range
// is an overflow, as the conversion would be.
double toSingle(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
        runtime::raise(runtime::Overflow);
    return static_cast<float>(value);
}

double finiteInput(double value) { return runtime::checkFinite(value); }

bool outside(double value, double lowest, double highest) { return value < lowest || value > highest; }

std::string warningText(const std::string& names) {
    if (names.empty())
        return {};
    return " --" + names + "out of bounds";
}

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
    });
    return text;
}

// A pitch range that applies to a run of quality numbers.
struct PitchBand {
    int lowestQuality;
    int highestQuality;
    double lowestPitch;
    double highestPitch;
};

struct ThicknessClass {
    std::string_view letter;
    double index;
    int lowestQuality;
    int highestQuality;
    // A quality number outside the class's range skips the pitch check.
    bool qualityExcludesPitch;
    std::vector<PitchBand> inch;
    std::vector<PitchBand> metric;
};

const std::vector<ThicknessClass>& thicknessClasses() {
    static const std::vector<ThicknessClass> classes = {
        {"A", 1, 3, 15, true,
         {{3, 4, 2, 5}, {5, 5, 2, 8}, {6, 6, 2, 32}},
         {{3, 4, 5, 50}, {5, 5, 3, 50}, {6, 6, 0.8, 50}, {7, 15, 0.2, 50}}},
        {"B", 2, 5, 15, true,
         {{5, 5, 2, 5}, {6, 6, 2, 32}},
         {{5, 5, 3, 12}, {6, 6, 0.8, 12}, {7, 15, 0.2, 12}}},
        {"C", 3, 6, 15, true,
         {{6, 6, 2, 32}},
         {{6, 6, 0.8, 12}, {7, 15, 0.2, 12}}},
        {"D", 4, 7, 15, false,
         {{-AnyQuality, AnyQuality, 8, NoLimit}},
         {{-AnyQuality, AnyQuality, 0.2, 3}}},
    };
    return classes;
}

const PitchBand* bandOf(const std::vector<PitchBand>& bands, double quality) {
    for (const PitchBand& band : bands)
        if (quality >= band.lowestQuality && quality <= band.highestQuality)
            return &band;
    return nullptr;
}

using Getter = std::string (AgmaToleranceClass::*)() const;

struct NamedGetter {
    std::string_view name;
    Getter getter;
};

constexpr std::array<NamedGetter, 7> namedGetters = {{
    {"PitchVariation", &AgmaToleranceClass::PitchVariation},
    {"ProfileTolerance", &AgmaToleranceClass::ProfileTolerance},
    {"ToothAlignment", &AgmaToleranceClass::ToothAlignment},
    {"Tooth2ToothComposite", &AgmaToleranceClass::Tooth2ToothComposite},
    {"TotalComposite", &AgmaToleranceClass::TotalComposite},
    {"RadialRunout", &AgmaToleranceClass::RadialRunout},
    {"ToothThicknessTolerance", &AgmaToleranceClass::ToothThicknessTolerance},
}};

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == (y >= 'A' && y <= 'Z' ? y - 'A' + 'a' : y);
           });
}

} // namespace

double roundTolerance(double value, double minimum, runtime::ErrorReporter& reporter) {
    using model::MMath::Trunc;
    runtime::checkFinite(value);
    if (value <= minimum)
        return minimum;
    // The small additions make a remainder of 0.03 (or 0.3, or 3 in the tens)
    // round up, so a tolerance is never quoted tighter than computed.
    if (value <= 10)
        return toSingle(Trunc(value + 0.0200001, 1, reporter));
    if (value <= 100)
        return toSingle(Trunc(value + 0.200001, 0, reporter));
    return toSingle(runtime::checkFinite(10 * Trunc(Trunc(value / 10, 1, reporter) + 0.200001, 0, reporter)));
}

void AgmaToleranceClass::aaVariablesIn(std::int16_t QualityNumber, std::int16_t Numbteeth,
                                       double DiametralPitchNormal, double HelixAngleRadians, double FaceWidth,
                                       const std::string& TooththicknessCode) {
    // Worked out in full before anything is stored, so that a failing call
    // leaves the previous member's values whole.
    const double pitch = finiteInput(DiametralPitchNormal);
    const double helix = finiteInput(HelixAngleRadians);
    const double face = finiteInput(FaceWidth);
    // A first-power cosine: the virtual teeth of the normal section as the
    // tolerance standard counts them, not the cube of the form factor.
    const double virtualTeeth = helix == 0 ? Numbteeth : runtime::divide(Numbteeth, std::cos(helix));
    const double storedPitch = metric() ? runtime::divide(MillimetresPerInch, pitch) : pitch;
    const double storedFace = metric() ? runtime::checkFinite(MillimetresPerInch * face) : face;

    virtualTeeth_ = virtualTeeth;
    pitch_ = storedPitch;
    quality_ = QualityNumber;
    face_ = storedFace;
    thicknessClass_ = TooththicknessCode;
}

double AgmaToleranceClass::RoundTolerance(double value) const {
    return roundTolerance(value, metric() ? 1.0 : 0.4, *reporter_);
}

std::string AgmaToleranceClass::roundedText(double value, const std::string& names) const {
    const double rounded = RoundTolerance(toSingle(runtime::checkFinite(value)));
    return runtime::numberText(model::MMath::Trunc(rounded, metric() ? 5 : 4, *reporter_)) + warningText(names);
}

void AgmaToleranceClass::checkQuality(std::string& names, int lowest, int highest) const {
    if (outside(quality_, lowest, highest))
        names += "Qn, ";
}

void AgmaToleranceClass::checkTeeth(std::string& names, double inchTeethPerPitch, double metricTeethModule) const {
    const double mostTeeth =
        metric() ? runtime::divide(metricTeethModule, pitch_) : runtime::checkFinite(inchTeethPerPitch * pitch_);
    if (outside(virtualTeeth_, 6, 1200) || virtualTeeth_ > mostTeeth)
        names += metric() ? "Zi, " : "Ni, ";
}

void AgmaToleranceClass::checkPitch(std::string& names, double lowest, double highest) const {
    if (outside(pitch_, lowest, highest))
        names += metric() ? "Mn, " : "Pnd, ";
}

// Composite tolerances hold over a pitch range that narrows at quality 5 and 15.
void AgmaToleranceClass::checkCompositePitch(std::string& names) const {
    static const std::vector<PitchBand> inch = {{5, 5, 12, 120}, {6, 14, 0.5, 120}, {15, 15, 20, 120}};
    static const std::vector<PitchBand> metricBands = {{5, 5, 0.2, 2}, {6, 14, 0.2, 50}, {15, 15, 0.2, 1.25}};
    if (const PitchBand* band = bandOf(metric() ? metricBands : inch, quality_))
        checkPitch(names, band->lowestPitch, band->highestPitch);
}

double AgmaToleranceClass::qualityFactor(double base) const { return runtime::power(base, 8 - quality_); }

std::string AgmaToleranceClass::PitchVariation() const {
    using runtime::power;
    std::string names;
    checkQuality(names, metric() ? 8 : 6, 15);
    checkTeeth(names, 400, 10000);
    if (metric()) {
        checkPitch(names, 1.25, 50);
        return roundedText(7.289 * power(virtualTeeth_, 0.177) * power(pitch_, 0.401) * qualityFactor(1.42), names);
    }
    checkPitch(names, 0.5, 20);
    return roundedText(10.5 * power(virtualTeeth_, 0.177) * power(pitch_, -0.401) * qualityFactor(1.42), names);
}

std::string AgmaToleranceClass::ProfileTolerance() const {
    using runtime::power;
    std::string names;
    checkQuality(names, 8, 15);
    checkTeeth(names, 400, 10000);
    if (metric()) {
        checkPitch(names, 1.25, 50);
        return roundedText(8.125 * power(virtualTeeth_, 0.154) * power(pitch_, 0.589) * qualityFactor(1.4), names);
    }
    checkPitch(names, 0.5, 20);
    return roundedText(21.5 * power(virtualTeeth_, 0.154) * power(pitch_, -0.589) * qualityFactor(1.4), names);
}

std::string AgmaToleranceClass::ToothAlignment() const {
    std::string names;
    checkQuality(names, 8, 15);
    checkTeeth(names, 400, 10000);
    if (metric())
        checkPitch(names, 1.25, 50);
    else
        checkPitch(names, 0.5, 20);
    const double widestFace = metric() ? 250 : 10;
    if (face_ > widestFace)
        names += "Face, ";

    const double q = quality_;
    const double lead = metric() ? 48.148 - 6.8371 * q + 0.34641 * q * q - 0.0062 * q * q * q
                                 : 18.956 - 2.69177 * q + 0.13638 * q * q - 0.00244 * q * q * q;
    // Up to one inch (25 mm) of face the tolerance does not grow with it.
    const double narrowFace = metric() ? 25 : 1;
    if (face_ >= 0 && face_ <= narrowFace)
        return roundedText(lead, names);
    const double faceFactor = (metric() ? 0.0974 : 1.0) * runtime::power(face_, 0.72);
    return roundedText(faceFactor * lead, names);
}

std::string AgmaToleranceClass::Tooth2ToothComposite() const {
    using runtime::power;
    std::string names;
    checkQuality(names, 5, 15);
    checkTeeth(names, 200, 5000);
    checkCompositePitch(names);

    const double teeth = virtualTeeth_;
    const double q = qualityFactor(1.4);
    if (metric()) {
        if (teeth <= 20)
            return roundedText(63.92 * power(teeth, -0.24) * power(pitch_, 0.24) * q, names);
        if (teeth <= 32)
            return roundedText(46.11 * power(teeth, -0.13) * power(pitch_, 0.23) * q, names);
        return roundedText(29.22 * power(pitch_, 0.24) * q, names);
    }
    if (teeth <= 20)
        return roundedText(54.7 * power(teeth, -0.24) * power(pitch_, -0.24) * q, names);
    if (teeth <= 32)
        return roundedText(38.2 * power(teeth, -0.13) * power(pitch_, -0.23) * q, names);
    return roundedText(25 * power(pitch_, -0.24) * q, names);
}

std::string AgmaToleranceClass::TotalComposite() const {
    using runtime::power;
    std::string names;
    checkQuality(names, 5, 15);
    checkTeeth(names, 200, 5000);
    checkCompositePitch(names);

    const double teeth = virtualTeeth_;
    const double pitch = pitch_;
    if (metric()) {
        const double b = 6.5562 - 5.0337 * model::MMath::Log10(pitch);
        const double e = 0.1477 * power(pitch, 0.15);
        const double common = qualityFactor(1.4) * power(1.16, 10 - b);
        if (teeth > 20.2)
            return roundedText(36.83 * common * power(0.03937 * teeth * pitch, e), names);
        double value = 38.1 * common * power(0.7953 * pitch, e);
        if (pitch <= 1.27)
            value -= 0.15 * (pitch - 1.27) * (20 - teeth);
        return roundedText(value, names);
    }
    const double b = 5.0337 * model::MMath::Log10(pitch) - 0.5153;
    const double e = 0.24 * power(pitch, -0.15);
    const double common = qualityFactor(1.4) * power(1.16, 10 - b);
    if (teeth > 20.2)
        return roundedText(14.5 * common * power(runtime::divide(teeth, pitch), e), names);
    double value = 15 * common * power(runtime::divide(20.2, pitch), e);
    if (pitch >= 20)
        value -= runtime::divide(0.075 * (20 - pitch) * (20 - teeth), pitch);
    return roundedText(value, names);
}

std::string AgmaToleranceClass::RadialRunout() const {
    using runtime::power;
    std::string names;
    checkQuality(names, 3, 15);
    checkTeeth(names, 400, 10000);
    static const std::vector<PitchBand> inch = {{3, 5, 0.5, 8}, {6, 15, 0.5, 20}};
    static const std::vector<PitchBand> metricBands = {{3, 5, 3, 50}, {6, 15, 1.25, 50}};
    if (const PitchBand* band = bandOf(metric() ? metricBands : inch, quality_))
        checkPitch(names, band->lowestPitch, band->highestPitch);

    if (metric())
        return roundedText(14.255 * power(virtualTeeth_, 0.238) * power(pitch_, 0.722) * qualityFactor(1.4), names);
    return roundedText(58 * power(virtualTeeth_, 0.238) * power(pitch_, -0.722) * qualityFactor(1.4), names);
}

double AgmaToleranceClass::ThicknessClassIndex(std::string& names) const {
    const std::string letter = upperCase(thicknessClass_);
    const auto& classes = thicknessClasses();
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [&](const ThicknessClass& c) { return c.letter == letter; });
    if (found == classes.end())
        return 0;

    const bool qualityFails = outside(quality_, found->lowestQuality, found->highestQuality);
    if (qualityFails)
        names += "Qn, ";
    if (qualityFails && found->qualityExcludesPitch)
        return found->index;
    if (const PitchBand* band = bandOf(metric() ? found->metric : found->inch, quality_))
        checkPitch(names, band->lowestPitch, band->highestPitch);
    return found->index;
}

std::string AgmaToleranceClass::ToothThicknessTolerance() const {
    using runtime::power;
    std::string names;
    if (metric())
        checkPitch(names, 0.2, 50);
    else
        checkPitch(names, 0.5, 120);

    const double pitch = pitch_;
    double value = 0;
    // Each class letter halves the tolerance of the one before; an unknown
    // letter (index 0) doubles that of class A.
    const auto classFactor = [&] { return power(2, 1 - ThicknessClassIndex(names)); };
    if (metric()) {
        if (pitch >= 0.2 && pitch <= 0.5)
            value = 0.0443 * classFactor() * power(pitch, 0.6);
        else if (pitch > 0.5 && pitch <= 4)
            value = 0.0503 * classFactor() * power(pitch, 0.8);
        else if (pitch > 4 && pitch <= 50)
            value = 0.0377 * classFactor() * pitch;
    } else {
        if (pitch >= 48 && pitch <= 120)
            value = 0.01215 * classFactor() * power(pitch, -0.6);
        else if (pitch >= 6 && pitch < 48)
            value = 0.02634 * classFactor() * power(pitch, -0.8);
        else if (pitch >= 0.5 && pitch < 6)
            value = runtime::divide(0.03769 * classFactor(), pitch);
    }

    // Fine-pitch class D tolerances are a few hundred-thousandths: keep a
    // fifth decimal for them.
    bool fine = false;
    if (upperCase(thicknessClass_) == "D")
        fine = (metric() ? runtime::divide(MillimetresPerInch, pitch) : pitch) > 32;
    const int places = fine ? 5 : (metric() ? 3 : 4);
    return runtime::numberText(model::MMath::Trunc(runtime::checkFinite(value), places, *reporter_)) +
           warningText(names);
}

std::optional<std::string> AgmaToleranceClass::toleranceByName(std::string_view name) const {
    for (const NamedGetter& named : namedGetters)
        if (sameNameIgnoringCase(named.name, name))
            return (this->*named.getter)();
    return std::nullopt;
}

const std::array<std::string_view, 7>& AgmaToleranceClass::toleranceNames() {
    static const std::array<std::string_view, 7> names = [] {
        std::array<std::string_view, 7> list{};
        std::transform(namedGetters.begin(), namedGetters.end(), list.begin(),
                       [](const NamedGetter& named) { return named.name; });
        return list;
    }();
    return names;
}

} // namespace cindrel::outputs
