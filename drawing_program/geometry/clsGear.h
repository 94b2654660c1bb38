#pragma once

#include "drawing/mAPI_draw.h"
#include "geometry/ElementServices.h"
#include "geometry/clsArc.h"
#include "geometry/clsTooth.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vantrope {

// Element numbers.
namespace element {
constexpr std::int32_t PinionTool = 1, Pinion = 2, Gear = 3, GearTool = 4;
} // namespace element

// One element: a gear or a rack-type tool (10000 teeth). Lengths are in units
// of one transverse diametral pitch (pitch radius = teeth / 2), angles in
// radians. The outline of tooth 0 is built in the element's own frame: origin
// at its centre, x axis through the middle of the tooth, y up; it is drawn at
// (x · ScaleFactor + MidX, y · ScaleFactor + MidY) on the device, y down.
//
// Routines without a handler of their own (DrawTeeth and what it calls but
// the trochoid and the tool tip) raise runtime::RuntimeError to the caller.
class clsGear {
public:
    explicit clsGear(ElementServices& services);
    clsGear(const clsGear&) = delete;
    clsGear& operator=(const clsGear&) = delete;

    double AccumulatedAngle = 0;
    double Rb = 0;
    std::int32_t N = 0;
    double R_tip = 0;
    double RP_o = 0;
    double DCO = 0;
    double TTKin = 0;
    std::int32_t Name = 0;
    double R_Egb = 0;
    std::unique_ptr<clsArc> EGB1;
    std::unique_ptr<clsArc> EGB2;
    double Protube = 0;

    // 1 when set up; 0 for no teeth or after a logged error (then the
    // element keeps no teeth: N is 0 and nothing is drawn).
    std::int32_t Inputs(std::int32_t Number, double TransPressureAngle, double ToothTHK, std::int16_t InternalOrExt,
                        double DCOFactor, double Addendum, double WholeDepth, double EdgeBreak, double Protuberance,
                        bool FRR, std::int32_t mMeshIndex, double DCStandard);
    void GetMain(DrawDevice* Device, clsGear* MatingCutters, std::int32_t GearName, clsGear* MatingGears = nullptr);
    std::int32_t GetSetGeom(double MidX, double MidY, double ScaleFactor, double GearOffset, const double& ScreenOffsetX,
                            const double& ScreenOffsetY);
    void DrawTeeth();

    double OffsetTeeth(std::int32_t N2, double Theta) const;
    void RotateGear(double RotAngle);
    // Errors are logged (routine "TrochoidalPoints"); the points stand as they are.
    void TrochoidalPoints(double& PhiBottom);
    bool Internal() const { return InternalOrExt_ == -1; }
    void Device2DrawOn(DrawDevice* device) { Device_ = device; }

    // Read access for the circles, the line of action and the export.
    DrawDevice* Device() const { return Device_; }
    clsGear* MatingCutters() const { return MatingCutters_; }
    clsGear* MatingGears() const { return MatingGears_; }
    std::int32_t meshIndex() const { return mMeshIndex_; }
    double TransPressureAngle() const { return TransPressureAngle_; }
    double Phio() const { return Phio_; }
    double Rp() const { return Rp_; }
    double R_root() const { return R_root_; }
    double AngularPitch() const { return AngularPitch_; }
    double OperatingHalfTooth() const { return OperatingHalfTooth_; }
    double BaseHalfTooth() const { return BaseHalfTooth_; }
    double BaseHalfSpace() const { return BaseHalfSpace_; }
    bool FRR() const { return FRR_; }
    double DCStandard() const { return DCStandard_; }
    std::int32_t InternalOrExt() const { return InternalOrExt_; }
    double EdgeBreak() const { return EdgeBreak_; }
    double MidX() const { return MidX_; }
    double MidY() const { return MidY_; }
    double ScaleFactor() const { return ScaleFactor_; }
    double GearOffset() const { return GearOffset_; }
    double ScreenOffsetX() const { return ScreenOffsetX_; }
    double ScreenOffsetY() const { return ScreenOffsetY_; }
    double R_Tangent() const { return R_Tangent_; }
    const PointArray& FlankPoints() const { return FlankPoints_; }
    const PointArray& EdgePoints() const { return EdgePoints_; }
    const PointArray& RootPoints() const { return RootPoints_; }
    const PointArray& ToothPoints() const { return ToothPoints_; }
    const std::vector<std::unique_ptr<clsTooth>>& Teeth() const { return Teeth_; }
    const clsArc* RootArc() const { return RootArc_.get(); }

