#include "outputs/T_AGMATolerances.h"
#include "outputs/T_AGMATolsMetric.h"

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Expected figures were worked apart from this code: the power laws below
// typed into a separate Python calculation (float64 arithmetic, a
// struct-packed float32 for the single-precision steps, and Decimal
// ROUND_HALF_EVEN for the rounding), e.g. for the inch pitch variation
//   10.5 * Ni**0.177 * Pnd**-0.401 * 1.42**(8 - Qn)
// then rounded up to tenths below 10 (0.03 and more up), units below 100
// (0.3 and more up) and tens above (3 and more up), minimum 0.4 (1 in µm).
// The raw value v of a row is noted beside it where it shows the rounding.
namespace {

using cindrel::outputs::AgmaToleranceClass;
using cindrel::outputs::T_AGMATolerances;
using cindrel::outputs::T_AGMATolsMetric;
using cindrel::outputs::ToleranceUnits;

constexpr auto Inch = ToleranceUnits::Inch;
constexpr auto Metric = ToleranceUnits::Metric;

class RecordingReporter : public runtime::ErrorReporter {
public:
    void reportError(std::string_view, std::string_view, std::string_view, std::string_view,
                     std::string_view) override {
        ++reports;
    }
    int reports = 0;
};

struct Gear {
    Gear(int quality = 8, int teeth = 30, double pitch = 10, double helix = 0, double face = 1,
         std::string thicknessClass = {})
        : quality(quality), teeth(teeth), pitch(pitch), helix(helix), face(face),
          thicknessClass(std::move(thicknessClass)) {}

    int quality;
    int teeth;
    double pitch; // normal diametral pitch, 1/in, for both classes
    double helix; // radians
    double face;  // in
    std::string thicknessClass;
};

const double Deg30 = 30 * 3.14159265358979 / 180;

// The module in mm as the normal diametral pitch that both classes take.
double pitchOfModule(double module) { return 25.4 / module; }

class ToleranceFixture {
public:
    std::unique_ptr<AgmaToleranceClass> calculator(ToleranceUnits units, const Gear& gear) {
        std::unique_ptr<AgmaToleranceClass> made;
        if (units == Inch)
            made = std::make_unique<T_AGMATolerances>(reporter);
        else
            made = std::make_unique<T_AGMATolsMetric>(reporter);
        made->aaVariablesIn(static_cast<std::int16_t>(gear.quality), static_cast<std::int16_t>(gear.teeth),
                            gear.pitch, gear.helix, gear.face, gear.thicknessClass);
        return made;
    }

    std::string tolerance(ToleranceUnits units, const Gear& gear, std::string_view name) {
        return calculator(units, gear)->toleranceByName(name).value();
    }

