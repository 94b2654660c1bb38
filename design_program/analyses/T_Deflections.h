#pragma once

#include "analyses/AnalysisTables.h"
#include "model/PairAnalyses.h"

#include <array>

namespace cindrel::model {
class ModelShell;
class T_Set;
} // namespace cindrel::model

namespace cindrel::analyses {

// Rows 1 to 21: the analysis positions along the active line of action;
// rows 22 to 26: start of active contact, lowest point of single tooth
// contact, pitch point, highest point of single tooth contact, end of active
// contact. Columns 0 to 9: pinion and gear roll angle (degrees), the pinion,
// gear and Hertzian deflection coefficients, the pinion, gear, Hertzian and
// total deflection (inch), and a filler. MissingValue marks what has no value.
using DeflectionTable = NumberTable<1, 26, 0, 9>;

inline constexpr double MissingValue = -12345;

// Roll distances along the line of action, indices 0 to 26 (0 unused for the
// pinion).
using RollDistances = std::array<double, 27>;

// Deflection of the pinion tooth, the gear tooth and the contact zone under
// the transmitted load, on the equivalent spur gears of the normal plane.
class T_Deflections : public model::DeflectionAnalysis {
public:
    T_Deflections(model::T_Set& pair, model::ModelShell& shell);

    // Has the pair hand its values over (T_Set::MorvetianDeflection), dumps
    // and smooths the table and returns it. A run that raises returns nothing
    // and leaves the table, the report and the dumps as they were.
    DeflectionTable DeflectionsData();

    void DeflectionLoad(double PN, double GN, double PinRPO, double GearRPO, double PhiNormalOperating,
                        double PTTK_ON, double GTTK_ON, double PinRR, double GearRR, double PinRO,
                        double GearRO, double Psi_O, double DC_O, double EdgeBreak_Max, double TorquePinion,
                        double PinFace, double GearFace, double PinThetaOutsideRadius_degrees,
                        double PinThetaLC_degrees, std::int32_t IntExt) override;

    const DeflectionTable& DeflectionArray() const { return table_; }
    const RollDistances& RHOP() const { return rhoP_; }
    const RollDistances& RHOG() const { return rhoG_; }

private:
    struct Run;

    // Dumps the table to "Data.dat" in the run-notes folder, smooths its
    // spikes and dumps it again to "Data1.dat" there.
    void Filter();

    model::T_Set& pair_;
    model::ModelShell& shell_;
    DeflectionTable table_;
    RollDistances rhoP_{}, rhoG_{};
};

// The false-position search for the tooth profile point whose distance from
// the gear centre along the tooth centre line is radius, on a tooth of half
// base thickness angle beta and base radius baseRadius (radius above it):
// seven iterates, without a convergence test.
struct ProfileSearch {
    std::array<double, 8> phi{}, F{}; // iterates 1 to 7 (radians) and residuals
    double FIP = 0, INVFIP = 0;       // the pressure angle found and its involute
    double TCNP = 0;                  // the tooth thickness across the centre line there
};
ProfileSearch searchProfilePoint(double radius, double baseRadius, double beta);

// The Hertzian line contact at one position of the deflection analysis:
// relative radius of curvature, half-width and maximum pressure under the
// unit load, with one modulus and Poisson's ratio for both flanks.
struct LineContact {
    double relativeRadius = 0, halfWidth = 0, maximumPressure = 0;
};
LineContact deflectionLineContact(double rhoP, double rhoG, double unitLoad, double modulus, double poisson);

// The spike smoothing of the deflection table, columns 2 to 8: a value more
// than 1.5 times its successor (forward pass) or predecessor (backward pass)
// becomes the mean of its neighbours. Missing values are neither changed nor
// used.
void smoothSpikes(DeflectionTable& table);

} // namespace cindrel::analyses
