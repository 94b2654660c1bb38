#include "mesh/clsMesh.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace vantrope {

namespace {

constexpr double Pi = 3.14159265358979;
constexpr char Section[] = "DrawingOptions";

std::string scalerKey(std::int32_t mesh)
{
    return "Scaler" + std::to_string(mesh);
}

// A zoom the drawing can be made with: a positive, finite number of pixels
// per unit.
bool usableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0.0;
}

// The zooms at which a tooth can be seen and placed: its circular pitch (pi
// units) at least a pixel wide and at most twice the window's larger side.
// Beyond them the mesh is a dot or one tooth fills the window many times over.
struct ZoomLimits {
    double smallest, largest;
};

ZoomLimits zoomLimits(double width, double height)
{
    return {1.0 / Pi, 2.0 * std::max({width, height, 1.0}) / Pi};
}

} // namespace

clsMesh::clsMesh(MeshServices& services) : services_(services)
{
    services_.element.trace.write("clsMesh_Initialize");
}

clsMesh::~clsMesh()
{
    if (!bound_ || !usableZoom(zoom_))
        return;
    try {
        services_.store.SaveSetting(services_.appName, Section, scalerKey(meshNumber_), runtime::numberText(zoom_));
    } catch (...) {
        // Nothing may escape a destructor; the store logs its own failures.
    }
}

void clsMesh::LoadMesh(clsGear* Gear1, clsGear* Gear2, DrawingSurface* DrawVorm, std::int32_t Name1,
                       std::int32_t Name2, const std::string& NameOfMesh)
{
    gear1_ = Gear1;
    gear2_ = Gear2;
    surface_ = DrawVorm;
    DrawDevice* device = DrawVorm ? DrawVorm->device() : nullptr;
    const std::int32_t first = Gear1->Name;
    const std::int32_t second = Gear2->Name;
    // The pinion and the gear are each other's mating gears; a tool and the
    // element it cuts keep each other as mating cutters (the first one given).
    if (first == element::Pinion || second == element::Gear || (first == element::Gear && second == element::Pinion)) {
        Gear1->GetMain(device, Gear2, Name1, Gear2);
        Gear2->GetMain(device, Gear1, Name2, Gear1);
    } else {
        Gear1->GetMain(device, Gear2, Name1);
        Gear2->GetMain(device, Gear1, Name2);
    }
    meshNumber_ = static_cast<std::int32_t>(runtime::leadingNumber(NameOfMesh));
    const double width = DrawVorm ? DrawVorm->clientWidth() : 0.0;
    const double height = DrawVorm ? DrawVorm->clientHeight() : 0.0;
    const std::string stored = services_.store.GetSetting(services_.appName, Section, scalerKey(meshNumber_), "");
    zoom_ = std::sqrt(std::max(0.0, height * width)) * 0.1;
    if (!stored.empty()) {
        // A stored zoom that is no usable number is reported and replaced by
        // the default, rather than drawing at a zoom of 0 or worse.
        const ZoomLimits limits = zoomLimits(width, height);
        if (!runtime::isNumeric(stored) || !usableZoom(runtime::toNumber(stored)))
            services_.element.log.reportError("clsMesh", "LoadMesh", std::to_string(runtime::TypeMismatch),
                                              runtime::errorDescription(runtime::TypeMismatch),
                                              scalerKey(meshNumber_));
        else if (const double zoom = runtime::toNumber(stored); zoom < limits.smallest || zoom > limits.largest)
            services_.element.log.reportError("clsMesh", "LoadMesh", "",
                                              "the stored zoom " + stored +
                                                  " would draw the mesh too small or too large to be seen; the "
                                                  "default zoom is used",
                                              scalerKey(meshNumber_));
        else
            zoom_ = zoom;
    }
    centreX_ = width / 2.0;
    centreY_ = height / 2.0;
    intExt_ = {1, 1, 1, 1, 1};
    name1_ = Name1;
    name2_ = Name2;
    bound_ = true;
}

void clsMesh::zeroRotations()
{
    rotation_[static_cast<std::size_t>(name1_)] = 0.0;
    rotation_[static_cast<std::size_t>(name2_)] = 0.0;
}

