#include "geometry/clsTooth.h"

#include "runtime/ResumeNext.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <string>

namespace vantrope {

void clsTooth::PointsArray(std::int32_t Incs, const vantrope::PointArray& Pts)
{
    if (Incs < 0 || static_cast<std::size_t>(Incs) > Pts.size())
        runtime::raise(runtime::SubscriptOutOfRange);
    incs_ = Incs;
    pts_ = Pts;
}

void clsTooth::ScreenVars(double MidX, double MidY, double ScaleFactor, DrawDevice* Device_Form,
                          std::int32_t Element)
{
    midX_ = MidX;
    midY_ = MidY;
    scaleFactor_ = ScaleFactor;
    device_ = Device_Form;
    element_ = Element;
}

void clsTooth::ToothAngle(double InpAngle)
{
    // Each step that fails is reported and the next one runs.
    auto step = [this](auto&& work) {
        try {
            work();
        } catch (const runtime::RuntimeError&) {
            runtime::reportError(services_.log, "clsTooth", "ToothAngle", std::current_exception());
        }
    };
    toothAngle_ = InpAngle;
    double c = std::cos(InpAngle);
    double s = std::sin(InpAngle);
    matrix_[0][0] = c;
    matrix_[0][1] = s;
    matrix_[1][0] = -s;
    matrix_[1][1] = c;
    for (std::int32_t k = 0; k < incs_; ++k) {
        auto& p = pts_[static_cast<std::size_t>(k)];
        double x = p[0];
        double y = p[1];
        p[1] = matrix_[1][0] * x + matrix_[1][1] * y;
        p[0] = matrix_[0][0] * x + matrix_[0][1] * y;
    }
    step([this] {
        clsDrawOpts& option = services_.settings.Element(element_);
        if (!option.DrawThis)
            return;
        if (!device_)
            runtime::raise(runtime::ObjectVariableNotSet);
        services_.draw.DrawPolyLine(*device_, pts_, scaleFactor_, midX_, midY_, incs_, 0, option.Handle);
    });
}

} // namespace vantrope
