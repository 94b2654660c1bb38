// Reference circles, the line of action and the moving contact dots of an
// element.
#include "geometry/clsGear.h"

#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/ResumeNext.h"
#include "runtime/NumberFormat.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <string>

namespace vantrope {

namespace MMath = cindrel::model::MMath;
using runtime::checkFinite;
using runtime::divide;
using runtime::squareRoot;

namespace {

constexpr const char* LoaLabels[7] = {
    "Pinion Base Circle Tangency Point",
    "Lowest Point Of Pinion Contact",
    "LPSTC, Lowest Point of Single Tooth Contact (Pinion)",
    "Pitch Circle Contact",
    "HPSTC, Highest Point of Single Tooth Contact (Pinion)",
    "Highest Point of Pinion Contact",
    "Gear Base Circle Tangency Point",
};

constexpr std::int32_t Black = 0;

std::int32_t rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

clsGear& mateOf(const clsGear& element)
{
    if (!element.MatingGears())
        runtime::raise(runtime::ObjectVariableNotSet);
    return *element.MatingGears();
}

// Round half to even, as the language's rounding of a fraction does.
double nearestEven(double x)
{
    return std::nearbyint(checkFinite(x));
}

} // namespace

void clsGear::VantropeCircles()
{
    if (N == 0 || !Device_)
        return;
    DrawDevice& device = *Device_;
    clsSettings& settings = services_.settings;
    auto circle = [&](int option, double radius) {
        const clsDrawOpts& opt = settings.Element(option);
        if (opt.DrawThis)
            services_.draw.DrawCircle(device, MidX_, MidY_, radius * ScaleFactor_, opt.Handle);
    };
    circle(option::PlaceholderRadius, Rb / 10.0);
    if (settings.Element(option::TipRadius).DrawThis) {
        circle(option::TipRadius, R_tip);
        if (R_Egb != 0.0)
            circle(option::TipRadius, R_Egb);
    }
    circle(option::PitchRadius, Rp_);
    circle(option::TangentRadius, R_Tangent_);
    circle(option::BaseRadius, Rb);
    if (Name == element::Pinion && mMeshIndex_ == 1)
        LOAPoints(false);
}

double clsGear::ThetaOD(bool AsLength) const
{
    double theta = 0.0;
    if (R_tip > Rb)
        theta = divide(squareRoot(R_tip * R_tip - Rb * Rb), Rb);
    return AsLength ? theta * Rb : theta;
}

double clsGear::ThetaLC(bool AsLength) const
{
    const clsGear& mate = mateOf(*this);
    const double sigma = mate.Internal() ? -1.0 : 1.0;
    const double C = DCStandard_ * DCO;
    const double Lm = mate.ThetaOD(true);
    const double theta = divide(sigma * (C * std::sin(Phio_) - Lm), Rb);
    return AsLength ? theta * Rb : theta;
}

std::optional<clsGear::LoaRows> clsGear::LOAPoints(bool PointsOnlyForDXF)
{
    std::optional<LoaRows> result;
    try {
        clsSettings& settings = services_.settings;
        const clsDrawOpts& line = settings.Element(option::LineOfAction);
        const clsDrawOpts& dots = settings.Element(option::LineOfActionDots);
        const clsDrawOpts& labels = settings.Element(option::LoaText);
        if (!line.DrawThis && !dots.DrawThis && !labels.DrawThis)
            return result;

        const clsGear& mate = mateOf(*this);
        const double c = std::cos(Phio_);
        const double s = std::sin(Phio_);
        const int dir = services_.run.LoaOtherSide ? -1 : 1;
        const double k = mate.Internal() ? -1.0 : 1.0;
        const double C = DCStandard_ * DCO;
        const double pb = AngularPitch_ * Rb;

        LoaRows rows{};
        rows[6][0] = C * s;
        rows[1][0] = k * (C * s - squareRoot(mate.R_Egb * mate.R_Egb - mate.Rb * mate.Rb));
        rows[3][0] = divide(C * s, divide(mate.N, N) + k);
        rows[4][0] = rows[1][0] + pb;
        rows[5][0] = squareRoot(R_Egb * R_Egb - Rb * Rb);
        rows[2][0] = rows[5][0] - pb;
        for (int i = 0; i < 7; ++i) {
            // The gear's tangency point of an internal pair lies behind T1.
            const double L = i == 6 ? k * rows[6][0] : rows[i][0];
            rows[i][1] = checkFinite(s * L + c * Rb);
            rows[i][2] = checkFinite(dir * s * Rb - dir * c * L);
        }
        if (PointsOnlyForDXF)
            return rows;

        DrawDevice* device = Device_;
        if (!device)
            runtime::raise(runtime::ObjectVariableNotSet);
        auto at = [&](int i, int column) { return rows[i][column] * ScaleFactor_ + (column == 1 ? MidX_ : MidY_); };
        if (dots.DrawThis)
            for (int i = 0; i < 7; ++i)
                services_.draw.DrawCircle(*device, at(i, 1), at(i, 2), 0.05 * ScaleFactor_, dots.Handle);
        if (labels.DrawThis)
            for (int i = 0; i < 7; ++i)
                services_.draw.SetText(*device, at(i, 1), at(i, 2), LoaLabels[i], Black);
        if (line.DrawThis)
            services_.draw.DrawLine(*device, MidX_, MidY_, rows[1][1], rows[1][2], rows[5][1], rows[5][2],
                                    ScaleFactor_, line.Handle);
        LOADOT(dir);
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(services_.log, "clsGear", "LOAPoints", std::current_exception());
    }
    return result;
}

void clsGear::LOADOT(int dir)
{
    try {
        clsSettings& settings = services_.settings;
        const clsDrawOpts& dot = settings.Element(option::MovingLoaDot);
        if (!dot.DrawThis || !Device_)
            return;
        DrawDevice& device = *Device_;
        const clsGear& mate = mateOf(*this);
        const double sigma = mate.Internal() ? -1.0 : 1.0;
        const double thetaLC = ThetaLC(false);
        const double thetaOD = ThetaOD(false);
        const double c = std::cos(Phio_);
        const double s = std::sin(Phio_);
        const double C = DCStandard_ * DCO;
        const double p = AngularPitch_;

        if (services_.run.DebugMode) {
            drawLimitMark((Phio_ - thetaLC) * dir, "Screen ThetaLO ");
            drawLimitMark((Phio_ - thetaOD) * dir, "Screen ThetaHI ");
        }
        const double t1x = c * Rb, t1y = dir * s * Rb;
        const double t2x = sigma * (C - c * mate.Rb), t2y = -dir * sigma * s * mate.Rb;

        const double u = divide(-AccumulatedAngle * dir, p);
        const double base = (u - nearestEven(u)) * p - BaseHalfTooth_;
        const clsDrawOpts& hertz = settings.Element(option::HertzText);
        for (int j = -2; j <= 2; ++j) {
            const double a = j * p + base;
            if (!(Phio_ - thetaOD < a && a < Phio_ - thetaLC))
                continue;
            if (services_.run.DebugMode)
                drawFlankMarks(dir, a);
            const double L = (Phio_ - a) * Rb;
            const double x = s * L + c * Rb;
            const double y = dir * s * Rb - dir * c * L;
            const double px = x * ScaleFactor_ + MidX_, py = y * ScaleFactor_ + MidY_;
            services_.draw.DrawCircle(device, px, py, 0.1 * ScaleFactor_, dot.Handle);
            if (hertz.DrawThis) {
                const double rho1 = std::hypot(x - t1x, y - t1y);
                const double rho2 = std::hypot(x - t2x, y - t2y);
                const double H = divide(c, (divide(1.0, rho1) + divide(sigma, rho2)) * 2.0 * RP_o);
                services_.draw.SetText(device, px + 10, py + 10, "Hertzian# = " + runtime::formatNumber(H, "0.0000"),
                                       hertz.Color);
            }
        }
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(services_.log, "clsGear", "LOADOT", std::current_exception());
    }
}

void clsGear::drawLimitMark(double angle, const char* caption)
{
    const double reach = 1.3 * Rb * ScaleFactor_;
    const double x = MidX_ + std::cos(angle) * reach;
    const double y = MidY_ + std::sin(angle) * reach;
    const PenHandle pen = services_.settings.Element(option::MovingLoaDot).Handle;
    services_.draw.DrawLine(*Device_, 0, 0, MidX_, MidY_, x, y, 1.0, pen);
    services_.draw.SetText(*Device_, x, y,
                           caption + runtime::formatNumber(MMath::Rad2Deg(angle), "0.00") + "\xC2\xB0", Black);
}

void clsGear::drawFlankMarks(int dir, double a)
{
    const double x = MidX_ + std::cos(dir * a) * Rb * ScaleFactor_;
    const double y = MidY_ + std::sin(dir * a) * Rb * ScaleFactor_;
    services_.draw.DrawCircle(*Device_, x, y, 7, services_.settings.Element(option::MovingLoaDot).Handle);
    services_.draw.SetText(*Device_, x + 10, y, "       TempAng = " + runtime::formatNumber(MMath::Rad2Deg(a), "0.00"),
                           rgb(0, 10, 110));
    services_.draw.SetText(*Device_, x + 10, y + 10,
                           "Phio - TempAng = " + runtime::formatNumber(MMath::Rad2Deg(Phio_ - a), "0.00"),
                           rgb(10, 110, 0));
}

} // namespace vantrope
