#include "sequence/AgmaHandOver.h"

#include "sequence/T_StateNavigator.h"

#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include "model/GearBending.h"
#include "model/ModelShell.h"
#include "resources/ResourceStrings.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace cindrel::sequence {

namespace {

constexpr std::string_view AgmaWindow = "frmAGMA";

// The text "#.000" gives, read back as a number.
double threeDecimals(double value) { return runtime::toNumber(runtime::formatNumber(value, "#.000")); }

} // namespace

ControlId agmaWindowControl(std::string_view name, int index) { return {std::string(AgmaWindow), std::string(name), index}; }

double storedJFactor(double jay)
{
    const float single = static_cast<float>(threeDecimals(jay));
    if (!std::isfinite(single))
        runtime::raise(runtime::Overflow);
    return single;
}

double takenIFactor(double eye)
{
    return runtime::toNumber(runtime::formatNumber(eye, "#,##0.000"));
}

std::string jFactorText(double jay)
{
    if (model::T_Gear::JayFailed(jay))
        return std::string(FailedFactorMark);
    return runtime::formatNumber(jay, "0.000");
}

std::array<bool, 2> failedJFactors(const std::array<double, 2>& jFactors)
{
    return {model::T_Gear::JayFailed(jFactors[0]), model::T_Gear::JayFailed(jFactors[1])};
}

std::string failedMembersText(const std::array<bool, 2>& failed, std::string_view factor)
{
    const std::string name(factor);
    if (failed[0] && failed[1])
        return "Pinion and Gear " + name + " factors failed";
    if (failed[0] || failed[1])
        return std::string(failed[0] ? "Pinion " : "Gear ") + name + " factor failed";
    return {};
}

void T_StateNavigator::TakeIFactor()
{
    IFactor = takenIFactor(ports_.Oset.EyeAGMA());
    IFactorTaken = true;
}

bool T_StateNavigator::IFactorFailed() const
{
    // An I never taken is worked out by the contact-stress getter.
    return (IFactorTaken || IFactor != 0) && !(IFactor > SmallestIFactor);
}

std::string jFailureText(const model::T_Set& Oset, int member)
{
    const model::T_Gear& gear = Oset.member(member);
    model::ModelShell& shell = Oset.shell();
    // Named as the J routine that ran names its trace.
    std::string_view ending = model::AgmaTraceEnding;
    if (gear.FilletRadius() == 0)
        ending = model::FullCircularTraceEnding;
    else if (shell.lastKeyPressed() == model::KeyF12)
        ending = model::TrochoidalTraceEnding;
    std::string trace = "_";
    trace.append(gear.Name()).append(ending);
    const std::string path = shell.activeFileName(false, true) + trace;
    const std::string text = resources::ResourceStrings(member == 0 ? 4113 : 4114);
    // The setting reads as off while the design is unsaved.
    if (!shell.createCsv()) {
        return text + "; to see why, save the design, tick \"Create Comma Separated Value files\" under Options, "
                      "Preferences and press Next again: the J routine then writes its file ending in \"" +
               trace + "\" beside the design file";
    }
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error))
        return text + ", examine " + path + " for more information";
    return text + "; the J routine's CSV file " + path + " could not be written";
}

void clearShownAllowablePowers(Controls& controls)
{
    constexpr std::string_view MainWindow = "frmMain";
    for (const std::string_view box : {"txtSAC", "txtSAT"}) {
        for (int member : {0, 1})
            controls.setValue({std::string(MainWindow), std::string(box), member}, "");
    }
    controls.setVisible({std::string(MainWindow), "fraAGMA_HPs", -1}, false);
}

void T_StateNavigator::StoreJFactors()
{
    model::T_Set& Oset = ports_.Oset;
    JFactors[0] = storedJFactor(Oset.oPinion->Jay());
    JFactors[1] = storedJFactor(Oset.oGear->Jay());
}

void T_StateNavigator::FillAgmaForm()
{
    Controls& controls = ports_.controls;
    const model::T_Set& Oset = ports_.Oset;
    // A failed factor goes over as the mark: the window works out no power from it.
    controls.setValue(agmaWindowControl("txtEye"),
                      IFactorFailed() ? std::string(FailedFactorMark) : runtime::numberText(IFactor));
    for (int i : {0, 1}) {
        const double jay = JFactors[static_cast<std::size_t>(i)];
        controls.setValue(agmaWindowControl("txtJay", i),
                          model::T_Gear::JayFailed(jay) ? std::string(FailedFactorMark)
                                                        : runtime::numberText(model::MMath::Trunc(jay, 4, ports_.runLog)));
    }
    controls.setValue(agmaWindowControl("txtInps", 1), runtime::formatNumber(Oset.Face(), "#.000"));
    // Twice the rounded radius, as the window has always shown the diameter.
    controls.setValue(agmaWindowControl("txtInps", 2), runtime::numberText(threeDecimals(Oset.oPinion->Rp_o()) * 2));
    controls.setValue(agmaWindowControl("txtInps", 3), runtime::formatNumber(Oset.pd(), "#.000"));
    controls.setValue(agmaWindowControl("txtInps", 4),
                      runtime::formatNumber(runtime::divide(Oset.oGear->N(), Oset.oPinion->N()), "#.000"));
    ports_.agmaWindow.setStopTheEvents(false);
    controls.setWindowLeft(AgmaWindow, controls.windowLeft("frmMain"));
    controls.setWindowTop(AgmaWindow, controls.windowTop("frmMain"));
    ports_.agmaWindow.selectTab(0);
    state(steps::AgmaFactors).PrintVariables = true;
}

} // namespace cindrel::sequence