    RecordingReporter reporter;
};

// The figure of a tolerance text, without its range warning.
std::string figureOf(const std::string& text) { return text.substr(0, text.find(" --")); }

// The names of the range warning: "Qn, Pnd, " from "7.6 --Qn, Pnd, out of bounds".
std::string warnedNames(const std::string& text) {
    const auto start = text.find(" --");
    if (start == std::string::npos)
        return {};
    const std::string tail = "out of bounds";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
    return text.substr(start + 3, text.size() - tail.size() - start - 3);
}

int errorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

const std::vector<std::string> RoundedGetters = {"PitchVariation", "ProfileTolerance", "ToothAlignment",
                                                 "Tooth2ToothComposite", "TotalComposite", "RadialRunout"};

TEST(RoundTolerance, RoundsUpToARoundFigureFromThreeTenthsOfTheLastPlace) {
    RecordingReporter reporter;
    struct Case {
        double value;
        double minimum;
        double expected;
    };
    const auto single = [](double x) { return static_cast<double>(static_cast<float>(x)); };
    const Case cases[] = {
        {-5, 0.4, 0.4},
        {0.3, 0.4, 0.4},
        {0.4, 0.4, 0.4}, // the minimum itself stays a double
        {0.41, 0.4, single(0.4)},
        {1.22, 0.4, single(1.2)},
        {1.229, 0.4, single(1.2)},
        {1.23, 0.4, single(1.3)},
        {1.231, 0.4, single(1.3)},
        {9.99, 0.4, 10},
        {12.29, 0.4, 12},
        {12.3, 0.4, 13},
        {12.31, 0.4, 13},
        {122.4, 0.4, 120},
        {122.5, 0.4, 120}, // 12.25 to tenths is a tie, kept at the even 12.2
        {122.6, 0.4, 130},
        {123, 0.4, 130},
        {0.9, 1, 1},
        {1, 1, 1},
        {1.05, 1, single(1.1)},
        {1e30, 0.4, single(1e30)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cindrel::outputs::roundTolerance(c.value, c.minimum, reporter), c.expected)
            << c.value << " minimum " << c.minimum;
    EXPECT_EQ(reporter.reports, 0);
}

TEST(RoundTolerance, OverflowBeyondSinglePrecisionAndForNoNumber) {
    RecordingReporter reporter;
    EXPECT_EQ(errorNumberOf([&] { cindrel::outputs::roundTolerance(1e300, 0.4, reporter); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { cindrel::outputs::roundTolerance(std::nan(""), 0.4, reporter); }),
              runtime::Overflow);
}

// The six rounded tolerances of one gear in both unit systems: PV, PR, TA,
// T2, TC, RR in ten-thousandths of an inch and in micrometres.
TEST(AgmaTolerances, FiguresOfTheSixRoundedTolerances) {
    struct Case {
        const char* label;
        Gear gear;
        std::vector<std::string> inch;
        std::vector<std::string> metric;
    };
    const Case cases[] = {
        // v = 7.6145 9.3522 4.9009 14.456 39.425 24.716 | 19.340 23.755 12.448 36.718 100.13 62.779
        {"spur, Ni 20 < 30 <= 32", {8, 30, 10, 0, 1}, {"7.6", "9.4", "4.9", "15", "40", "25"},
         {"20", "24", "13", "37", "100", "63"}},
        // the quality factors 1.42 and 1.4 per step of quality
        {"quality 7", {7, 30, 10, 0, 1}, {"11", "13", "6", "20", "55", "35"}, {"28", "33", "15", "52", "140", "88"}},
        // TA: A(8) = 4.9009 times 2^0.72; metric 0.0974 * 50.8^0.72 * 12.448 = 20.504
        {"face 2 in", {8, 30, 10, 0, 2}, {"7.6", "9.4", "8.1", "15", "40", "25"},
         {"20", "24", "21", "37", "100", "63"}},
        {"quality 10, face 2 in", {10, 30, 10, 0, 2}, {"3.8", "4.8", "5.4", "7.4", "20", "13"},
         {"9.6", "12", "14", "19", "51", "32"}},
        // Ni = 20 / cos 30° = 23.094, not 20 nor the cube's 30.79 (which give
        // 4.7/5 for PV and 11/9.9 for T2)
        {"helical 30°", {9, 20, 12, Deg30, 0.5}, {"4.8", "5.8", "4", "10", "25", "15"},
         {"12", "15", "10", "26", "63", "37"}},
        // Ni <= 20; TC with Pnd >= 20 (inch) and Mn <= 1.27 (metric) takes its correction
        {"small, Pnd 24", {8, 14, 24, 0, 0.75}, {"4.7", "5", "4.9", "14", "25", "11"},
         {"12", "13", "13", "35", "63", "28"}},
        // T2 by branch would read 6.1 / 5.8 / 5.1, TC 9.3 uncorrected
        {"fine, Pnd 48", {10, 12, 48, 0, 0.25}, {"1.7", "1.7", "3.3", "6.1", "9.6", "3.3"},
         {"4.4", "4.2", "8.2", "16", "25", "8.3"}},
        // Ni > 32; v = 225.55 and 182.62 round to tens
        {"coarse, Pnd 2", {6, 60, 2, 0, 4}, {"33", "53", "20", "42", "230", "190"},
         {"84", "140", "50", "110", "580", "470"}},
        {"quality 11, Pnd 6", {11, 25, 6, 0, 3}, {"3.2", "4.5", "5.8", "6.1", "18", "13"},
         {"8", "12", "15", "16", "47", "32"}},
        // Ni 20 and 20.1 lie on either side of T2's bound 20, both below TC's 20.2
        {"Ni 20", {8, 20, 3, 0, 1}, {"12", "18", "4.9", "21", "74", "54"}, {"29", "46", "13", "52", "190", "140"}},
        {"Ni 20.1", {8, 20, 3, std::acos(20 / 20.1), 1}, {"12", "18", "4.9", "20", "74", "54"},
         {"29", "46", "13", "51", "190", "140"}},
        // T2 at Ni 32 still takes the middle formula (29 and 74; the last would give 30 and 75)
        {"Ni 32", {7, 32, 2, 0, 1}, {"21", "34", "6", "29", "140", "110"}, {"53", "87", "15", "74", "360", "290"}},
        {"Ni 33", {7, 33, 2, 0, 1}, {"21", "34", "6", "30", "140", "120"}, {"53", "87", "15", "75", "360", "290"}},
    };
    ToleranceFixture fixture;
    for (const Case& c : cases) {
        for (const auto units : {Inch, Metric}) {
            const auto calculator = fixture.calculator(units, c.gear);
            const auto& expected = units == Inch ? c.inch : c.metric;
            for (std::size_t i = 0; i < RoundedGetters.size(); ++i)
                EXPECT_EQ(figureOf(calculator->toleranceByName(RoundedGetters[i]).value()), expected[i])
                    << c.label << (units == Inch ? " inch " : " metric ") << RoundedGetters[i];
        }
    }
    EXPECT_EQ(fixture.reporter.reports, 0);
}

TEST(AgmaTolerances, WholeTextWithTheRangeWarning) {
    ToleranceFixture fixture;
    EXPECT_EQ(fixture.tolerance(Inch, {8, 30, 10, 0, 1}, "PitchVariation"), "7.6");
    EXPECT_EQ(fixture.tolerance(Metric, {7, 30, 10, 0, 1}, "PitchVariation"), "28 --Qn, out of bounds");
    // v = 15.098
    EXPECT_EQ(fixture.tolerance(Inch, {5, 30, 25, 0, 1}, "PitchVariation"), "15 --Qn, Pnd, out of bounds");
    // below the minimum: v = 0.3726 (inch) and 0.9463 µm; then 0.7844 µm
    EXPECT_EQ(fixture.tolerance(Inch, {15, 6, 20, 0, 1}, "PitchVariation"), "0.4");
    EXPECT_EQ(fixture.tolerance(Metric, {15, 6, 20, 0, 1}, "PitchVariation"), "1");
    EXPECT_EQ(fixture.tolerance(Metric, {15, 10, 40, 0, 1}, "PitchVariation"), "1 --Mn, out of bounds");
}

// Which inputs a getter names as out of its formula's range, in the order
// quality, teeth, pitch, face. The pitch is given in 1/in; a metric row's
// module is noted.
TEST(AgmaTolerances, RangeWarningsByGetter) {
    struct Case {
        ToleranceUnits units;
        const char* getter;
        Gear gear;
        const char* names;
    };
    const Case cases[] = {
        {Inch, "PitchVariation", {8, 30, 10}, ""},
        {Inch, "PitchVariation", {5, 30, 10}, "Qn, "},
        {Inch, "PitchVariation", {6, 30, 10}, ""},
        {Inch, "PitchVariation", {15, 30, 10}, ""},
        {Inch, "PitchVariation", {16, 30, 10}, "Qn, "},
        {Inch, "PitchVariation", {8, 5, 10}, "Ni, "},
        {Inch, "PitchVariation", {8, 6, 10}, ""},
        {Inch, "PitchVariation", {8, 1200, 3}, ""},
        {Inch, "PitchVariation", {8, 1201, 4}, "Ni, "},
        {Inch, "PitchVariation", {8, 200, 0.5}, ""}, // Ni <= 400 Pnd
        {Inch, "PitchVariation", {8, 201, 0.5}, "Ni, "},
        {Inch, "PitchVariation", {8, 30, 0.49}, "Pnd, "},
        {Inch, "PitchVariation", {8, 30, 20}, ""},
        {Inch, "PitchVariation", {8, 30, 20.5}, "Pnd, "},
        {Inch, "PitchVariation", {4, 5, 25}, "Qn, Ni, Pnd, "},
        {Inch, "ProfileTolerance", {7, 30, 10}, "Qn, "},
        {Inch, "ProfileTolerance", {8, 201, 0.5}, "Ni, "},
        {Inch, "ProfileTolerance", {8, 30, 21}, "Pnd, "},
        {Inch, "ToothAlignment", {7, 30, 10}, "Qn, "},
        {Inch, "ToothAlignment", {8, 30, 10, 0, 10}, ""},
        {Inch, "ToothAlignment", {8, 30, 10, 0, 10.5}, "Face, "},
        {Inch, "ToothAlignment", {16, 2000, 0.4, 0, 11}, "Qn, Ni, Pnd, Face, "},
        {Inch, "Tooth2ToothComposite", {4, 30, 200}, "Qn, "}, // no pitch range below quality 5
        {Inch, "Tooth2ToothComposite", {16, 30, 200}, "Qn, "},
        {Inch, "Tooth2ToothComposite", {5, 30, 11}, "Pnd, "},
        {Inch, "Tooth2ToothComposite", {5, 30, 12}, ""},
        {Inch, "Tooth2ToothComposite", {5, 30, 120}, ""},
        {Inch, "Tooth2ToothComposite", {5, 30, 121}, "Pnd, "},
        {Inch, "Tooth2ToothComposite", {6, 30, 0.5}, ""},
        {Inch, "Tooth2ToothComposite", {10, 30, 0.49}, "Pnd, "},
        {Inch, "Tooth2ToothComposite", {14, 30, 120}, ""},
        {Inch, "Tooth2ToothComposite", {14, 30, 121}, "Pnd, "},
        {Inch, "Tooth2ToothComposite", {15, 30, 19}, "Pnd, "},
        {Inch, "Tooth2ToothComposite", {15, 30, 20}, ""},
        {Inch, "Tooth2ToothComposite", {10, 100, 0.5}, ""}, // Ni <= 200 Pnd
        {Inch, "Tooth2ToothComposite", {10, 101, 0.5}, "Ni, "},
        {Inch, "TotalComposite", {16, 30, 200}, "Qn, "},
        {Inch, "TotalComposite", {5, 30, 11}, "Pnd, "},
        {Inch, "TotalComposite", {15, 30, 19}, "Pnd, "},
        {Inch, "TotalComposite", {10, 101, 0.5}, "Ni, "},
        {Inch, "RadialRunout", {2, 30, 30}, "Qn, "}, // no pitch range below quality 3
        {Inch, "RadialRunout", {3, 30, 8}, ""},
        {Inch, "RadialRunout", {3, 30, 8.5}, "Pnd, "},
        {Inch, "RadialRunout", {5, 30, 8.5}, "Pnd, "},
        {Inch, "RadialRunout", {6, 30, 8.5}, ""},
        {Inch, "RadialRunout", {15, 30, 20.5}, "Pnd, "},
        {Inch, "RadialRunout", {16, 30, 30}, "Qn, "},
        {Inch, "RadialRunout", {8, 201, 0.5}, "Ni, "},

        {Metric, "PitchVariation", {8, 30, 10}, ""},
        {Metric, "PitchVariation", {7, 30, 10}, "Qn, "},
        {Metric, "PitchVariation", {8, 5, 10}, "Zi, "},
        {Metric, "PitchVariation", {8, 200, pitchOfModule(50)}, ""}, // Zi <= 10000 / Mn
        {Metric, "PitchVariation", {8, 201, pitchOfModule(50)}, "Zi, "},
        {Metric, "PitchVariation", {8, 30, pitchOfModule(51)}, "Mn, "},
        {Metric, "PitchVariation", {8, 30, pitchOfModule(1.25)}, ""},
        {Metric, "PitchVariation", {8, 30, 20.5}, "Mn, "}, // Mn 1.239
        {Metric, "ProfileTolerance", {7, 30, 10}, "Qn, "},
        {Metric, "ToothAlignment", {8, 30, 10, 0, 9.84}, ""}, // 249.9 mm
        {Metric, "ToothAlignment", {8, 30, 10, 0, 9.85}, "Face, "},
        {Metric, "Tooth2ToothComposite", {4, 30, pitchOfModule(60)}, "Qn, "},
        {Metric, "Tooth2ToothComposite", {5, 30, pitchOfModule(2)}, ""},
        {Metric, "Tooth2ToothComposite", {5, 30, pitchOfModule(2.1)}, "Mn, "},
        {Metric, "Tooth2ToothComposite", {5, 30, pitchOfModule(0.19)}, "Mn, "},
        {Metric, "Tooth2ToothComposite", {10, 30, pitchOfModule(50)}, ""},
        {Metric, "Tooth2ToothComposite", {10, 30, pitchOfModule(51)}, "Mn, "},
        {Metric, "Tooth2ToothComposite", {15, 30, pitchOfModule(1.25)}, ""},
        {Metric, "Tooth2ToothComposite", {15, 30, pitchOfModule(1.3)}, "Mn, "},
        {Metric, "Tooth2ToothComposite", {10, 100, pitchOfModule(50)}, ""}, // Zi <= 5000 / Mn
        {Metric, "Tooth2ToothComposite", {10, 101, pitchOfModule(50)}, "Zi, "},
        {Metric, "TotalComposite", {15, 30, pitchOfModule(1.3)}, "Mn, "},
        {Metric, "RadialRunout", {3, 30, pitchOfModule(3)}, ""},
        {Metric, "RadialRunout", {3, 30, pitchOfModule(2.9)}, "Mn, "},
        {Metric, "RadialRunout", {6, 30, pitchOfModule(2.9)}, ""},
        {Metric, "RadialRunout", {6, 30, pitchOfModule(1.2)}, "Mn, "},
        {Metric, "RadialRunout", {2, 30, pitchOfModule(1)}, "Qn, "},
    };
    ToleranceFixture fixture;
    for (const Case& c : cases) {
        const std::string text = fixture.tolerance(c.units, c.gear, c.getter);
        EXPECT_EQ(warnedNames(text), c.names) << (c.units == Inch ? "inch " : "metric ") << c.getter << " Qn "
                                              << c.gear.quality << " N " << c.gear.teeth << " P " << c.gear.pitch
                                              << ": " << text;
    }
}

TEST(AgmaTolerances, ToothThicknessToleranceByPitchAndClass) {
    struct Case {
        ToleranceUnits units;
        Gear gear;
        const char* expected;
    };
    const Case cases[] = {
        // 0.02634 * 2^(1 - k) * Pnd^-0.8 = 0.0041746 for class A
        {Inch, {6, 30, 10, 0, 1, "A"}, "0.0042"},
        {Inch, {6, 30, 10, 0, 1, "b"}, "0.0021"},
        {Inch, {8, 30, 10, 0, 1, "C"}, "0.001"},
        {Inch, {8, 30, 10, 0, 1, ""}, "0.0083"},  // no class: twice class A
        {Inch, {8, 30, 10, 0, 1, "E"}, "0.0083"},
        {Inch, {8, 30, 10, 0, 1, "AB"}, "0.0083"},
        {Inch, {3, 30, 2, 0, 1, "a"}, "0.0188"},  // 0.03769 / Pnd
        {Inch, {8, 30, 60, 0, 1, "A"}, "0.001"},  // 0.01215 * Pnd^-0.6 = 0.0010416
        // class D keeps a fifth decimal above Pnd 32: 0.00020578 and 0.00017214
        {Inch, {8, 30, 32, 0, 1, "D"}, "0.0002"},
        {Inch, {8, 30, 40, 0, 1, "d"}, "0.00017"},
        {Inch, {8, 30, 120, 0, 1, "D"}, "9E-05"}, // 0.0000859
        {Inch, {8, 30, 150, 0, 1, "D"}, "0 --Pnd, out of bounds"},
        {Inch, {8, 30, 0.4, 0, 1, "A"}, "0 --Pnd, out of bounds"},
        // Mn 2.54: 0.0503 * 2^(1 - k) * Mn^0.8 = 0.10603 for class A
        {Metric, {8, 30, 10, 0, 1, "A"}, "0.106"},
        {Metric, {8, 30, 10, 0, 1, ""}, "0.212"},
        {Metric, {8, 30, pitchOfModule(10), 0, 1, "A"}, "0.377"},  // 0.0377 * Mn
        {Metric, {8, 30, pitchOfModule(0.3), 0, 1, "A"}, "0.022"}, // 0.0443 * Mn^0.6
        // class D: 25.4 / Mn = 36.3 takes five decimals, 31.75 three
        {Metric, {8, 30, pitchOfModule(0.7), 0, 1, "D"}, "0.00473"},
        {Metric, {8, 30, pitchOfModule(0.8), 0, 1, "D"}, "0.005"},
        {Metric, {8, 30, pitchOfModule(60), 0, 1, "A"}, "0 --Mn, out of bounds"},
    };
    ToleranceFixture fixture;
    for (const Case& c : cases)
        EXPECT_EQ(fixture.tolerance(c.units, c.gear, "ToothThicknessTolerance"), c.expected)
            << (c.units == Inch ? "inch" : "metric") << " Qn " << c.gear.quality << " P " << c.gear.pitch << " class "
            << c.gear.thicknessClass;
    EXPECT_EQ(fixture.reporter.reports, 0);
}

// The quality and pitch ranges of the thickness classes; the pitch lies in a
// band of the thickness tolerance throughout, so the first pitch check passes.
TEST(AgmaTolerances, ToothThicknessClassRanges) {
    struct Case {
        ToleranceUnits units;
        const char* letter;
        int quality;
        double pitch;
        const char* names;
    };
    const Case cases[] = {
        {Inch, "A", 3, 2, ""},
        {Inch, "A", 4, 5, ""},
        {Inch, "A", 4, 5.5, "Pnd, "},
        {Inch, "A", 3, 1.9, "Pnd, "},
        {Inch, "A", 5, 8, ""},
        {Inch, "A", 5, 8.5, "Pnd, "},
        {Inch, "A", 6, 32, ""},
        {Inch, "A", 6, 33, "Pnd, "},
        {Inch, "A", 7, 100, ""}, // no pitch range from quality 7 on
        {Inch, "A", 2, 10, "Qn, "},
        {Inch, "a", 16, 10, "Qn, "},
        {Inch, "B", 5, 5, ""},
        {Inch, "B", 5, 6, "Pnd, "},
        {Inch, "B", 6, 1.9, "Pnd, "},
        {Inch, "B", 4, 10, "Qn, "},
        {Inch, "B", 10, 100, ""},
        {Inch, "C", 6, 32, ""},
        {Inch, "C", 6, 40, "Pnd, "},
        {Inch, "c", 5, 10, "Qn, "},
        {Inch, "C", 15, 100, ""},
        {Inch, "D", 7, 8, ""},
        {Inch, "D", 7, 7.9, "Pnd, "},
        {Inch, "D", 6, 10, "Qn, "},
        {Inch, "d", 5, 4, "Qn, Pnd, "}, // class D checks both
        {Inch, "D", 16, 4, "Qn, Pnd, "},
        {Inch, "D", 15, 100, ""},
        {Inch, "E", 2, 1, ""},
        {Inch, " A", 2, 1, ""},

        {Metric, "A", 3, pitchOfModule(5.5), ""},
        {Metric, "A", 4, pitchOfModule(4.5), "Mn, "},
        {Metric, "A", 5, pitchOfModule(3.5), ""},
        {Metric, "A", 5, pitchOfModule(2.5), "Mn, "},
        {Metric, "A", 6, pitchOfModule(0.9), ""},
        {Metric, "A", 6, pitchOfModule(0.7), "Mn, "},
        {Metric, "A", 10, pitchOfModule(0.3), ""},
        {Metric, "A", 16, pitchOfModule(2), "Qn, "},
        {Metric, "B", 5, pitchOfModule(3.5), ""},
        {Metric, "B", 5, pitchOfModule(13), "Mn, "},
        {Metric, "B", 6, pitchOfModule(0.7), "Mn, "},
        {Metric, "b", 9, pitchOfModule(12.5), "Mn, "},
        {Metric, "B", 9, pitchOfModule(0.3), ""},
        {Metric, "B", 4, pitchOfModule(2), "Qn, "},
        {Metric, "C", 6, pitchOfModule(13), "Mn, "},
        {Metric, "C", 7, pitchOfModule(11), ""},
        {Metric, "C", 5, pitchOfModule(1), "Qn, "},
        {Metric, "D", 7, pitchOfModule(2.9), ""},
        {Metric, "D", 7, pitchOfModule(3.1), "Mn, "},
        {Metric, "D", 6, pitchOfModule(1), "Qn, "},
        {Metric, "D", 5, pitchOfModule(4), "Qn, Mn, "},
    };
    ToleranceFixture fixture;
    for (const Case& c : cases) {
        const Gear gear{c.quality, 30, c.pitch, 0, 1, c.letter};
        const std::string text = fixture.tolerance(c.units, gear, "ToothThicknessTolerance");
        EXPECT_EQ(warnedNames(text), c.names) << (c.units == Inch ? "inch " : "metric ") << "class \"" << c.letter
                                              << "\" Qn " << c.quality << " P " << c.pitch << ": " << text;
    }
}

// Arithmetic without a value reaches the caller as a numbered error.
TEST(AgmaTolerances, FailuresPassToTheCaller) {
    struct Case {
        ToleranceUnits units;
        Gear gear;
        const char* getter;
        int error;
    };
    const Case cases[] = {
        {Inch, {8, 30, 0}, "PitchVariation", runtime::DivisionByZero},        // 0^-0.401
        {Inch, {8, 30, 0}, "TotalComposite", runtime::InvalidProcedureCall},  // log10 0
        {Inch, {8, 30, -10}, "RadialRunout", runtime::InvalidProcedureCall},  // power of a negative
        {Inch, {8, -30, 10}, "PitchVariation", runtime::InvalidProcedureCall},
        {Inch, {8, 30, 10, 2.0}, "ProfileTolerance", runtime::InvalidProcedureCall}, // cos < 0
        {Inch, {8, 0, 10}, "Tooth2ToothComposite", runtime::DivisionByZero},  // 0^-0.24
        {Inch, {8, 30, 10, 0, -1}, "ToothAlignment", runtime::InvalidProcedureCall},
        {Metric, {8, 30, 10, 0, -1}, "ToothAlignment", runtime::InvalidProcedureCall},
        {Metric, {8, 30, -10}, "TotalComposite", runtime::InvalidProcedureCall},
        {Inch, {-250, 30, 10}, "PitchVariation", runtime::Overflow},          // 1.4e40: beyond single precision
        {Metric, {-250, 30, 10}, "RadialRunout", runtime::Overflow},
        {Inch, {-32768, 30, 10}, "TotalComposite", runtime::Overflow},
    };
    ToleranceFixture fixture;
    for (const Case& c : cases) {
        const auto calculator = fixture.calculator(c.units, c.gear);
        EXPECT_EQ(errorNumberOf([&] { calculator->toleranceByName(c.getter); }), c.error)
            << (c.units == Inch ? "inch " : "metric ") << c.getter << " Qn " << c.gear.quality << " N "
            << c.gear.teeth << " P " << c.gear.pitch << " face " << c.gear.face;
    }
}

TEST(AgmaTolerances, InputsWithoutANumberAreRefusedAndTheLastGearStays) {
    RecordingReporter reporter;
    T_AGMATolsMetric metric(reporter);
    EXPECT_EQ(errorNumberOf([&] { metric.aaVariablesIn(8, 30, 0, 0, 1, ""); }), runtime::DivisionByZero);
    metric.aaVariablesIn(8, 30, 10, 0, 1, "");
    const double nan = std::nan("");
    const double infinity = HUGE_VAL;
    EXPECT_EQ(errorNumberOf([&] { metric.aaVariablesIn(15, 10, nan, 0, 1, ""); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { metric.aaVariablesIn(15, 10, 20, nan, 1, ""); }), runtime::Overflow);
    EXPECT_EQ(errorNumberOf([&] { metric.aaVariablesIn(15, 10, 20, 0, infinity, ""); }), runtime::Overflow);
    EXPECT_EQ(metric.PitchVariation(), "20");

    T_AGMATolerances inch(reporter);
    // Before any gear: a pitch of 0, which has no tolerance.
    EXPECT_EQ(errorNumberOf([&] { inch.PitchVariation(); }), runtime::DivisionByZero);
    EXPECT_EQ(errorNumberOf([&] { inch.aaVariablesIn(8, 30, infinity, 0, 1, ""); }), runtime::Overflow);
}

TEST(AgmaTolerances, GettersAreBoundByName) {
    ToleranceFixture fixture;
    const auto calculator = fixture.calculator(Inch, {9, 20, 12, Deg30, 0.5, "B"});
    const auto& names = AgmaToleranceClass::toleranceNames();
    ASSERT_EQ(names.size(), 7u);
    const std::string direct[] = {calculator->PitchVariation(),       calculator->ProfileTolerance(),
                                  calculator->ToothAlignment(),       calculator->Tooth2ToothComposite(),
                                  calculator->TotalComposite(),       calculator->RadialRunout(),
                                  calculator->ToothThicknessTolerance()};
    const std::vector<std::string> expected = {"PitchVariation", "ProfileTolerance", "ToothAlignment",
                                               "Tooth2ToothComposite", "TotalComposite", "RadialRunout",
                                               "ToothThicknessTolerance"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], expected[i]);
        EXPECT_EQ(calculator->toleranceByName(names[i]), direct[i]) << names[i];
    }
    EXPECT_EQ(calculator->toleranceByName("radialrunout"), direct[5]);
    EXPECT_EQ(calculator->toleranceByName("Runout"), std::nullopt);
    EXPECT_EQ(calculator->toleranceByName(""), std::nullopt);
    EXPECT_EQ(calculator->toleranceByName("aaVariablesIn"), std::nullopt);
}

} // namespace
