#pragma once

#include "model/DrawingProgram.h"
#include "model/ModelShell.h"
#include "model/PairAnalyses.h"
#include "runtime/RuntimeError.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace cindrel::model {

class T_Gear;
class T_AGMA1;
class T_MiscVars;

// The gear pair: one pinion and one gear in mesh and everything that belongs
// to the pair. Every getter recomputes from the stored inputs and the members'
// getters on each call; nothing is cached.
class T_Set {
public:
    explicit T_Set(ModelShell& shell);
    ~T_Set();
    T_Set(const T_Set&) = delete;
    T_Set& operator=(const T_Set&) = delete;

    // Owned objects, created in this order and released in this order.
    std::unique_ptr<T_Gear> oPinion;
    std::unique_ptr<T_Gear> oGear;
    std::unique_ptr<ScoringAnalysis> oScoring;
    std::unique_ptr<SubShearAnalysis> oSubShear;
    std::unique_ptr<T_AGMA1> oAGMA1;
    std::unique_ptr<T_MiscVars> oMiscVars;
    std::unique_ptr<DeflectionAnalysis> oDeflection;
    std::int32_t Functs = 0;

    // Index-based access: 0 pinion, 1 gear; any other index raises error 9.
    T_Gear& member(int index) const {
        if (index == 0)
            return *oPinion;
        if (index == 1)
            return *oGear;
        memberIndexOutOfRange();
    }
    ModelShell& shell() const { return shell_; }

    // Inputs, pitches and angles.
    void aaPressureAngle(std::int16_t Transverse, double PHI_Rads);
    void aaHelixAngle(double HelixAngle);
    void aaInternal_External(std::int32_t Internal_External);
    std::int32_t IntExt() const { return internalExternal_; }
    void aaEffectiveFaceWidth(double FaceWidth);
    void aaOperatingCenterDistance(std::int16_t Percent, double DCO);
    void aaHorsePower(bool GoLet, double SetHP);
    void aaMakeJPGs(std::int16_t MakeEmOrNot);
    std::int16_t MakeJPGs() const { return makeJPGs_; }
    void aaDiametralPitch(std::int16_t Transverse, double DiametralPitch);
    double pd() const { return diametralPitch_; }
    double Pd_n() const { return normalDiametralPitch_; }
    double Pd_o() const;
    double Pd_on() const;
    double Face() const;
    double Psi() const { return helixAngle_; }
    double Psi_b() const;
    double Psi_O() const;
    double Phi() const { return pressureAngle_; }
    double Phi_n() const;
    double Phi_o() const;
    double Phi_on() const;

    // Pair geometry.
    double DC_s() const;
    double DC_O(std::int16_t Percent) const;
    double PC_s() const;
    double PC_sn() const;
    double PC_o() const;
    double PC_on() const;
    void aaBackLash(std::int32_t MinMaxDels, double vdata);
    void aaTTKHowEntered(std::int32_t vdata);
    double BackLash(std::int16_t FromPercent, std::int32_t NormTrans, std::int32_t MinMaxDels) const;
    double AddModCoeffSum(std::int16_t Normalized) const;
    double PB() const;
    double PN() const;
    double Px() const;
    double Mf() const;
    double CCP() const;
    double SumX() const;
    double hp() const { return horsePower_; }
    double C(std::int16_t Index) const;
    double Z() const;
    double MP() const;
    double Lmin() const;
    double Mn() const;
    double Ch() const;
    double RM() const;
    void aaVirtual_OrReal(std::int16_t Virtual);
    std::int16_t Virtual() const { return virtualOrReal_; }

    // Pitting geometry factor, contact stress and forces. PoG 1 is the
    // pinion, any other value the gear.
    double Rho(std::int32_t PoG) const;
    double Rho_m(std::int32_t PoG) const;
    double C_Psi() const;
    double EyeP() const;
    double SCP(double& Eye) const;
    double EyeLPS() const;
    double SCLPS(double& Eye) const;
    double EyeHel() const;
    double SHelical(double& Eye) const;
    double EyeAGMA() const;
    double SAGMA(double& Eye) const;
    double RadialForce() const;
    double AxialThrust() const;

    // Hands the pair's twenty values to oDeflection's DeflectionLoad; an
    // error of a getter or of the analysis passes to the caller.
    void MorvetianDeflection();

    // Hands the design to the drawing program: 1 when it received it, 0
    // after the failure was shown.
    std::int32_t LaunchDrawing();

private:
    friend class T_Gear;

    [[noreturn]] static void memberIndexOutOfRange();

    // Phi_o and the DC_O(0) it is built from, worked out together once by
    // the getter that needs them.
    struct OperatingGeometry {
        double centreDistance = 0, pressureAngle = 0;
    };
    OperatingGeometry operatingGeometry() const;
    // Rb of a member whose Rp_s is given, with the cosine of Phi.
    static double baseRadius(double pitchRadius, double cosPressureAngle);
    // DC_O(0) from the members' Rp_s.
    double operatingCentreDistance(double pinionPitch, double gearPitch) const;
    // DC_s from the members' Rp_s.
    double standardCentreDistance(double pinionPitch, double gearPitch) const;
    // The distance along the line of action between the base-circle tangent
    // points (C(6) before its check).
    double operatingLineOfAction() const;
    // MP from Z and PB.
    static double transverseContactRatio(double lengthOfAction, double basePitch);

    // cos(angle), raising the division error where the cosine is zero to
    // within the rounding of the angle (90 degrees), so that no division by
    // it yields a huge meaningless value.
    static double cosineNotZero(double angle);
    // Tip radius with the larger edge break off at the smaller addendum.
    static double effectiveOutsideRadius(const T_Gear& gear);
    // Distance along the line of action from a base-circle tangent point
    // to where the member's effective tip circle crosses it.
    static double tipRollLength(const T_Gear& gear);
    double pinionRadiusOfCurvature() const;
    // The roll length at the mean radius, sqrt(RM² − Rb²) of the pinion; a
    // mean radius inside the base circle shows fatalText and gives 0.
    double pinionMeanRollLength(const std::string& fatalText) const;
    double contactStress(double eye) const;

    ModelShell& shell_;
    std::array<double, 2> backLash_{};
    double diametralPitch_ = 0;
    double normalDiametralPitch_ = 0;
    double effectiveFaceWidth_ = 0;
    double helixAngle_ = 0;
    double pressureAngle_ = 0;
    double centerDistanceRatio_ = 0;
    std::int16_t virtualOrReal_ = 0;
    std::int32_t internalExternal_ = 0;
    double horsePower_ = 0;
    std::int16_t makeJPGs_ = 0;
    std::int32_t ttkHowEntered_ = 0;
    // The drawing program's object of the last hand-over, ended with the pair
    // once the owned objects have gone.
    HeldDrawingServer DrawingServer;
};

} // namespace cindrel::model
