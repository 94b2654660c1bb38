#include "shell/clsExposeVantrope.h"

#include "shell/Startup.h"
#include "shell/frmGears.h"

#include "forms/MenuItem.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>

namespace vantrope {

namespace {

// A value handed over that is not a finite number would only turn into a
// broken drawing later: the step that takes it fails instead.
void requireFinite(std::initializer_list<double> values)
{
    for (double value : values)
        if (!std::isfinite(value))
            runtime::raise(runtime::Overflow);
}

// Runs one step, ignoring its failure; false when it failed.
template <typename Step>
bool step(Step&& body)
{
    try {
        body();
        return true;
    } catch (const runtime::RuntimeError&) {
        return false;
    }
}

std::string numberText(double value)
{
    std::ostringstream text;
    text.precision(12);
    text << value;
    return text.str();
}

// An element whose outline cannot be drawn would otherwise be taken with
// success and leave the drawing empty: the client is told instead. Values
// that are not numbers at all fail their own step, as before.
void requireDrawable(const exposevantrope::LoadLocalsArguments& a)
{
    std::string problem;
    if (a.NumberOfTeeth < 2)
        problem = "number of teeth " + std::to_string(a.NumberOfTeeth) + " (at least 2 are needed)";
    else if (std::isfinite(a.ToothThickness) && !(a.ToothThickness > 0 && a.ToothThickness < 1))
        problem = "tooth thickness " + numberText(a.ToothThickness) + " (a fraction of the circular pitch, above 0 and below 1)";
    else if (std::isfinite(a.Addendum) && std::abs(a.Addendum) >= a.NumberOfTeeth / 2.0)
        problem = "addendum " + numberText(a.Addendum) + " (not below the pitch radius " +
                  numberText(a.NumberOfTeeth / 2.0) + ")";
    if (!problem.empty())
        runtime::raise(runtime::InvalidProcedureCall,
                       "element " + std::to_string(a.GearElement) + " cannot be drawn: " + problem);
}

void checkIndex(std::int32_t index)
{
    if (index < 0 || index > 4)
        runtime::raise(runtime::SubscriptOutOfRange);
}

} // namespace

clsExposeVantrope::clsExposeVantrope(Startup& startup) : startup_(startup) {}

clsExposeVantrope::~clsExposeVantrope()
{
    // The program must not read from an object that is gone.
    if (startup_.OinputSource == this)
        startup_.OinputSource = nullptr;
}

void clsExposeVantrope::Initialize()
{
    if (initialized_)
        return;
    initialized_ = true;
    step([&] { startup_.trace().write("clsExposeVantrope_Initialize"); });
    startup_.SetExposer(this);
    step([&] {
        if (!startup_.hasEnded())
            startup_.gears().menu("mnuFile").setVisible(false);
    });
}

std::int32_t clsExposeVantrope::LoadLocals(const exposevantrope::LoadLocalsArguments& a)
{
    Initialize();
    const std::int32_t e = a.GearElement;
    if (e < 1 || e > 4)
        return 0;
    requireDrawable(a);
    bool ok = true;
    ok &= step([&] { teeth_[e] = a.NumberOfTeeth; });
    ok &= step([&] {
        requireFinite({a.PressureAngleDegrees});
        pressureAngleDegrees_ = a.PressureAngleDegrees;
    });
    ok &= step([&] {
        const double protuberance = a.Protuberance.value_or(0.0);
        requireFinite({a.Addendum, a.WholeDepthFactor, a.EdgeBreak, a.ToothThickness, protuberance});
        addendum_[e] = a.Addendum;
        wholeDepth_[e] = a.WholeDepthFactor;
        edgeBreak_[e] = a.EdgeBreak;
        toothThickness_[e] = a.ToothThickness;
        protuberance_[e] = protuberance;
    });
    ok &= step([&] {
        const double backlash = a.BackaLasha.value_or(0.0);
        requireFinite({backlash});
        backlash_ = backlash;
    });
    ok &= step([&] { startup_.DialogFileName = a.FileName.value_or(std::string()); });
    ok &= step([&] {
        requireFinite({a.CenterDistance});
        if (e == 2 || e == 3) {
            fullRootRadius_[e] = a.FullRootRadius;
            centerDistance_[1] = a.CenterDistance;
            if (e == 3)
                gearIntExt_ = a.InternalExternal;
        } else if (e == 1) {
            centerDistance_[0] = a.CenterDistance;
        } else {
            centerDistance_[2] = a.CenterDistance;
        }
    });
    ok &= step([&] {
        const double pitch = a.OperatingTransDP.value_or(1.0);
        if (pitch == 0.0)
            runtime::raise(runtime::DivisionByZero);
        const double sizer = 1.0 / pitch;
        requireFinite({pitch, sizer});
        if (!startup_.Osettings)
            runtime::raise(runtime::ObjectVariableNotSet);
        startup_.Osettings->GearSizer = sizer;
    });
    ok &= step([&] {
        const std::int32_t unit = a.DP0Module1.value_or(0);
        if (unit < std::numeric_limits<std::int16_t>::min() || unit > std::numeric_limits<std::int16_t>::max())
            runtime::raise(runtime::Overflow);
        if (!startup_.Osettings)
            runtime::raise(runtime::ObjectVariableNotSet);
        startup_.Osettings->GearSizerOPT = static_cast<std::int16_t>(unit);
    });
    return ok ? 1 : 0;
}

std::int32_t clsExposeVantrope::GetInputs(std::int16_t Index, ElementInputs& v, std::int16_t MeshIndex)
{
    checkIndex(Index);
    checkIndex(MeshIndex);
    const int i = Index;
    v.NumbTeeth = teeth_[i];
    v.PressAng = pressureAngleDegrees_ * std::numbers::pi / 180.0;
    v.CenterDist = centerDistance_[MeshIndex];
    v.Addendum = addendum_[i];
    v.Dedendum = wholeDepth_[i];
    v.EdgeBreak = edgeBreak_[i];
    v.ToothThickness = toothThickness_[i];
    if (i == 1 || i == 4) {
        v.Protube = protuberance_[i];
        v.IntExt = 1;
        v.BackLash = 0;
        v.FRR = true;
    } else if (i == 2 || i == 3) {
        v.Protube = 0;
        v.IntExt = i == 2 ? std::int16_t{1} : gearIntExt_;
        v.BackLash = MeshIndex == 1 ? backlash_ : 0.0;
        v.FRR = fullRootRadius_[i];
    }
    return 1;
}

std::int32_t clsExposeVantrope::GetInputs(exposevantrope::GetInputsArguments& a)
{
    Initialize();
    ElementInputs v;
    v.NumbTeeth = a.NumbTeeth;
    v.PressAng = a.PressAng;
    v.CenterDist = a.CenterDist;
    v.Addendum = a.Addendum;
    v.Dedendum = a.Dedendum;
    v.EdgeBreak = a.EdgeBreak;
    v.ToothThickness = a.ToothThickness;
    v.IntExt = a.INTEXTo;
    v.Protube = a.Protuberance;
    v.BackLash = a.BackLash;
    v.FRR = a.FullRR;
    const std::int32_t result = GetInputs(a.Index, v, a.MeshIndex);
    a.NumbTeeth = v.NumbTeeth;
    a.PressAng = v.PressAng;
    a.CenterDist = v.CenterDist;
    a.Addendum = v.Addendum;
    a.Dedendum = v.Dedendum;
    a.EdgeBreak = v.EdgeBreak;
    a.ToothThickness = v.ToothThickness;
    a.INTEXTo = v.IntExt;
    a.Protuberance = v.Protube;
    a.BackLash = v.BackLash;
    a.FullRR = v.FRR;
    return result;
}

void clsExposeVantrope::LaunchDrawings()
{
    Initialize();
    // After the end of the program there is nothing left to draw on.
    if (startup_.hasEnded() || !startup_.OmeshMaster)
        return;
    clsMeshMaster& master = *startup_.OmeshMaster;
    step([&] { startup_.gears().ShowMenu(true); });
    for (std::int16_t mesh : {0, 2, 0, 2})
        master.LoadAndDraw(mesh);
    master.SetActiveMesh(1);
    master.LoadAndDraw(1);
    // What the elements took, for a look in the log file.
    step([&] {
        std::ostringstream line;
        line.precision(12);
        line << "LaunchDrawings";
        for (const clsGear* element : {master.OpiniTool.get(), master.Opini.get(), master.Ogear.get(),
                                       master.OgearTool.get()})
            if (element)
                line << ", element " << element->Name << " N " << element->N << " Rb " << element->Rb;
        startup_.trace().write(line.str());
    });
}

void clsExposeVantrope::ExternalEndProgram(bool& UsingResumeNextOnError)
{
    Initialize();
    if (UsingResumeNextOnError)
        startup_.EndProgram();
}

} // namespace vantrope