void clsMesh::ReadInputs(bool ZeroOffsets)
{
    runtime::reportingNumberedOrMemoryErrors(services_.element.log, "clsMesh", "ReadInputs",
                                             [&] { readInputs(ZeroOffsets); });
}

void clsMesh::readInputs(bool zeroOffsets)
{
    if (!bound_ || name1_ < 1 || name2_ > 4 || name1_ >= name2_)
        runtime::raise(runtime::ObjectVariableNotSet);
    InputSource* source = services_.sources.current();
    if (!source) {
        services_.element.trace.write("ReadInputs, set inputsource as frmInputs");
        source = services_.sources.adoptInputsDialog();
        if (!source)
            runtime::raise(runtime::ObjectVariableNotSet);
    }
    if (zeroOffsets)
        zeroRotations();

    double centerDistance = 0.0;
    double backlash = 0.0;
    for (std::int32_t i = name1_; i <= name2_; ++i) {
        const auto e = static_cast<std::size_t>(i);
        ElementInputs values;
        values.NumbTeeth = teeth_[e];
        values.PressAng = pressureAngle_[e];
        values.CenterDist = centerDistance;
        values.Addendum = addendum_[e];
        values.Dedendum = wholeDepth_[e];
        values.EdgeBreak = edgeBreak_[e];
        values.ToothThickness = thickness_[e];
        values.IntExt = intExt_[e];
        values.Protube = protuberance_[e];
        values.BackLash = backlash;
        values.FRR = fullRoot_[e];
        if (source->GetInputs(static_cast<std::int16_t>(i), values, static_cast<std::int16_t>(meshNumber_)) != 1)
            return;
        teeth_[e] = values.NumbTeeth;
        pressureAngle_[e] = values.PressAng;
        centerDistance = values.CenterDist;
        addendum_[e] = values.Addendum;
        wholeDepth_[e] = values.Dedendum;
        edgeBreak_[e] = values.EdgeBreak;
        thickness_[e] = values.ToothThickness;
        intExt_[e] = values.IntExt;
        protuberance_[e] = values.Protube;
        backlash = values.BackLash;
        fullRoot_[e] = values.FRR;
    }

    const auto first = static_cast<std::size_t>(name1_), second = static_cast<std::size_t>(name2_);
    // Flags and tooth counts crosswise; in doubles, so no count overflows.
    standard_ = (static_cast<double>(intExt_[first]) * teeth_[second] +
                 static_cast<double>(intExt_[second]) * teeth_[first]) / 2.0;
    dcoFactor_ = standard_ == 0.0 ? 0.0 : runtime::checkFinite((standard_ + centerDistance) / standard_);
    const double k = dcoFactor_;

    if (intExt_[3] != rememberedGearIntExt_)
        zeroRotations();
    if (teeth_[first] != rememberedTeeth_[first] || teeth_[second] != rememberedTeeth_[second])
        zeroRotations();

    for (std::int32_t i = name1_; i <= name2_; ++i) {
        const auto e = static_cast<std::size_t>(i);
        clsGear& element = i == name1_ ? *gear1_ : *gear2_;
        rememberedTeeth_[e] = teeth_[e];
        const double side = i == name1_ ? 1.0 : -1.0;
        double backlashTurn = 0.0;
        if (meshNumber_ == 1 && backlash != 0.0) {
            const double thinning = (Pi / 2.0 - backlash) / (Pi / 2.0);
            thickness_[e] = thinning * thickness_[e];
            if (i == element::Pinion)
                backlashTurn = runtime::divide((1.0 - thinning) * Pi, teeth_[static_cast<std::size_t>(element::Pinion)]) * k;
        }
        const double x = centreX_ - intExt_[e] * side * (teeth_[e] / 2.0) * std::cos(0.0) * k * zoom_;
        const double y = centreY_ - intExt_[e] * side * (teeth_[e] / 2.0) * std::sin(0.0) * k * zoom_;
        const std::int32_t placed = element.GetSetGeom(x, y, zoom_, rotation_[e] + backlashTurn, centreX_, centreY_);
        rememberedGearIntExt_ = intExt_[3];
        const std::int32_t built =
            element.Inputs(teeth_[e], pressureAngle_[e], thickness_[e], intExt_[e], k, addendum_[e], wholeDepth_[e],
                           edgeBreak_[e], protuberance_[e], fullRoot_[e], meshNumber_, standard_);
        if (placed * built == 0)
            return;
    }

    if (!surface_)
        runtime::raise(runtime::ObjectVariableNotSet);
    surface_->clear();
    if (name1_ == element::PinionTool) {
        gear1_->DrawTeeth();
        gear2_->DrawTeeth();
    } else {
        gear2_->DrawTeeth();
        gear1_->DrawTeeth();
    }
    gear1_->VantropeCircles();
    gear2_->VantropeCircles();
    surface_->drawingDone();
    drawn_ = true;
}

