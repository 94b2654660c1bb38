#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The face load distribution factor Km by the empirical method:
// Km = 1 + Cmc (Cpf Cpm + Cma Ce).
namespace cindrel::agma {

// The kinds of gearing, by option index.
inline constexpr std::array<std::string_view, 4> GearStyleCaptions = {
    "Open gearing", "Commercial enclosed gear unit", "Precision enclosed gearing unit",
    "Extra precision enclosed gear unit"};

// The pinion proportion factor Cpf for face width F and pinion pitch
// diameter d (inch, F > 0, d > 0); F/(10d) below 0.05 counts as 0.05. 0 above
// a face width of 40 inch.
double pinionProportionFactor(double faceWidth, double pitchDiameter);

// The mesh alignment factor Cma = A + B F + C F² of a kind of gearing;
// no kind chosen (nullopt, or an index naming none) counts as open gearing.
double meshAlignmentFactor(std::optional<int> gearStyle, double faceWidth);

// The kind of gearing, Ko or Kr option that a hidden selection label names:
// its whole text a whole number from 0 to optionCount - 1; nullopt otherwise
// (an empty text, the label's own name, a number naming no option).
std::optional<int> optionNamed(std::string_view labelText, int optionCount);

struct KmInputs {
    std::string_view faceWidth;     // txtInps(1), inch
    std::string_view pitchDiameter; // txtInps(2), inch
    std::optional<int> gearStyle;   // the chosen kind of gearing
    bool leadsModified = false;     // chkCMC ticked (value 1; any other value is cleared)
    bool adjustedAtAssembly = false; // chkCE ticked (value 1; any other value is cleared)
    std::string_view cpmCaption;    // lblCpm
};

// A message box to show with an OK button; an empty title is the program's own.
struct CalculatorMessage {
    std::string text;
    std::string title;
};

// The "Set Inputs" box a calculator sends the user back to (its index).
enum class SetInputsBox { None = -1, Speed = 0, FaceWidth = 1, PitchDiameter = 2, Ratio = 4 };

struct KmOutcome {
    std::optional<CalculatorMessage> message; // shown before anything is written
    SetInputsBox focus = SetInputsBox::None;  // when set: select tab 0, focus this box
    std::optional<std::string> km;           // txtKm: nullopt keeps, "" empties, else "#.000"
    std::string equation;                    // KmEquation; empty unless a Km is written
};
// Km from the face width and pitch diameter, each read whole
// (setInputsNumber): a box that is not a number sends the user back to it.
KmOutcome loadDistributionFactor(const KmInputs& inputs);

// The modifier captions.
std::string_view cmcCaption(bool leadsModified);    // "Cmc=1.0" / "Cmc=0.8"
std::string_view ceCaption(bool adjustedAtAssembly); // "Ce=1.0" / "Ce=0.8"
inline constexpr std::string_view CpmStraddleCaption = "Cpm= 1.0";

// The pinion proportion modifier from the bearing offset S1 and span S.
struct CpmOutcome {
    std::optional<std::string> caption; // lblCpm; nullopt keeps it
    bool recomputeKm = false;           // Km follows (unless events are stopped)
};
CpmOutcome pinionProportionModifier(std::string_view offset, std::string_view span);

// The lost-focus checks of the offset and the span, with their counts of
// failures in a row (they live as long as the window).
class BearingSpanChecks {
public:
    struct Outcome {
        bool passed = true;
        std::string message; // shown when not empty
    };
    // Leaving the offset box: fails when the offset exceeds half the span; the
    // focus then goes to the span box, and the third failure in a row tells why.
    Outcome offsetLeft(std::string_view offset, std::string_view span);
    // Leaving the span box: fails when the span is shorter than twice the
    // offset; the focus then goes to the offset box, the second failure tells why.
    Outcome spanLeft(std::string_view offset, std::string_view span);

private:
    static Outcome count(bool passed, int& failures, int toldAt, const char* why);
    int offsetFailures_ = 0;
    int spanFailures_ = 0;
};

} // namespace cindrel::agma
