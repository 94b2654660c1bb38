#include "geometry/clsGear.h"

#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <string>

namespace vantrope {

namespace MMath = cindrel::model::MMath;
using runtime::checkFinite;
using runtime::divide;
using runtime::squareRoot;
using runtime::tangent;

namespace {

constexpr double Pi = MMath::Pi;
constexpr double TwoPi = 6.28318530717958;

// Largest point set a generator makes: a count read from elsewhere never
// decides how much memory a redraw takes.
constexpr std::int32_t MaximumRows = 100000;

double hypotenuse(double x, double y)
{
    return squareRoot(x * x + y * y);
}

void logError(ElementServices& services, std::string_view module, std::string_view routine,
              const runtime::RuntimeError& error, std::string_view extra)
{
    const auto [number, description] = runtime::errorTextOf(error);
    services.log.reportError(module, routine, std::to_string(number), description, extra);
}

// Rejects an input that no element can be built from.
void require(bool condition)
{
    if (!condition)
        runtime::raise(runtime::InvalidProcedureCall);
}

} // namespace

double LawOfCosinesAngle(double a, double b, double c)
{
    if (b * c == 0.0)
        return 0.0;
    return MMath::ArcCos(divide(b * b + c * c - a * a, 2.0 * b * c));
}

clsGear::clsGear(ElementServices& services) : services_(services)
{
    services_.trace.write("clsGear_Initialize");
}

PointArray clsGear::rowsOf(std::int32_t rows)
{
    if (rows < 1 || rows > MaximumRows)
        runtime::raise(runtime::SubscriptOutOfRange);
    return PointArray(static_cast<std::size_t>(rows), {0.0, 0.0});
}

void clsGear::SetRotation(double angle)
{
    checkFinite(angle);
    RotMatrix_[0] = std::cos(angle);
    RotMatrix_[1] = -std::sin(angle);
    RotMatrix_[2] = std::sin(angle);
    RotMatrix_[3] = std::cos(angle);
}

void clsGear::RotatePoint(double X, double Y, double& outX, double& outY) const
{
    outX = RotMatrix_[0] * X + RotMatrix_[2] * Y;
    outY = RotMatrix_[1] * X + RotMatrix_[3] * Y;
}

void clsGear::GetMain(DrawDevice* Device, clsGear* MatingCutters, std::int32_t GearName, clsGear* MatingGears)
{
    if (!MatingCutters_)
        MatingCutters_ = MatingCutters;
    Device_ = Device;
    Name = GearName;
    MatingGears_ = MatingGears;
}

std::int32_t clsGear::GetSetGeom(double MidX, double MidY, double ScaleFactor, double GearOffset,
                                 const double& ScreenOffsetX, const double& ScreenOffsetY)
{
    try {
        MidX_ = checkFinite(MidX);
        MidY_ = checkFinite(MidY);
        ScaleFactor_ = checkFinite(ScaleFactor);
        GearOffset_ = checkFinite(GearOffset);
        AccumulatedAngle = GearOffset;
        ScreenOffsetX_ = checkFinite(ScreenOffsetX);
        ScreenOffsetY_ = checkFinite(ScreenOffsetY);
        return 1;
    } catch (const runtime::RuntimeError& error) {
        logError(services_, "clsGear", "fn GetSet", error, "passing gear middle and set variables");
        return 0;
    }
}

std::int32_t clsGear::Inputs(std::int32_t Number, double TransPressureAngle, double ToothTHK,
                             std::int16_t InternalOrExt, double DCOFactor, double Addendum, double WholeDepth,
                             double EdgeBreak, double Protuberance, bool FRR, std::int32_t mMeshIndex,
                             double DCStandard)
{
    N = Number;
    if (Number == 0)
        return 0;
    try {
        // Inputs no outline can be drawn from are refused before anything is
        // kept, so the element never holds a mix of old and new values.
        for (double value : {TransPressureAngle, ToothTHK, DCOFactor, Addendum, WholeDepth, EdgeBreak, Protuberance,
                             DCStandard})
            checkFinite(value);
        require(Number > 0);
        require(InternalOrExt == 1 || InternalOrExt == -1);
        require(TransPressureAngle > 0.0 && TransPressureAngle < MMath::HalfPi);
        require(ToothTHK > 0.0 && ToothTHK < 1.0);
        require(DCOFactor >= 0.0);
        require(Addendum >= 0.0 && WholeDepth > Addendum);
        require(EdgeBreak >= 0.0 && EdgeBreak < WholeDepth);
        require(Protuberance >= 0.0);
        const double s = InternalOrExt;
        const double pitchRadius = Number / 2.0;
        require(pitchRadius + s * (Addendum - WholeDepth) > 0.0 && pitchRadius + s * Addendum > 0.0);

        mMeshIndex_ = mMeshIndex;
        InternalOrExt_ = InternalOrExt;
        FRR_ = FRR;
        TransPressureAngle_ = TransPressureAngle;
        Rp_ = pitchRadius;
        Rb = Rp_ * std::cos(TransPressureAngle);
        EdgeBreak_ = EdgeBreak;
        R_tip = Rp_ + s * Addendum;
        R_root_ = Rp_ + s * (Addendum - WholeDepth);
        AngularPitch_ = TwoPi / Number;
        Protube = Protuberance;
        R_Egb = Rp_ + s * (Addendum - EdgeBreak);
        DCStandard_ = DCStandard;
        DCO = DCOFactor;
        RP_o = DCOFactor * Rp_;
        if (DCOFactor == 0.0) {
            Phio_ = TransPressureAngle;
        } else {
            double c = std::cos(TransPressureAngle) / DCOFactor;
            Phio_ = c <= 1.0 ? MMath::ArcCos(c) : 0.0;
        }
        if (!FRR && mMeshIndex != 0 && mMeshIndex != 2)
            return 1;
        const double p = AngularPitch_;
        if (isTool()) {
            double psi = ToothTHK * p / 2.0;
            OperatingHalfTooth_ = psi + MMath::InvFunction(TransPressureAngle) - MMath::InvFunction(Phio_);
            TTKin = 2.0 * OperatingHalfTooth_ / p;
        } else {
            TTKin = ToothTHK;
            double t = ToothTHK;
            if (!FRR) {
                if (!MatingCutters_)
                    runtime::raise(runtime::ObjectVariableNotSet);
                t = 1.0 - MatingCutters_->TTKin;
            }
            OperatingHalfTooth_ = t * p / 2.0;
        }
        BaseHalfTooth_ = OperatingHalfTooth_ + s * MMath::InvFunction(Phio_);
        BaseHalfSpace_ = p / 2.0 - BaseHalfTooth_;
        return 1;
    } catch (const runtime::RuntimeError& error) {
        N = 0;
        logError(services_, "clsGear", "Inputs", error, std::to_string(Name));
        return 0;
    }
}

void clsGear::DrawTeeth()
{
    double phiTop = 0.0;
    double phiBottom = 0.0;
    if (!FRR_) {
        EdgeBreakPoints(phiTop);
        TrochoidalPoints(phiBottom);
    } else if (isTool()) {
        FullRootRadiusPoints(phiBottom);
        ToolTipRadius(phiTop);
    } else {
        FullRootRadiusPoints(phiBottom);
        EdgeBreakPoints(phiTop);
    }
    InvolutePoints(tangent(phiTop), tangent(phiBottom));
    PointsAllString();
    AssembleTeeth();
}

void clsGear::InvolutePoints(double RollTop, double RollBottom)
{
    const std::int32_t count = services_.run.IncrementsInvolute;
    FlankPoints_ = rowsOf(count);
    SetRotation(InternalOrExt_ * BaseHalfTooth_);
    R_Tangent_ = divide(Rb, std::cos(std::atan(RollBottom)));
    double step = divide(RollTop - RollBottom, count - 1.0);
    for (std::int32_t i = 0; i < count; ++i) {
        double t = RollBottom + i * step;
        double x = Rb * (std::cos(t) + t * std::sin(t));
        double y = Rb * (std::sin(t) - t * std::cos(t));
        auto& row = FlankPoints_[static_cast<std::size_t>(i)];
        RotatePoint(x, y, row[0], row[1]);
    }
}

void clsGear::EdgeBreakPoints(double& PhiTop)
{
    if (N == 0)
        return;
    const double s = InternalOrExt_;
    const double e = EdgeBreak_;
    const double phiE = MMath::ArcCos(divide(Rb, R_Egb));
    PhiTop = phiE;
    const double beta = MMath::HalfPi - phiE;
    double rho = divide(e, 1.0 - std::cos(beta));
    double delta = 0.0;
    for (long rounds = 1;; ++rounds) {
        double previous = rho;
        delta = divide(rho * std::sin(beta), R_Egb - s * rho * std::cos(beta));
        double gamma = s * delta + beta;
        rho = divide(e, 1.0 - std::cos(gamma));
        if (std::fabs(previous - rho) < 1e-12 || rounds > 100000)
            break;
    }
    const double t = std::tan(phiE);
    const double cx = (t * Rb - s * rho) * std::sin(t) + Rb * std::cos(t);
    const double cy = Rb * std::sin(t) - (t * Rb - s * rho) * std::cos(t);
    const double psiB = BaseHalfTooth_;
    SetRotation(s * psiB);
    double mx = 0.0;
    double my = 0.0;
    RotatePoint(cx, cy, mx, my);

    if (!EGB1)
        EGB1 = std::make_unique<clsArc>();
    clsArc& a1 = *EGB1;
    a1.Radius = rho;
    // The arc's ends as seen from its centre: toward the element centre's ray
    // at the tip side, and back along the flank normal. An internal tooth's
    // arc sits on the other side of the x axis (turned by -ψb) with its tip
    // toward the element centre, so ψb and δ change sign with s there; for an
    // external tooth these are the plain tip and flank directions.
    a1.StartAngle = (s - 1.0) * MMath::HalfPi + MMath::InvFunction(phiE) + s * (delta - psiB);
    a1.EndAngle = t - s * psiB - s * MMath::HalfPi;
    a1.MidX = mx;
    a1.MidY = my;
    a1.EndPointX = mx + rho * std::cos(a1.EndAngle);
    a1.EndPointY = my + rho * std::sin(a1.EndAngle);
    a1.StartPointX = mx + rho * std::cos(a1.StartAngle);
    a1.StartPointY = my + rho * std::sin(a1.StartAngle);

    if (!EGB2)
        EGB2 = std::make_unique<clsArc>();
    clsArc& a2 = *EGB2;
    a2.MidX = mx;
    a2.MidY = -my;
    a2.Radius = rho;
    a2.StartAngle = -a1.EndAngle;
    a2.EndAngle = -a1.StartAngle;
    a2.EndPointX = a2.MidX + rho * std::cos(a2.EndAngle);
    a2.EndPointY = a2.MidY + rho * std::sin(a2.EndAngle);
    a2.StartPointX = a2.MidX + rho * std::cos(a2.StartAngle);
    a2.StartPointY = a2.MidY + rho * std::sin(a2.StartAngle);

    const clsArc& used = s < 0 ? a2 : a1;
    if (e == 0.0) {
        EdgePoints_ = {{used.MidX, used.MidY}};
        return;
    }
    const std::int32_t count = services_.run.IncrementsEdge;
    EdgePoints_ = rowsOf(count);
    // Both walks run from the flank end toward the tip end, stopping one step
    // short; the internal one goes the short way round from the mirrored
    // arc's flank end.
    double span = s > 0 ? used.StartAngle - used.EndAngle : used.EndAngle - used.StartAngle;
    if (s < 0)
        span = std::remainder(span, 2.0 * Pi);
    double step = divide(span, count);
    for (std::int32_t i = 0; i < count; ++i) {
        double angle = s > 0 ? used.EndAngle + i * step : used.StartAngle + i * step;
        EdgePoints_[static_cast<std::size_t>(i)] = {checkFinite(used.MidX + used.Radius * std::cos(angle)),
                                                    checkFinite(used.MidY + used.Radius * std::sin(angle))};
    }
}

void clsGear::PointsAllString()
{
    try {
        const double s = InternalOrExt_;
        PointArray outline;
        outline.reserve(2 * (RootPoints_.size() + FlankPoints_.size() + EdgePoints_.size()));
        for (const auto& row : RootPoints_)
            outline.push_back(row);
        for (const auto& row : FlankPoints_)
            outline.push_back({row[0], s * row[1]});
        for (const auto& row : EdgePoints_)
            outline.push_back(row);
        for (std::size_t i = outline.size(); i-- > 0;)
            outline.push_back({outline[i][0], -outline[i][1]});
        ToothPoints_ = std::move(outline);
    } catch (const std::bad_alloc&) {
        runtime::reportError(services_.log, "clsGear", "PointsAllString", std::current_exception());
    }
}

void clsGear::FullRootRadiusPoints(double& PhiBottom)
{
    const double s = InternalOrExt_;
    const double etaB = BaseHalfSpace_;
    const double psiB = BaseHalfTooth_;
    const double T = std::tan(etaB) * Rb;
    const double D = squareRoot(Rb * Rb + T * T) - T;
    double c = 0.0;
    double r = 0.0;
    double A = 0.0;
    if (!(D < R_root_)) {
        c = divide(R_root_, 1.0 - std::sin(etaB));
        r = c * std::sin(etaB);
        A = etaB;
    } else {
        double rj = RP_o + 0.1;
        double err = 0.0;
        double phiJ = 0.0;
        // One round of the search for the radius where the fillet meets the flank.
        auto round = [&](double radius) {
            phiJ = MMath::ArcCos(divide(Rb, radius));
            A = std::tan(phiJ) + s * etaB;
            c = divide(Rb, std::cos(A));
            r = s * Rb * (tangent(A) - std::tan(phiJ));
            return c - s * r - R_root_;
        };
        int count = 0;
        do {
            ++count;
            rj -= err;
            err = round(rj);
        } while (count < 50 && std::fabs(err) > 1e-8);
        if (count >= 50 && std::fabs(err) > 1e-8) {
            // The fixed-point search did not settle: scan outward from the
            // base circle for the radius of least error. The scan is bounded
            // so a fillet that never meets the flank cannot hang the program.
            double previous = 1000.0;
            double k = 0.0;
            for (long steps = 0; steps < 1000000; ++steps) {
                k += 0.0001;
                double next = round(Rb + k);
                if (!(std::fabs(next) < std::fabs(previous)))
                    break;
                previous = next;
            }
            rj = Rb + k - 0.0001;
            round(rj);
        }
        PhiBottom = phiJ;
    }
    checkFinite(c);
    checkFinite(r);

    if (!RootArc_)
        RootArc_ = std::make_unique<clsArc>();
    clsArc& arc = *RootArc_;
    arc.Radius = r;
    arc.MidX = c;
    arc.MidY = 0.0;
    arc.StartAngle = s > 0 ? Pi : MMath::HalfPi - A;
    arc.EndAngle = s > 0 ? MMath::HalfPi + A : 0.0;
    arc.EndPointX = c - s * r * std::sin(A);
    arc.EndPointY = r * std::cos(A);
    arc.StartPointX = c - s * r;
    arc.StartPointY = 0.0;

    const double turn = psiB + etaB;
    SetRotation(turn);
    arc.StartAngle -= turn;
    arc.EndAngle -= turn;
    RotatePoint(arc.MidX, arc.MidY, arc.MidX, arc.MidY);
    double x = 0.0;
    double y = 0.0;
    RotatePoint(arc.EndPointX, arc.EndPointY, x, y);
    arc.EndPointX = x;
    arc.EndPointY = y;
    RotatePoint(arc.StartPointX, arc.StartPointY, x, y);
    arc.StartPointX = x;
    arc.StartPointY = y;

    const std::int32_t count = services_.run.IncrementsRoot;
    RootPoints_ = rowsOf(count);
    double step = divide(s * (arc.EndAngle - arc.StartAngle), count - 1.0);
    for (std::int32_t i = 0; i < count; ++i) {
        double angle = (s > 0 ? arc.StartAngle : arc.EndAngle) + i * step;
        RootPoints_[static_cast<std::size_t>(i)] = {arc.MidX + arc.Radius * std::cos(angle),
                                                    arc.MidY + arc.Radius * std::sin(angle)};
    }
}

void clsGear::debugMark(double x, double y, double radius, std::int32_t color)
{
    if (!services_.run.DebugMode || !Device_)
        return;
    services_.draw.DrawPenCircle(*Device_, MidX_ + x * ScaleFactor_, MidY_ + y * ScaleFactor_, radius, color,
                                 services_.settings.pens());
}

void clsGear::ToolTipRadius(double& PhiTop)
{
    try {
        const double s = InternalOrExt_;
        const double e = EdgeBreak_;
        const double pr = Protube;
        const double psiB = BaseHalfTooth_;
        if (!EGB1)
            EGB1 = std::make_unique<clsArc>();
        clsArc& a1 = *EGB1;
        a1.Name = "EGB1";

        const double phi1 = MMath::ArcCos(divide(Rb, R_tip - e));
        const double t = std::tan(phi1);
        const double px = Rb * (std::cos(t) + t * std::sin(t));
        const double py = Rb * (std::sin(t) - t * std::cos(t));
        SetRotation(divide(pr - e, Rb) + psiB);
        a1.Radius = e;
        RotatePoint(px, py, a1.MidX, a1.MidY);
        double qx = 0.0;
        double qy = 0.0;
        RotatePoint(Rb * std::cos(t) + (t * Rb + e) * std::sin(t), Rb * std::sin(t) - (t * Rb + e) * std::cos(t), qx,
                    qy);
        debugMark(a1.MidX, a1.MidY, 4, 0xFF0000);

        const double toTip = divide(R_tip, R_tip - e);
        a1.StartPointX = toTip * a1.MidX;
        a1.StartPointY = toTip * a1.MidY;
        a1.StartAngle = MMath::Atan2(a1.StartPointY - a1.MidY, a1.StartPointX - a1.MidX);
        debugMark(a1.StartPointX, a1.StartPointY, 8, 0x00FF00);

        const double L = hypotenuse(a1.MidX, a1.MidY);
        SetRotation(divide(e, L));
        RotatePoint(a1.MidX, a1.MidY, a1.EndPointX, a1.EndPointY);
        a1.EndAngle = MMath::Atan2(a1.MidY - a1.EndPointY, a1.EndPointX - a1.MidX);
        debugMark(a1.EndPointX, a1.EndPointY, 8, 0x0000FF);

        const double d = hypotenuse(qx - a1.EndPointX, qy - a1.EndPointY);
        const double alpha = MMath::Atan2(d, e);
        if (pr == 0.0 || (1.0 - std::sin(alpha)) * e > pr) {
            const double gamma = a1.Radius == 0.0 ? 0.0 : MMath::ArcCos(1.0 - divide(pr, a1.Radius));
            SetRotation(gamma);
            double x = 0.0;
            double y = 0.0;
            RotatePoint(qx - a1.MidX, qy - a1.MidY, x, y);
            a1.EndPointX = a1.MidX + x;
            a1.EndPointY = a1.MidY + y;
            PhiTop = MMath::ArcCos(divide(Rb, hypotenuse(a1.EndPointX, a1.EndPointY)));
        } else {
            double x = a1.EndPointX;
            const double y = a1.EndPointY;
            SetRotation(psiB);
            double step = 0.5;
            double previousSign = 1.0;
            double fx = 0.0;
            double fy = 0.0;
            // Bounded: a flank that never crosses the line cannot hang the program.
            for (int rounds = 0; rounds < 10000; ++rounds) {
                x -= step;
                double tt = tangent(MMath::ArcCos(divide(Rb, x)));
                RotatePoint(Rb * (std::cos(tt) + tt * std::sin(tt)), Rb * (std::sin(tt) - tt * std::cos(tt)), fx, fy);
                double diff = fy - y;
                double sign = diff > 0 ? 1.0 : (diff < 0 ? -1.0 : 0.0);
                if (sign * previousSign < 0)
                    step = -step / 2.0;
                previousSign = sign;
                if (std::fabs(diff) < 1e-10 || std::fabs(tt) > 1.5)
                    break;
            }
            debugMark(fx, fy, 6, 0x00FFFF);
            PhiTop = MMath::ArcCos(divide(Rb, hypotenuse(fx, fy)));
        }
        debugMark(qx, qy, 6, 0xFF00FF);
        a1.EndAngle = -MMath::Atan2(a1.MidY - a1.EndPointY, a1.EndPointX - a1.MidX);

        if (!EGB2)
            EGB2 = std::make_unique<clsArc>();
        clsArc& a2 = *EGB2;
        a2.Radius = a1.Radius;
        a2.MidX = a1.MidX;
        a2.MidY = -a1.MidY;
        a2.StartAngle = -a1.EndAngle;
        a2.StartPointX = a1.EndPointX;
        a2.StartPointY = -a1.EndPointY;
        a2.EndAngle = -a1.StartAngle;
        a2.EndPointX = a1.StartPointX;
        a2.EndPointY = -a1.StartPointY;

        if (e == 0.0) {
            EdgePoints_ = {{a1.MidX, a1.MidY}};
            return;
        }
        debugMark(a1.MidX, a1.MidY, e * ScaleFactor_, 0x808080);
        const std::int32_t count = services_.run.IncrementsEdge;
        PointArray rows = rowsOf(count);
        double step = divide(a1.StartAngle - s * a1.EndAngle, count - 1.0);
        for (std::int32_t i = 0; i < count; ++i) {
            double angle = a1.EndAngle + i * step;
            rows[static_cast<std::size_t>(i)] = {a1.MidX + a1.Radius * std::cos(angle),
                                                 a1.MidY + a1.Radius * std::sin(angle)};
            debugMark(rows[static_cast<std::size_t>(i)][0], rows[static_cast<std::size_t>(i)][1], 3,
                      0x202020 * (i % 8));
        }
        EdgePoints_ = std::move(rows);
    } catch (const runtime::RuntimeError& error) {
        logError(services_, "clsGear", "ToolTipRadius", error, "");
    }
}

void clsGear::Trochoid(double theta, double A, double B, double C, double& outX, double& outY)
{
    try {
        const double s = InternalOrExt_;
        if (!MatingCutters_ || !MatingCutters_->EGB1)
            runtime::raise(runtime::ObjectVariableNotSet);
        const clsGear& cutter = *MatingCutters_;
        const double rho = cutter.EGB1->Radius;
        const double a = MMath::HalfPi - s * divide(cutter.N * theta, N);
        const double tx = A - s * B * std::cos(theta);
        const double ty = s * B * std::sin(theta);
        const double dx = tx - C;
        const double dy = -ty;
        const double L = hypotenuse(dx, dy);
        const double k = divide(rho + L, L);
        const double px = C + k * dx;
        const double py = k * dy;
        const double alpha = MMath::Atan2(py, px);
        const double psi = a - alpha;
        const double R = hypotenuse(px, py);
        const double x = R * std::sin(psi);
        const double y = R * std::cos(psi);
        double rx = RotMatrix_[0] * x + RotMatrix_[2] * y;
        double ry = -(RotMatrix_[1] * x + RotMatrix_[3] * y);
        outX = checkFinite(rx);
        outY = checkFinite(ry);
    } catch (const runtime::RuntimeError& error) {
        logError(services_, "clsGear", "Trochoid", error, "");
    }
}

void clsGear::TrochoidalPoints(double& PhiBottom)
{
    try {
        const double s = InternalOrExt_;
        if (!MatingCutters_ || !MatingCutters_->EGB1)
            runtime::raise(runtime::ObjectVariableNotSet);
        const clsGear& cutter = *MatingCutters_;
        const double psiB = BaseHalfTooth_;
        const double p = AngularPitch_;
        // The flank's own turn, kept apart from the element's matrix, which
        // Trochoid uses.
        const double m0 = std::cos(s * psiB), m1 = -std::sin(s * psiB), m2 = std::sin(s * psiB),
                     m3 = std::cos(s * psiB);
        const std::int32_t count = services_.run.IncrementsRoot;
        PointArray rows = rowsOf(count);

        const double B = hypotenuse(cutter.EGB1->MidX, cutter.EGB1->MidY);
        const double Rc = cutter.N / 2.0 * cutter.DCO;
        const double Rg = N / 2.0 * cutter.DCO;
        const double A = s * Rc + Rg;
        const double C = Rg;
        double theta0 = 0.0;
        if (cutter.EGB1->StartPointX != 0.0)
            theta0 = std::atan(cutter.EGB1->StartPointY / cutter.EGB1->StartPointX) * divide(cutter.N, N);
        SetRotation(s * (-p / 2.0 - theta0));

        double theta = 0.0;
        double step0 = 0.05;
        if (s > 0) {
            theta = LawOfCosinesAngle(R_tip, cutter.R_tip, A);
            step0 = -theta / 15.0;
        }
        double step = step0;
        double previousDiff = 1000000.0;
        double t = 0.0;
        double xt = 0.0;
        double yt = 0.0;
        for (long rounds = 1;; ++rounds) {
            Trochoid(theta, A, B, C, xt, yt);
            const double r = hypotenuse(xt, yt);
            t = std::tan(MMath::ArcCos(divide(Rb, r)));
            const double fx0 = Rb * (std::cos(t) + t * std::sin(t));
            const double fy0 = Rb * (std::sin(t) - t * std::cos(t));
            const double xf = m0 * fx0 + m2 * fy0;
            const double yf = m1 * fx0 + m3 * fy0;
            debugMark(xf, yf, 5, 0x00FF00);
            debugMark(xt, yt, 5, 0xFF0000);
            const double diff = yt - yf;
            if (std::fabs(previousDiff) < std::fabs(diff))
                step = -step / 2.0;
            previousDiff = diff;
            if (std::fabs(step) < std::fabs(step0) / 128.0 || std::fabs(diff) < 1e-7 || rounds > 10000)
                break;
            theta += step;
        }
        PhiBottom = std::atan(t);

        const double rowStep = divide(theta, count - 1.0);
        double x0 = 0.0;
        double y0 = 0.0;
        Trochoid(0.0, A, B, C, x0, y0);
        const double turn = p / 2.0 + std::atan(divide(y0, x0));
        rows[0] = {x0 * std::cos(turn) + y0 * std::sin(turn), -x0 * std::sin(turn) + y0 * std::cos(turn)};
        for (std::int32_t i = 1; i < count; ++i) {
            double x = 0.0;
            double y = 0.0;
            Trochoid((i - 1) * rowStep, A, B, C, x, y);
            rows[static_cast<std::size_t>(i)] = {x, s * y};
            debugMark(x, s * y, 5, 0xFFFFFF);
        }
        RootPoints_ = std::move(rows);
    } catch (const runtime::RuntimeError& error) {
        logError(services_, "clsGear", "TrochoidalPoints", error,
                 "Common error if tooled root specified yet tool not defined");
    }
}

double clsGear::OffsetTeeth(std::int32_t N2, double Theta) const
{
    const double s = InternalOrExt_;
    const double k = std::floor(N2 / 2.0);
    switch (mMeshIndex_) {
    case 0:
        if (Name == element::PinionTool)
            return -k * Theta;
        return Pi - k * Theta + Theta / 2.0;
    case 1:
        if (Name == element::Pinion)
            return -k * Theta;
        return (s * Pi / 2.0 + Pi / 2.0) - k * Theta - Theta / 2.0;
    case 2:
        if (Name == element::Gear)
            return (Pi / 2.0 - s * Pi / 2.0) - k * Theta;
        return (s * Pi / 2.0 + Pi / 2.0) - k * Theta - Theta / 2.0;
    default:
        return 0.0;
    }
}

void clsGear::AssembleTeeth()
{
    if (N == 0)
        return;
    Teeth_.clear();
    const double theta = TwoPi / N;
    std::int32_t n = services_.settings.NumbTeeth(Name);
    if (n > N)
        n = N;
    const double start = OffsetTeeth(n, theta) + GearOffset_;
    const auto m = static_cast<std::int32_t>(ToothPoints_.size());
    for (std::int32_t i = 0; i < n; ++i) {
        auto tooth = std::make_unique<clsTooth>(services_);
        tooth->PointsArray(m, ToothPoints_);
        tooth->ScreenVars(MidX_, MidY_, ScaleFactor_, Device_, Name);
        tooth->ToothAngle(i * theta + start);
        Teeth_.push_back(std::move(tooth));
    }
}

void clsGear::RotateGear(double RotAngle)
{
    AccumulatedAngle += RotAngle;
    for (auto& tooth : Teeth_)
        tooth->ToothAngle(RotAngle);
    // The contact dots follow the teeth.
    VantropeCircles();
}

} // namespace vantrope