void clsMesh::RotateGear(std::int16_t KeyCode, std::int16_t /*Shift*/)
{
    const auto first = static_cast<std::size_t>(name1_), second = static_cast<std::size_t>(name2_);
    if (!bound_ || static_cast<double>(teeth_[first]) * teeth_[second] == 0.0)
        return;
    const double step = (2.0 * Pi / teeth_[first]) / 75.0;
    const double sign = (name1_ == element::Gear || name2_ == element::Gear) ? intExt_[3] : 1.0;
    services_.timers.StartTimer(1);
    double a = 0.0;
    switch (KeyCode) {
    case key::Left: a = step; break;
    case key::Up: a = 5.0 * step; break;
    case key::Right: a = -step; break;
    case key::Down: a = -5.0 * step; break;
    default: break;
    }
    double b = 0.0;
    if (a != 0.0) {
        b = -a * teeth_[first] / teeth_[second] * sign;
        if (surface_)
            surface_->clear();
        gear1_->RotateGear(a);
        gear2_->RotateGear(b);
        if (surface_)
            surface_->drawingDone();
    }
    rotation_[first] += a;
    rotation_[second] += b;
    services_.timers.StopTimer(1, surface_ ? surface_->timeTarget() : nullptr);
}

void clsMesh::VormClick()
{
    services_.timers.StartTimer(1);
    ReadInputs(false);
    services_.timers.StopTimer(1, surface_ ? surface_->timeTarget() : nullptr);
}

void clsMesh::VormMouseUp(std::int16_t Button, std::int16_t /*Shift*/, float X, float Y, float prevX, float prevY)
{
    if (services_.element.settings.booStopPanZoom || !surface_)
        return;
    if (Button == button::Left) {
        const double x = centreX_ + (X - prevX), y = centreY_ + (Y - prevY);
        if (!std::isfinite(x) || !std::isfinite(y) || (x == centreX_ && y == centreY_))
            return;
        centreX_ = x;
        centreY_ = y;
    } else if (Button == button::Right) {
        const double H = surface_->clientHeight(), W = surface_->clientWidth();
        // A press or release at or below the bottom edge gives no factor that
        // can be zoomed by: the view stays as it was.
        if (H - Y <= 0.0 || H - prevY <= 0.0)
            return;
        // Kept within what a next start takes back, so that the zoom stored is the one seen.
        const ZoomLimits limits = zoomLimits(W, H);
        const double zoom = std::clamp(zoom_ * (H - Y) / (H - prevY), limits.smallest, limits.largest);
        const double Z = zoom / zoom_;
        const double x = (centreX_ - W / 2.0) * Z + W / 2.0;
        const double y = (centreY_ - H / 2.0) * Z + H / 2.0;
        if (!usableZoom(zoom) || !std::isfinite(x) || !std::isfinite(y) || zoom == zoom_)
            return;
        zoom_ = zoom;
        centreX_ = x;
        centreY_ = y;
    } else {
        return;
    }
    // The new view is shown at once, not at the next click or key.
    if (drawn_)
        VormClick();
}

void clsMesh::setView(double zoom, double centreX, double centreY)
{
    zoom_ = zoom;
    centreX_ = centreX;
    centreY_ = centreY;
}

void clsMesh::PrintOutPut()
{
    if (services_.outputs.print)
        services_.outputs.print(*this);
}

void clsMesh::WriteTextFile(bool DXFSTyle)
{
    if (services_.outputs.writeTextFile)
        services_.outputs.writeTextFile(*this, DXFSTyle);
}

} // namespace vantrope
