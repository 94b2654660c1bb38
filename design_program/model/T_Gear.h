#pragma once

#include "model/T_StressVars.h"

#include "runtime/RuntimeError.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cindrel::model {

class ModelShell;
class T_Hob;
class T_Set;

// One member of the gear pair: the pinion (index 0) or the gear (index 1).
// It stores its own inputs and computes everything else on demand from them
// and from the pair's current values: no getter keeps a result.
//
// Units are English (inch, lbf, in-lb, psi, rpm), angles radians. A limit
// index is 0 for the minimum and 1 for the maximum; any other value raises
// the subscript error. A getter that would divide by a zero geometry raises
// the numbered error instead of returning an infinity or NaN.
class T_Gear {
public:
    T_Gear(T_Set& pair, ModelShell& shell, std::int16_t arrayIndex);
    ~T_Gear();
    T_Gear(const T_Gear&) = delete;
    T_Gear& operator=(const T_Gear&) = delete;

    std::unique_ptr<T_Hob> oHob;
    T_StressVars oStress;
    std::int32_t Functs = 0;
    std::int32_t IntExt = 0; // +1 external, -1 internal, 0 until the pair sets it

    // Identity and material
    void LetName(const std::string& name);
    std::string Name() const;
    void setOtherGear(T_Gear& oOther);
    void aaNumberOfTeeth(std::int32_t Numbteeth);
    void ArrayIndex(std::int32_t index);
    std::int32_t ArrayIndex() const { return arrayIndex_; }
    // Stores any value; one whose magnitude is not 1 is also shown to the user.
    void localInternal_External(std::int32_t InternExtern);
    void aaFaceWidth(double GearFaceWidth);
    void aaModulus_Elasticity(double Egear);
    void aaPoissons_Ratio(double MuGear);
    void aaHardnessBrinell(double hardness);
    double BHN() const { return hardnessBrinell_; }
    double E() const { return modulusOfElasticity_; }
    double Mu() const { return poissonsRatio_; }
    double GearFace() const { return faceWidth_; }
    double N() const { return static_cast<double>(numberOfTeeth_); }

    // Radii
    double Rp_s() const; // 0 while the pitch is 0; other errors reported, then 0
    double Rb() const;
    double Rp_o() const;

    // Tooth thickness; only the operating transverse circular form is stored.
    // Percent_Actual: 1 thickness, 0 percent, 4 rack-shift coefficient.
    void aaToothThickness(std::int32_t Percent_Actual, std::int32_t MinMaxTTK,
                          std::int32_t OperStand, std::int32_t NormTrans, std::int32_t CircChord,
                          double TTKin);
    // TTKHE: 1 the thickness in inch, 0 in percent, anything else 0.
    double TTK_o(std::int32_t TTKHE, std::int32_t MinMaxTTKo) const;
    double TTK_on(std::int32_t MinMaxTTKon) const;
    double TTK_s(std::int32_t MinMaxTTKs) const;
    double TTK_sn(std::int32_t MinMaxTTKsn) const;
    double TTK_b(std::int32_t minmaxTTKb) const;
    double TTK_bn(std::int32_t minmaxTTKbn) const;
    double TTK_RackshiftCoeff() const;

