#pragma once

#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The AGMA gear-quality tolerances of one member from its quality number,
// teeth, pitch, helix angle and face width. One calculator serves both unit
// systems; T_AGMATolerances (inch) and T_AGMATolsMetric (metric) are its two
// faces. Each tolerance is a text: the rounded value, then " --" with the
// names of the inputs outside the formula's range and "out of bounds".
// Arithmetic that has no value (a power of a negative number, a zero or
// negative pitch, a result beyond single precision) raises a numbered
// runtime::RuntimeError to the caller; no text ever carries a NaN or infinity.
namespace cindrel::outputs {

enum class ToleranceUnits { Inch, Metric };

// The rounding of a tolerance value up to a round figure: the minimum for
// anything at or below it; tenths up to 10, a remainder of 0.03 or more
// rounding up; whole units up to 100, from 0.3 up; whole tens above, from
// 3 up. Every result but the minimum is reduced to single precision.
// minimum is 0.4 (ten-thousandths of an inch) or 1 (micrometres).
double roundTolerance(double value, double minimum, runtime::ErrorReporter& reporter);

class AgmaToleranceClass {
public:
    virtual ~AgmaToleranceClass() = default;

    // Both faces take the normal diametral pitch in 1/in, the helix angle in
    // radians and the face width in inches; the metric face converts them.
    // Overflow for a pitch, angle or face width that is not a finite number,
    // DivisionByZero for a metric pitch of 0.
    void aaVariablesIn(std::int16_t QualityNumber, std::int16_t Numbteeth, double DiametralPitchNormal,
                       double HelixAngleRadians, double FaceWidth, const std::string& TooththicknessCode);

    // Ten-thousandths of an inch, or micrometres.
    std::string PitchVariation() const;
    std::string ProfileTolerance() const;
    std::string ToothAlignment() const;
    std::string Tooth2ToothComposite() const;
    std::string TotalComposite() const;
    std::string RadialRunout() const;
    // Inches, or millimetres; not rounded up to a round figure.
    std::string ToothThicknessTolerance() const;

    // The manufacturing table binds the getters above by name; the match
    // ignores case, as such bindings do. nullopt for any other name.
    std::optional<std::string> toleranceByName(std::string_view name) const;
    static const std::array<std::string_view, 7>& toleranceNames();

    ToleranceUnits units() const noexcept { return units_; }

protected:
    AgmaToleranceClass(ToleranceUnits units, runtime::ErrorReporter& reporter) : units_(units), reporter_(&reporter) {}

private:
    bool metric() const noexcept { return units_ == ToleranceUnits::Metric; }
    double ThicknessClassIndex(std::string& names) const;
    double RoundTolerance(double value) const;
    std::string roundedText(double value, const std::string& names) const;

    void checkQuality(std::string& names, int lowest, int highest) const;
    void checkTeeth(std::string& names, double inchTeethPerPitch, double metricTeethModule) const;
    void checkPitch(std::string& names, double lowest, double highest) const;
    void checkCompositePitch(std::string& names) const;
    double qualityFactor(double base) const;

    ToleranceUnits units_;
    runtime::ErrorReporter* reporter_;
    double virtualTeeth_ = 0; // Ni (inch) or Zi (metric)
    double pitch_ = 0;        // Pnd, 1/in, or Mn, mm
    double quality_ = 0;      // Qn
    double face_ = 0;         // in, or mm
    std::string thicknessClass_;
};

} // namespace cindrel::outputs
