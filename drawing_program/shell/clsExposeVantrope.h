#pragma once

#include "mesh/InputSource.h"

#include "automation_interface/ExposeVantrope.h"

#include <array>
#include <cstdint>

namespace vantrope {

class Startup;

// The drawing program's automation object: it stores the four elements a
// client hands over and serves them as the program's input source.
class clsExposeVantrope : public exposevantrope::Servant, public InputSource {
public:
    explicit clsExposeVantrope(Startup& startup);
    ~clsExposeVantrope() override;
    clsExposeVantrope(const clsExposeVantrope&) = delete;
    clsExposeVantrope& operator=(const clsExposeVantrope&) = delete;

    // Runs once a client holds the object: the trace line, the object as the
    // input source, the File menu hidden for the rest of the run. Every member
    // runs it first, as a client's first calls may come before the signal that
    // it holds the object.
    void Initialize();
    bool initialized() const { return initialized_; }

    // 1 when every step stored its value; 0 for an element outside 1 to 4 or
    // when a step failed (that step's value is then left as it was). An
    // element that cannot be drawn (fewer than 2 teeth, a thickness outside
    // 0 to 1, an addendum reaching the pitch radius) raises error 5 and is not stored.
    std::int32_t LoadLocals(const exposevantrope::LoadLocalsArguments& arguments) override;
    std::int32_t GetInputs(exposevantrope::GetInputsArguments& arguments) override;
    void LaunchDrawings() override;
    void ExternalEndProgram(bool& UsingResumeNextOnError) override;

    // InputSource. An Index or MeshIndex outside 0 to 4 raises run-time error 9.
    std::int32_t GetInputs(std::int16_t Index, ElementInputs& values, std::int16_t MeshIndex) override;

private:
    Startup& startup_;
    bool initialized_ = false;
    std::array<std::int32_t, 5> teeth_{};
    std::array<double, 5> addendum_{};
    std::array<double, 5> wholeDepth_{};
    std::array<double, 5> edgeBreak_{};
    std::array<double, 5> toothThickness_{};
    std::array<double, 5> protuberance_{};
    std::array<bool, 5> fullRootRadius_{};
    std::array<double, 5> centerDistance_{};
    double pressureAngleDegrees_ = 0;
    double backlash_ = 0;
    std::int16_t gearIntExt_ = 0;
};

} // namespace vantrope
