#include "shell/AuxiliaryFields.h"

#include "shell/Startup.h"

#include "forms/Label.h"
#include "forms/TextBox.h"
#include "model/MMath.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <functional>
#include <string>
#include <utility>

namespace cindrel::shell {

namespace {

double numberOf(const QString& text) { return runtime::leadingNumber(text.toStdString()); }

QString format(double value, const char* pattern) { return QString::fromStdString(runtime::formatNumber(value, pattern)); }

forms::TextBox& box(forms::Form& main, const char* name, int index = -1)
{
    return main.get<forms::TextBox>(QString::fromLatin1(name), index);
}

forms::Label& label(forms::Form& main, const char* name, int index = -1)
{
    return main.get<forms::Label>(QString::fromLatin1(name), index);
}

// Packs an angle's three boxes into its hidden label when any of them is left,
// and unpacks the label into the boxes whenever its caption changes.
void bindPackedAngle(forms::Form& main, const char* boxes, const char* packedLabel,
                     QString (*pack)(const QString&, const QString&, const QString&))
{
    forms::Label& packed = label(main, packedLabel);
    for (int part = 0; part < 3; ++part) {
        box(main, boxes, part).onLostFocus.connect([&main, &packed, boxes, pack] {
            packed.setCaption(pack(box(main, boxes, 0).text(), box(main, boxes, 1).text(), box(main, boxes, 2).text()));
        });
    }
    packed.onChange.connect([&main, &packed, boxes] {
        const std::array<QString, 3> parts = unpackAngle(packed.caption());
        for (int part = 0; part < 3; ++part)
            box(main, boxes, part).setText(parts[static_cast<std::size_t>(part)]);
    });
}

// The suggestion under the other member's box; a failed computation leaves the label as it was.
void suggest(Startup& startup, forms::Form& main, int from)
{
    const QString text = box(main, "txtAddendumMod", from).text();
    model::T_Set* pair = startup.Oset();
    if (pair == nullptr)
        return;
    // Only a hint beside the boxes: a pair that cannot give it leaves the hint as it was.
    runtime::ignoringAnyException([&] {
        const double sum = pair->AddModCoeffSum(0);
        const int intExt = pair->IntExt();
        const std::optional<QString> suggestion = from == 0 ? suggestedGearCoefficient(sum, intExt, text)
                                                            : suggestedPinionCoefficient(sum, intExt, text);
        if (suggestion)
            label(main, "lblSuggestedAddMod", 1 - from).setCaption(*suggestion);
    });
}

// The held value (in inches) shown anew at `after` per inch, in the
// standard-hob button's pattern, when `typed` is how that button shows it at
// `before` per inch; none when it is not, or the value cannot be worked out.
std::optional<QString> reshownHeldValue(const std::string& typed, const std::function<double()>& held, double before,
                                        double after)
{
    std::optional<QString> shown;
    runtime::ignoringAnyException([&] {
        const double value = held();
        if (runtime::showsNumber(typed, before * value, "0.0000"))
            shown = format(after * value, "0.0000");
    });
    return shown;
}

} // namespace

QString packHelixAngle(const QString& degrees, const QString& minutes, const QString& seconds)
{
    const double packed = numberOf(degrees) * 10000 + numberOf(minutes) * 100 + numberOf(seconds);
    return QString::fromStdString(runtime::numberText(packed));
}

QString packPressureAngle(const QString& degrees, const QString& minutes, const QString& seconds)
{
    return format(numberOf(degrees), "00") + format(numberOf(minutes), "00") + format(numberOf(seconds), "00");
}

std::array<QString, 3> unpackAngle(const QString& packed)
{
    QString digits;
    try {
        digits = format(numberOf(packed), "000000").left(6);
    } catch (const runtime::RuntimeError&) {
        // A number beyond the double range: nothing to unpack.
    }
    return {digits.mid(0, 2), digits.mid(2, 2), digits.mid(4, 2)};
}

std::optional<QString> complementPercentage(const QString& text)
{
    if (!runtime::isNumeric(text.toStdString()))
        return std::nullopt;
    return QString::fromStdString(runtime::numberText(100 - runtime::toNumber(text.toStdString())));
}

std::optional<QString> suggestedGearCoefficient(double sum, int intExt, const QString& pinionText)
{
    if (!runtime::isNumeric(pinionText.toStdString()))
        return std::nullopt;
    return format(sum - runtime::toNumber(pinionText.toStdString()) * intExt, "#.####");
}

std::optional<QString> suggestedPinionCoefficient(double sum, int intExt, const QString& gearText)
{
    if (intExt == 0 || !runtime::isNumeric(gearText.toStdString()))
        return std::nullopt;
    return format((sum - runtime::toNumber(gearText.toStdString())) / intExt, "#.####");
}

void cmdDefaultHob_Click(Startup& startup, forms::Form& main, int h)
{
    model::T_Set* pair = startup.Oset();
    if (pair == nullptr)
        return;
    const UnitSystem& units = startup.units();
    double scale = 1;
    if (numberOf(label(main, "lblHobNormalVsActual", h).caption()) == 0) {
        scale = pair->Pd_n() == 0 ? 1 : pair->Pd_n();
        if (units.MetricUnits)
            scale /= 25.4;
    }
    model::T_Hob& hob = *(h == 0 ? pair->oPinion : pair->oGear)->oHob;
    if (startup.gobjStateNavigator() != nullptr)
        startup.gobjStateNavigator()->LetTTKandTTProps();
    hob.SetDefaultHob(1);
    const double length = units.LengthFactor * scale;
    box(main, "txtHobEdgeRad", h).setText(format(length * hob.TipRadius(), "0.0000"));
    box(main, "txtHobAddendum", h).setText(format(length * hob.Addendum(), "0.0000"));
    box(main, "txtHobPA", h).setText(format(model::MMath::Rad2Deg(hob.PhiHob()), "0.0000"));
    box(main, "txtHobTThk", h).setText(format(length * hob.HobTTk(), "0.0000"));
    box(main, "txtHobProtuberance", h).setText(QStringLiteral("0"));
    box(main, "txtRackShift", h).setText(format(length * hob.RackShift(true), "0.0000"));
}

void convertHobDimensions(Startup& startup, forms::Form& main, int h, bool toNormalised)
{
    model::T_Set* pair = startup.Oset();
    if (pair == nullptr)
        return;
    double scale = pair->Pd_n();
    if (startup.units().MetricUnits)
        scale /= 25.4;
    if (!std::isfinite(scale) || scale <= 0)
        return;
    const double factor = toNormalised ? scale : 1 / scale;
    // What one inch of the hob shows as, before and after the switch, as the standard-hob button writes it.
    const double lengthFactor = startup.units().LengthFactor;
    const double before = lengthFactor * (toNormalised ? 1 : scale);
    const double after = lengthFactor * (toNormalised ? scale : 1);
    const model::T_Hob& hob = *pair->member(h).oHob;
    const std::pair<const char*, std::function<double()>> dimensions[] = {
        {"txtHobAddendum", [&] { return hob.Addendum(); }},
        {"txtHobEdgeRad", [&] { return hob.TipRadius(); }},
        {"txtHobTThk", [&] { return hob.HobTTk(); }},
        {"txtHobProtuberance", [&] { return hob.Protuberance(); }},
        {"txtRackShift", [&] { return hob.RackShift(true); }}};
    for (const auto& [name, held] : dimensions) {
        forms::TextBox& dimension = box(main, name, h);
        const std::string typed = dimension.text().trimmed().toStdString();
        // A box the user left as the program wrote it converts the value it was
        // written from, not its four rounded decimals.
        if (const std::optional<QString> shown = reshownHeldValue(typed, held, before, after)) {
            dimension.setText(*shown);
            continue;
        }
        if (!runtime::isNumeric(typed))
            continue;
        const double converted = runtime::toNumber(typed) * factor;
        if (std::isfinite(converted))
            dimension.setText(QString::fromStdString(runtime::numberText(converted)));
    }
}

void cmdResetAGMAfactors_Click(forms::Form& main)
{
    const QString typed = QStringLiteral("1.0*");
    const QString plain = QStringLiteral("1.0");
    box(main, "txtKm").setText(typed);
    for (const char* name : {"txtKo", "txtKr", "txtKs", "txtKt"})
        box(main, name).setText(plain);
    box(main, "txtKv").setText(typed);
    box(main, "txtCf").setText(plain);
    box(main, "txtCh").setText(typed);
    for (int member : {0, 1}) {
        box(main, "txtKB", member).setText(typed);
        box(main, "txtSf", member).setText(plain);
        box(main, "txtSh", member).setText(plain);
        box(main, "txtYn", member).setText(typed);
        box(main, "txtZn", member).setText(typed);
    }
}

void connectAuxiliaryFields(Startup& startup, forms::Form& main)
{
    bindPackedAngle(main, "txtHelixAngleDMS", "lblHelixAngleDMS", packHelixAngle);
    bindPackedAngle(main, "txtPADMS", "lblPADMS", packPressureAngle);
    for (int i : {0, 1}) {
        box(main, "txtTThkPercentage", i).onLostFocus.connect([&main, i] {
            if (const std::optional<QString> other = complementPercentage(box(main, "txtTThkPercentage", i).text()))
                box(main, "txtTThkPercentage", 1 - i).setText(*other);
        });
        box(main, "txtAddendumMod", i).onLostFocus.connect([&startup, &main, i] { suggest(startup, main, i); });
        // A click on a suggestion recomputes it from the other member's box.
        label(main, "lblSuggestedAddMod", i).onClick.connect([&startup, &main, i] { suggest(startup, main, 1 - i); });
        main.get<forms::Control>(QStringLiteral("cmdDefaultHob"), i).onClick.connect([&startup, &main, i] {
            cmdDefaultHob_Click(startup, main, i);
        });
    }
    main.get<forms::Control>(QStringLiteral("cmdResetAGMAfactors")).onClick.connect([&main] { cmdResetAGMAfactors_Click(main); });
}

} // namespace cindrel::shell
