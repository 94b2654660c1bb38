#include "model/T_Gear.h"

#include "model/Flags.h"
#include "model/MMath.h"
#include "model/ModelShell.h"
#include "model/T_Set.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberFormat.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"
#include "runtime/SequentialFile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <sstream>

// Measurement over pins and span. Geometry in inch and radians; the pin
// diameters that cross the interface are in display units.

namespace cindrel::model {

namespace {

using runtime::divide;

double inv(double angle) { return MMath::InvFunction(angle); }

double roundToPlaces(double value, int places) {
    const double scale = std::pow(10.0, places);
    return runtime::checkFinite(runtime::roundHalfEven(runtime::checkFinite(value * scale)) / scale);
}

std::string limitName(std::int32_t MinMax) { return MinMax == 1 ? "Max" : "Min"; }

// ---- pin list file ----

[[noreturn]] void badPinLine(int number, int line, const std::string& fileName) {
    runtime::raise(number, runtime::errorDescription(number) + " in line " + std::to_string(line) + " of " +
                               fileName + ": a pin diameter is a number above 0");
}

float pinDiameter(const std::string& item, int line, const std::string& fileName) {
    if (!runtime::isNumeric(item))
        badPinLine(runtime::TypeMismatch, line, fileName);
    const double value = runtime::toNumber(item);
    if (std::fabs(value) > std::numeric_limits<float>::max())
        badPinLine(runtime::Overflow, line, fileName);
    const auto single = static_cast<float>(value);
    // A pin of 0 or less would pass every fit check and be offered as tested.
    if (!(single > 0.0f))
        badPinLine(runtime::TypeMismatch, line, fileName);
    return single;
}

// Two header lines, then diameters separated by line ends or commas, in
// double quotes or not. Blank lines and empty items carry no pin and are
// passed over.
std::vector<float> readPinList(std::istream& in, const std::string& fileName) {
    runtime::RecordReader lines(in);
    lines.readLine();
    lines.readLine();
    std::vector<float> pins;
    for (int line = 3; !lines.atEnd(); ++line) {
        std::istringstream text(lines.readLine());
        runtime::RecordReader items(text);
        while (!items.atEnd()) {
            const std::string item = items.readText();
            if (!item.empty())
                pins.push_back(pinDiameter(item, line, fileName));
        }
    }
    return pins;
}

// A list pin as the decimal the file gave (0.1728, not the single's
// 0.172800004482269), so that texts and comparisons show what was written.
double pinValue(float pin) { return runtime::toNumber(runtime::singleText(pin)); }

// The searches look at every pin, so a list out of order still yields the
// nearest pin in the wanted direction.
double smallestPinAbove(const std::vector<float>& pins, double current) {
    double found = 0.0;
    for (const float pin : pins) {
        const double value = pinValue(pin);
        if (value > current && (found == 0.0 || value < found))
            found = value;
    }
    return found;
}

double largestPinBelow(const std::vector<float>& pins, double current) {
    double found = 0.0;
    bool any = false;
    for (const float pin : pins) {
        const double value = pinValue(pin);
        if (value < current && (!any || value > found)) {
            found = value;
            any = true;
        }
    }
    return found;
}

// ---- span ----

// The transverse roll length from the base circle to a diameter, sqrt(D² − Db²);
// none when the diameter lies inside the base circle.
std::optional<double> rollLength(double diameter, double baseDiameter) {
    const double squares = runtime::checkFinite(diameter * diameter - baseDiameter * baseDiameter);
    if (squares < 0.0)
        return std::nullopt;
    return runtime::squareRoot(squares);
}

} // namespace

// ---- pins ----

double T_Gear::PinFirstGuess(bool SimpleGuess) const {
    const double e = IntExt;
    double pin = 0.0;
    if (SimpleGuess) {
        pin = divide(IntExt == 1 ? 1.728 : 1.44, pair_.pd());
    } else {
        const double Db = 2.0 * Rb();
        // Halfway between root and tip, moved out past the base circle in
        // steps of 0.0001 in. The steps are counted rather than walked, so
        // that a root far inside the base circle costs no time.
        constexpr double step = 0.0001;
        double Dm = RR(1) + Ro(True, 1, 0);
        if (Db >= Dm)
            Dm += (std::floor((Db - Dm) / step) + 1.0) * step;
        if (Db >= Dm)
            Dm = std::nextafter(Db, std::numeric_limits<double>::infinity());
        const double phiM = MMath::ArcCos(divide(Db, Dm));
        const double toothAtDm = Dm * (divide(TTK_b(0), Db) - e * inv(phiM));
        const double spaceAtDm = MMath::Pi * divide(Dm, N()) - toothAtDm;
        const double halfSpaceAngle = divide(spaceAtDm, Dm);
        // The pin centre lies on the space's centre line, half a space angle
        // from the contact point: outward of it on an external gear, inward
        // on an internal one.
        pin = runtime::checkFinite(std::cos(pair_.Psi_b()) * Dm * std::sin(halfSpaceAngle) /
                                   std::cos(phiM + e * halfSpaceAngle));
    }
    return runtime::checkFinite(roundToPlaces(pin, 4) * shell_.LengthFactor());
}

std::vector<float> T_Gear::PinList(bool& succeeded, bool RenewList) {
    const double lengthFactor = shell_.LengthFactor();
    // Another unit system reads the other file: the list at hand no longer applies.
    if (lengthFactor != PinListLengthFactor)
        PinListCache.clear();
    PinListLengthFactor = lengthFactor;
    if (!RenewList && PinListCache.size() > 1 && PinListCache[1] != 0.0f) {
        succeeded = true;
        return PinListCache;
    }

    const std::string fileName = lengthFactor == 1.0 ? "PinsE.dat" : "PinsM.dat";
    const std::string folder = shell_.programFolder();
    // The stream closes when it goes out of scope, also when a line fails.
    const std::unique_ptr<std::istream> file =
        shell_.openInputFile(folder.empty() ? fileName : folder + "/" + fileName);
    succeeded = file != nullptr;
    if (!file)
        return {};
    // Read whole before it replaces the cache: a bad line leaves the last
    // good list, not half of a new one.
    std::vector<float> pins = readPinList(*file, fileName);
    if (!pins.empty())
        PinListCache = std::move(pins);
    return PinListCache;
}

double T_Gear::PinDiameterFromList(double& CurrentPin, std::int32_t PinFit) {
    if (NoPinList)
        return 0.0;
    bool listOpened = false;
    const std::vector<float> pins = PinList(listOpened, shell_.UpDatePinListEveryTime());
    if (!listOpened) {
        NoPinList = true;
        return PinFirstGuess(false);
    }
    if (CurrentPin == 0.0)
        CurrentPin = PinFirstGuess(false);
    if (PinFit == -1)
        return largestPinBelow(pins, CurrentPin);
    if (PinFit == 1)
        return smallestPinAbove(pins, CurrentPin);
    return 0.0;
}

double T_Gear::PinDiamTested() {
    // Back to 0 however the search ends, a raised error included, so that the
    // next search has all its measurements.
    auto reset = runtime::onScopeExit([this] { PinTries = 0; });

    double start = 0.0;
    double pin = PinDiameterFromList(start, 1);
    std::int32_t fit = 0;
    do {
        std::string discarded;
        PinMeasure(pin, discarded, {}, 0, fit);
        if (fit != 0) {
            double current = pin;
            pin = PinDiameterFromList(current, fit);
        }
        ++PinTries;
    } while (PinTries <= 16 && fit != 0);

    // Only a list pin that was measured and fits is a tested pin; a search
    // that ran out of measurements holds an unmeasured candidate.
    if (fit != 0 || NoPinList)
        return roundToPlaces(PinFirstGuess(false), 3);
    return pin;
}

double T_Gear::PinMeasure(double PinDiam, std::string& ErrMess, const std::string& /*PinMess*/,
                          std::int32_t MinMax, std::int32_t& PinFit) {
    const std::string limit = limitName(MinMax);
    const std::string name = Name();
    if (PinDiam == 0.0) {
        PinFit = 1;
        ErrMess += "\r\nPinDiameterFromList = 0, error in PinMeasure of " + name + limit;
        return 0.0;
    }
    const double d = divide(PinDiam, shell_.LengthFactor());
    PinFit = 0;

    const double e = IntExt;
    const double Db = 2.0 * Rb();
    const double cosPsiB = std::cos(pair_.Psi_b());
    // The pin's width across the transverse plane.
    const double transversePin = divide(d, cosPsiB);
    const double phiC = MMath::InverseInvolute(
        runtime::checkFinite(e * (divide(transversePin, Db) + divide(TTK_b(MinMax), Db) - divide(MMath::Pi, N()))));
    if (phiC == 0.0) {
        PinFit = 1;
        ErrMess += "\r\nPhi(Pin) = 0, error in PinMeasure of " + name + limit;
        return 0.0;
    }
    const double Rc = divide(Db, 2.0 * std::cos(phiC));
    // The contact point lies on the base tangent through the pin centre, half
    // a pin from it: toward the tangent point on an external gear, away from
    // it on an internal one.
    const double Rbase = Db / 2.0;
    const double rollToContact = runtime::checkFinite(Rbase * std::tan(phiC) - e * transversePin / 2.0);
    const double contactRadius = std::hypot(Rbase, rollToContact);
    ErrMess = "Pin " + runtime::numberText(d) + " contact radius =" + runtime::formatNumber(contactRadius, "0.0000");

    const auto nextPin = [&](std::int32_t direction) {
        double current = PinDiam;
        return runtime::formatNumber(PinDiameterFromList(current, direction), "0.0000");
    };
    const auto advice = [&](const std::string& problem, const std::string& next, const std::string& which) {
        ErrMess += "\r\n" + problem + next + " (next " + which + " pin, " + limit + " tooth thickness on " + name + ")";
    };

    const double root = RR(1);
    if (root != 0.0) {
        const bool interferes = IntExt == -1 ? Rc + d / 2.0 > root : Rc - d / 2.0 < root;
        if (interferes) {
            PinFit = 1;
            advice("this Pin interferes with Root of tooth, try; ", nextPin(1), "bigger");
        }
    }
    const double tipLessEdgeBreak = Ro(True, 1, 0);
    if (tipLessEdgeBreak != 0.0) {
        const double contactRise = d / 2.0 * std::sin(phiC);
        const bool tooBig = IntExt == -1 ? Rc + contactRise < tipLessEdgeBreak : Rc - contactRise > tipLessEdgeBreak;
        if (tooBig) {
            PinFit = -1;
            advice("this Pin too big to fit in tooth, try; ", nextPin(-1), "smaller");
        }
        const double tip = Ro(0, 1, 0);
        const bool sunk = IntExt == -1 ? Rc - d / 2.0 > tip : Rc + d / 2.0 < tip;
        if (sunk) {
            PinFit = 1;
            advice("this Pin won't protrude past addendum, try; ", nextPin(1), "bigger");
        }
    }

    // With an odd count the two pins do not lie on one diameter.
    if (MMath::IsEven(N()))
        return runtime::checkFinite(2.0 * (Rc + e * d / 2.0));
    return runtime::checkFinite(2.0 * Rc * std::cos(divide(MMath::Pi, 2.0 * N())) + e * d);
}

// ---- span ----

// The number of teeth whose span touches the flanks at a diameter: the span
// over n teeth, measured normal to the flanks, touches at D where
// D² = Db² + (W cos ψb)². The count may be fractional; none inside the base circle.
std::optional<double> T_Gear::spanTeethTouchingAt(double diameter) const {
    const std::optional<double> roll = rollLength(diameter, 2.0 * Rb());
    if (!roll)
        return std::nullopt;
    const double e = IntExt == -1 ? -1.0 : 1.0;
    const double normalSpan = divide(*roll, std::cos(pair_.Psi_b()));
    return runtime::checkFinite(e + divide(normalSpan - e * TTK_bn(0), pair_.PN()));
}

std::int16_t T_Gear::SpanMeasNumbTeethMin() const {
    // Fewer teeth than this touch below the root (external) or inside the
    // tip circle (internal): the smallest count beyond that diameter.
    const double diameter = IntExt == -1 ? 2.0 * Ro(True, 1, 0) : 2.0 * RR(1);
    const std::optional<double> teeth = spanTeethTouchingAt(diameter);
    if (!teeth)
        return 0;
    return runtime::toInt16(runtime::intPart(*teeth + 1.0));
}

std::int16_t T_Gear::SpanMeasNumbTeethMax() const {
    const double diameter = IntExt == -1 ? 2.0 * RR(1) : 2.0 * Ro(True, 1, 0);
    const std::optional<double> teeth = spanTeethTouchingAt(diameter);
    if (!teeth)
        return 0;
    // No span covers more than N / 2.5 teeth; a count beyond it is held to it.
    const double cap = runtime::intPart(N() / 2.5);
    return runtime::toInt16(std::min(runtime::intPart(*teeth), cap));
}

std::int16_t T_Gear::SpanMeasNumbTeethBest() const {
    const std::optional<double> teeth = spanTeethTouchingAt(Ro(True, 1, 0) + RR(1));
    if (!teeth)
        return 0;
    return runtime::toInt16(runtime::roundHalfEven(*teeth));
}

double T_Gear::SpanMeasurement(std::int16_t NumberOfTeeth, std::string& ErrStr, std::int32_t MinMax) const {
    const std::string limit = limitName(MinMax);
    const std::string name = Name();
    const std::int16_t most = SpanMeasNumbTeethMax();
    if (NumberOfTeeth > most)
        ErrStr += "\r\n" + shell_.messageText(4212) + " (" + std::to_string(most) + " teeth max.) for the " + name + limit;
    const std::int16_t fewest = SpanMeasNumbTeethMin();
    if (NumberOfTeeth < fewest)
        ErrStr += "\r\n" + shell_.messageText(4211) + " (" + std::to_string(fewest) + " teeth min.) for the " + name + limit;
    if (NumberOfTeeth == 0)
        return 0.0;

    const double e = IntExt;
    const double span = runtime::checkFinite(((NumberOfTeeth - e) * pair_.PB() + e * TTK_b(MinMax)) *
                                             std::cos(pair_.Psi_b()));
    const double helix = pair_.Psi();
    if (helix != 0.0 && span * std::sin(helix) > GearFace())
        ErrStr += "\r\n" + shell_.messageText(4210) + ", " + name + limit;
    return span;
}

} // namespace cindrel::model