    // Measurement over (external) or between (internal) two pins, and the
    // span over a number of teeth. Pin diameters are in display length units
    // (inch x LengthFactor), the two measurements in inch. MinMax 1 takes the
    // maximum thickness and names it "Max", anything else "Min" (and a value
    // other than 0 or 1 then raises the subscript error). A pin list line
    // that is not a diameter above 0 raises TypeMismatch (Overflow beyond
    // single precision) with the line in the description, a list without its
    // two header lines InputPastEndOfFile; arithmetic errors pass on too.
    //
    // The pin that touches both flanks at mid working depth, or with
    // SimpleGuess the rule of thumb 1.728 / Pd (1.44 / Pd internal).
    double PinFirstGuess(bool SimpleGuess) const;
    // PinsE.dat (LengthFactor 1) or PinsM.dat from the program folder: two
    // header lines, then diameters separated by line ends or commas. Kept
    // until the unit system changes, or reread when RenewList is set;
    // succeeded is false (and the list empty) when the file did not open.
    std::vector<float> PinList(bool& succeeded, bool RenewList);
    // The largest list pin below CurrentPin (PinFit -1) or the smallest above
    // it (+1); 0 when there is none, for any other PinFit, and for good once
    // the list failed to open (that call itself answers with the first
    // guess). A CurrentPin of 0 is replaced, for the caller too, by the first
    // guess.
    double PinDiameterFromList(double& CurrentPin, std::int32_t PinFit);
    // A list pin that fits the tooth space at the minimum thickness, found in
    // at most 17 measurements; else the first guess to three decimals.
    double PinDiamTested();
    // PinFit: -1 the pin is too big, +1 too small, 0 it fits. ErrMess gets the
    // pin and its contact radius, and why it does not fit with the next list
    // pin to try; a zero pin or one without a centre gives 0 and PinFit 1.
    double PinMeasure(double PinDiam, std::string& ErrMess, const std::string& PinMess,
                      std::int32_t MinMax, std::int32_t& PinFit);
    std::int16_t SpanMeasNumbTeethMin() const;
    // At most N / 2.5 teeth, rounded down.
    std::int16_t SpanMeasNumbTeethMax() const;
    // The span that touches the flanks nearest mid working depth.
    std::int16_t SpanMeasNumbTeethBest() const;
    // Base tangent length over NumberOfTeeth teeth (0 for none); appends to
    // ErrStr when the count lies outside the limits or the span needs more
    // face than the gear has.
    double SpanMeasurement(std::int16_t NumberOfTeeth, std::string& ErrStr, std::int32_t MinMax) const;

    // Tooth proportions (factors are per unit normal diametral pitch)
    void aaAddendumFactor(std::int32_t MinMaxAddf, double AddFactor);
    void aaAddendumRadius(std::int32_t MinMaxAddf, double AddRad);
    double AddF(std::int32_t MinMaxAddf) const { return addendumFactor_[limitIndex(MinMaxAddf)]; }
    double Addendum(std::int32_t MinMaxADD) const;
    void aaWholeDepthFactor(double inpWDF);
    void aaDedendumFactor(double DedendumFactor);
    void aaRootRadius(double RootRadius);
    double DedF() const { return dedendumFactor_; }
    double Dedendum() const;
    double WDF() const;
    double WD() const;
    void aaEdgeBreak(std::int32_t MinMaxEGB, double EdgeBreak);
    double EGB(std::int32_t MinMaxEGB) const { return edgeBreak_[limitIndex(MinMaxEGB)]; }
    // MinusEdgeBreak true (-1) takes the edge break off; any other value,
    // 1 included, leaves the full addendum.
    double Ro(std::int16_t MinusEdgeBreak, std::int32_t MinMaxEGB, std::int32_t MinMaxAddf) const;
    void aaLoadedAtTip(std::int16_t TipLoaded);
    // 0 full circular root fillet, anything else hob-generated fillet.
    void aaFilletRadius(std::int32_t Radius);
    std::int32_t FilletRadius() const { return filletKind_; }
    void aaBendingStressAllowable(double value);
    void aaContactStressAllowable(double value);

    // Loads; GoLet couples the mate's values and the pair's power.
    void aaTorque(bool GoLet, double TorqueINCH_LB);
    double Torq() const { return torque_; }
    void aaSpeed(bool GoLet, double gearRPM);
    double RPM() const { return speed_; }
    double FeetPerMinute() const;
    double WT() const;

    // Roll angles and radii along the line of action
    double ALPHA() const;
    double Phi_l(double AlphaPassed) const;
    double RL() const;
    // Roll angle of the highest point of single tooth contact with both
    // members at limit MinMaxHPSTC.
    double HPSTC(std::int32_t MinMaxHPSTC) const;
    // The limit whose HPSTC loads the J and I factors (ALPHA, Phi_l, RL and
    // every J routine, the pitting radii): the minimum addendum, the point
    // the published factor tables are matched at.
    static constexpr std::int32_t LoadedLimit = 0;
    double LPSTC(std::int32_t MinMaxLPSTC) const;
    double The_od(std::int32_t MinMaxRO, std::int16_t MinusEdgeBreak) const;
    double The_lc(std::int32_t MinMaxLC) const;
    double R_lc(std::int32_t MinMaxRLC) const;
    double RadiusFromRollAngle(double rollAngle) const;
    double RollAngleFromRadius(double Radius) const;
    double The_p() const;
    double Pang() const;
    double RR(std::int32_t MinMaxRR) const;
    double RLC() const;

