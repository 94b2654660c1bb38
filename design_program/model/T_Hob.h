#pragma once

#include <cstdint>
#include <string>

namespace cindrel::model {

class T_Gear;

// The rack-type cutting tool (hob, basic rack) that generates one member.
// Lengths in inches, angles in radians. A passive store: every derived value
// is recomputed from the stored tool inputs and the pair's current state.
class T_Hob {
public:
    T_Hob() = default;
    ~T_Hob();
    T_Hob(const T_Hob&) = delete;
    T_Hob& operator=(const T_Hob&) = delete;

    // Non-owning back reference to the member this hob cuts.
    void SetGear(T_Gear& gear);

    void Addendum(double value);
    double Addendum() const;
    void HobTTk(double value);
    double HobTTk() const;
    // Stored as entered, but read back as the pair's normal pressure angle.
    void PhiHob(double value);
    double PhiHob() const;
    void TipRadius(double value);
    double TipRadius() const;
    double Tip2Flank() const;
    // Stored as entered; read back as the computed half flat.
    void HobHalfFlat(double value);
    double HobHalfFlat() const;
    double adefTTH() const;
    double adefEdgeRadius() const;
    double TipRadius_fromAddendum_HobTTk() const;
    double adefPhiHob() const;
    double adefAddendum() const;
    double HobHalfFlat_calculated() const;
    double Tip2Flank_calculated() const;
    void Protuberance(double value);
    double Protuberance() const;
    double BAHFromProtuberance() const;
    double TTKfromHobTTH() const;
    double RRfromHobAddend() const;
    // 0 complementary hob, 1 (or anything else) standard hob.
    void SetDefaultHob(std::int32_t HobOp);
    std::string HobSelectionExplanation() const;
    // Default is accepted for symmetry with the getter and not used.
    void RackShift(bool Default, double inputval);
    double RackShift(bool Default) const;
    // The rack shift a rack of the given normal thickness needs to cut the
    // member's minimum thickness; RackShift(true) is this for the hob's own.
    double RackShiftFor(double rackThickness) const;
    std::string HobVariables() const;
    // Every tool input back to 0, as a new hob holds them; the member stays
    // linked. A hob belongs to the design whose hob step filled it.
    void Forget();

private:
    const T_Gear& gear() const;

    T_Gear* gear_ = nullptr;
    double addendum_ = 0.0;
    double hobTTk_ = 0.0;
    double phiHobEntered_ = 0.0;
    double tipRadius_ = 0.0;
    double protuberance_ = 0.0;
    double hobHalfFlatEntered_ = 0.0;
    double rackShift_ = 0.0;
};

} // namespace cindrel::model
