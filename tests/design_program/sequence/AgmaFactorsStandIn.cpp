#include "AgmaFactorsStandIn.h"

#include "sequence/StepInputs.h"
#include "sequence/T_StateNavigator.h"

#include "model/MMath.h"
#include "model/T_AGMA1.h"
#include "model/T_Set.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <new>
#include <string>

namespace cindrel::sequence {

AgmaFactorsStandIn::AgmaFactorsStandIn(Controls& controls) : controls_(controls) {}

AgmaFactorsStandIn::~AgmaFactorsStandIn() = default;

void AgmaFactorsStandIn::attach(T_StateNavigator& navigator)
{
    navigator_ = &navigator;
    next_ = controls_.bindClick(agmaWindowControl("cmdNext"), [this] { CommitFactors(1); });
    previous_ = controls_.bindClick(agmaWindowControl("cmdPrevious"), [this] { CommitFactors(2); });
}

void AgmaFactorsStandIn::commit()
{
    model::T_Set& Oset = navigator_->Oset();
    if (!Oset.oAGMA1)
        runtime::raise(runtime::ObjectVariableNotSet);
    model::T_AGMA1& factors = *Oset.oAGMA1;
    const auto box = [this](const char* name, int index = -1) { return controls_.value(agmaWindowControl(name, index)); };
    factors.Km(box("txtKm"));
    factors.Kv(box("txtKV"));
    factors.Ko(box("txtKo"));
    factors.Kr(box("txtKr"));
    factors.Kt(box("txtKt"));
    factors.Ks(box("txtKs"));
    factors.Cf(box("txtCf"));
    for (int i = 0; i < 2; ++i) {
        factors.Ch(i, box("txtCh", i));
        factors.Kb(i, box("txtKb", i));
        factors.SF(i, box("txtSf", i));
        factors.Sh(i, box("txtSh", i));
        factors.Yn(i, box("txtYn", i));
        factors.Zn(i, box("txtZn", i));
    }
    // Pinion cycles, gear cycles and hours for the factors table.
    for (int i = 0; i < 3; ++i) {
        const double life = model::MMath::NumberFromDigits(box("txtLife", i));
        controls_.setValue(mainWindowControl("lblGearLife", i), runtime::numberText(life));
    }
    controls_.setValue(mainWindowControl("lblKmString"), "");
    navigator_->All4Horsepowers.reset();
}

void AgmaFactorsStandIn::CommitFactors(std::int32_t direction)
{
    if (navigator_ == nullptr || stopTheEvents_)
        return;
    // Reported from a button's handler: nothing may escape to the window.
    const auto report = [this](int number, const std::string& description) {
        try {
            navigator_->ports().runLog.reportError("frmAGMA", "CommitFactors", std::to_string(number), description,
                                                   "");
            navigator_->ports().messages.show(0, "Error " + std::to_string(number) +
                                                     " in the AGMA factors: " + description);
        } catch (...) {
        }
    };
    try {
        commit();
    } catch (const runtime::RuntimeError& error) {
        report(error.number(), error.description());
        return;
    } catch (const std::bad_alloc&) {
        report(runtime::OutOfMemory, runtime::errorDescription(runtime::OutOfMemory));
        return;
    }
    navigator_->PushNextButton(direction);
}

bool AgmaFactorsStandIn::QueryUnload(bool byUser)
{
    if (!byUser)
        return false;
    CommitFactors(0);
    return true;
}

} // namespace cindrel::sequence