    // --- Reference circles and the line of action (LineOfAction.cpp) ---
    // Rows of the line of action: distance from the pinion's base tangency
    // point along the line, then x and y in the pinion's frame.
    using LoaRows = std::array<std::array<double, 3>, 7>;
    // Circles under their options; for the pinion in the pinion and gear
    // mesh also the line of action. Errors go to the caller.
    void VantropeCircles();
    // Computes the seven points; with PointsOnlyForDXF returns them and draws
    // nothing, else draws them and returns nothing. Nothing at all when
    // options 11, 12 and 13 are all off. Errors are logged ("LOAPoints").
    std::optional<LoaRows> LOAPoints(bool PointsOnlyForDXF);
    // Roll angle at the tip and at the lowest contact (or, AsLength, the
    // distance along the line from the base tangency point).
    double ThetaOD(bool AsLength) const;
    double ThetaLC(bool AsLength) const;
    // --- end of the line of action block ---

    // The rotation matrix: SetRotation(a) then RotatePoint turns clockwise by a.
    void SetRotation(double angle);
    void RotatePoint(double X, double Y, double& outX, double& outY) const;

private:
    void InvolutePoints(double RollTop, double RollBottom);
    void EdgeBreakPoints(double& PhiTop);
    void PointsAllString();
    void FullRootRadiusPoints(double& PhiBottom);
    void ToolTipRadius(double& PhiTop);
    void Trochoid(double theta, double A, double B, double C, double& outX, double& outY);
    void AssembleTeeth();
    bool isTool() const { return Name == element::PinionTool || Name == element::GearTool; }
    void debugMark(double x, double y, double radius, std::int32_t color);
    // Line of action block: the moving contact dots and the debug marks.
    void LOADOT(int dir);
    void drawLimitMark(double angle, const char* caption);
    void drawFlankMarks(int dir, double a);
    // A point set of `rows` rows; subscript error 9 for fewer than one.
    static PointArray rowsOf(std::int32_t rows);

    ElementServices& services_;
    clsGear* MatingCutters_ = nullptr;
    clsGear* MatingGears_ = nullptr;
    std::int32_t mMeshIndex_ = 0;
    DrawDevice* Device_ = nullptr;
    double TransPressureAngle_ = 0;
    double Phio_ = 0;
    double Rp_ = 0;
    double R_root_ = 0;
    double AngularPitch_ = 0;
    double OperatingHalfTooth_ = 0;
    double BaseHalfTooth_ = 0;
    double BaseHalfSpace_ = 0;
    bool FRR_ = false;
    double DCStandard_ = 0;
    std::int32_t InternalOrExt_ = 1;
    double EdgeBreak_ = 0;
    double RotMatrix_[4] = {1, 0, 0, 1};
    double MidX_ = 0;
    double MidY_ = 0;
    double ScaleFactor_ = 0;
    double GearOffset_ = 0;
    double ScreenOffsetX_ = 0;
    double ScreenOffsetY_ = 0;
    double R_Tangent_ = 0;
    PointArray FlankPoints_;
    PointArray EdgePoints_;
    PointArray RootPoints_;
    PointArray ToothPoints_;
    std::vector<std::unique_ptr<clsTooth>> Teeth_;
    std::unique_ptr<clsArc> RootArc_;
};

// The angle opposite a in the triangle of sides a, b, c; 0 when b · c is 0.
double LawOfCosinesAngle(double a, double b, double c);

} // namespace vantrope