    // Clearances
    double Clearance() const;
    double ClearanceRoRb(std::int32_t MinMaxClearance) const;
    double TopLand(std::int16_t WithEdgeBreak) const;

    // Allowable stresses
    void SATfromAGMA(double value);
    void SACfromAGMA(double value);
    void Quality(double value);
    double Quality() const { return quality_; }
    double SAC() const;
    double SAT() const;

    // Bending strength: declared here, defined with the J routines.
    // A J routine that fails gives 0 or -999: such a J is no factor at all.
    static bool JayFailed(double jay) { return !(jay > 0); }
    // Raises InvalidProcedureCall for a failed J: it gives no stress.
    double SB(double JayTemp);
    double TIFF();
    double LewisHeighHCR();
    double Jay();
    double FullCircularFilletJFactor();
    double ZRK_Trochoidal_JFactor();
    double AGMA_JFactor(std::int16_t TipLoaded);

    // Links set at creation
    T_Set& pair() const { return pair_; }
    ModelShell& shell() const { return shell_; }
    // The mate; raises "object variable not set" before the pair links it.
    T_Gear& otherGear() const {
        if (mate_ == nullptr) [[unlikely]]
            runtime::raise(runtime::ObjectVariableNotSet);
        return *mate_;
    }

private:
    friend struct GearBending;

    void LoadStressVars();

    static std::size_t limitIndex(std::int32_t index) {
        if (index != 0 && index != 1) [[unlikely]]
            runtime::raise(runtime::SubscriptOutOfRange);
        return static_cast<std::size_t>(index);
    }
    double pitchRadiusUnguarded() const;

    // Helpers that let a getter work a shared quantity out once; each takes
    // its values from the getters, in the order the getter needs them.

    // The roll angle at which the involute from the base circle reaches radius.
    static double rollAngleAt(double radius, double base);
    // Rp_o at a given operating pressure angle.
    double operatingPitchRadius(double operatingPressureAngle) const;
    // The_lc with the distance between the base-circle tangent points given.
    double contactStart(double betweenTangentPoints, std::int32_t MinMaxLC) const;
    // LPSTC before the start of contact bounds it: the tip roll angle less one pitch.
    double tipRollAngleLessPitch(std::int32_t limit) const;
    // ALPHA and the pressure angle at the highest point of single contact.
    struct LoadPoint {
        double alpha = 0, pressureAngle = 0;
    };
    LoadPoint loadPoint() const;
    double loadAngle(const LoadPoint& load) const { return load.pressureAngle - IntExt * load.alpha; }
    // The number of teeth, fractional, whose span touches the flanks at a
    // diameter; none for a diameter inside the base circle.
    std::optional<double> spanTeethTouchingAt(double diameter) const;

    T_Set& pair_;
    ModelShell& shell_;
    T_Gear* mate_ = nullptr;
    std::array<double, 2> toothThickness_{};
    std::array<double, 2> edgeBreak_{};
    std::array<double, 2> addendumFactor_{};
    double dedendumFactor_ = 0.0;
    std::int16_t loadedAtTip_ = 0;
    std::int32_t numberOfTeeth_ = 0;
    double faceWidth_ = 0.0;
    double poissonsRatio_ = 0.3;
    double modulusOfElasticity_ = 30000000.0;
    std::string name_;
    std::int32_t filletKind_ = 0;
    double bendingStressAllowable_ = 0.0;
    double contactStressAllowable_ = 0.0;
    double torque_ = 0.0;
    double speed_ = 0.0;
    double hardnessBrinell_ = 0.0;
    std::int32_t arrayIndex_ = 0;
    double quality_ = 0.0;
    double satFromAgma_ = 0.0;
    double sacFromAgma_ = 0.0;

    // The pin search's own state, living as long as the gear.
    std::vector<float> PinListCache;    // display units, as last read
    double PinListLengthFactor = 0.0;   // LengthFactor when the list was last asked for
    bool NoPinList = false;             // the list file failed to open; never cleared
    std::int32_t PinTries = 0;          // measurements of the running PinDiamTested
};

} // namespace cindrel::model
