#pragma once

#include "drawing/SettingsStore.h"
#include "geometry/clsGear.h"
#include "log/Timers.h"
#include "mesh/DrawingSurface.h"
#include "mesh/InputSource.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vantrope {

class clsMesh;

// Export and printing of a mesh are built elsewhere; they reach it through
// these hooks, which do nothing until set.
struct MeshOutputHooks {
    std::function<void(clsMesh&)> print;
    std::function<void(clsMesh&, bool dxf)> writeTextFile;
};

// What a mesh uses of the running program besides its elements.
struct MeshServices {
    ElementServices& element;
    SettingsStore& store;
    std::string appName;
    Timers& timers;
    InputSourceHolder& sources;
    MeshOutputHooks outputs{};
};

// Key codes of the arrow keys.
namespace key {
constexpr std::int16_t Left = 37, Up = 38, Right = 39, Down = 40;
} // namespace key

// Mouse buttons.
namespace button {
constexpr std::int16_t Left = 1, Right = 2;
} // namespace button

// One pair of neighbouring elements drawn engaged: placed at the operating
// centre distance about the pitch point, with its own zoom, pan position and
// element rotations.
class clsMesh {
public:
    explicit clsMesh(MeshServices& services);
    // Stores the zoom under "Scaler<mesh number>".
    ~clsMesh();
    clsMesh(const clsMesh&) = delete;
    clsMesh& operator=(const clsMesh&) = delete;

    void LoadMesh(clsGear* Gear1, clsGear* Gear2, DrawingSurface* DrawVorm, std::int32_t Name1, std::int32_t Name2,
                  const std::string& NameOfMesh);
    // Fetches the inputs, places and draws the pair. Errors are logged
    // ("clsMesh", "ReadInputs") and end the read.
    void ReadInputs(bool ZeroOffsets);
    void RotateGear(std::int16_t KeyCode, std::int16_t Shift);
    void VormClick();
    void VormMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y, float prevX, float prevY);
    void PrintOutPut();
    void WriteTextFile(bool DXFSTyle = false);

    // Read access for printing, export and tests.
    clsGear* firstElement() const { return gear1_; }
    clsGear* secondElement() const { return gear2_; }
    DrawingSurface* surface() const { return surface_; }
    std::int32_t meshNumber() const { return meshNumber_; }
    std::int32_t firstNumber() const { return name1_; }
    std::int32_t secondNumber() const { return name2_; }
    double zoom() const { return zoom_; }
    // Whether the mesh has been drawn since it was bound.
    bool drawn() const { return drawn_; }
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }
    // Printing changes zoom and centre for the time of a print.
    void setView(double zoom, double centreX, double centreY);
    double centerDistanceFactor() const { return dcoFactor_; }
    double standardCenterDistance() const { return standard_; }
    double rotation(std::int32_t element) const { return rotation_.at(static_cast<std::size_t>(element)); }
    std::int32_t teeth(std::int32_t element) const { return teeth_.at(static_cast<std::size_t>(element)); }

private:
    void readInputs(bool zeroOffsets);
    void zeroRotations();

    MeshServices& services_;
    clsGear* gear1_ = nullptr;
    clsGear* gear2_ = nullptr;
    DrawingSurface* surface_ = nullptr;
    double zoom_ = 0;
    double centreX_ = 0;
    double centreY_ = 0;
    double dcoFactor_ = 0;
    double standard_ = 0;
    // Per element, indexed by element number 1 to 4 (0 unused).
    std::array<std::int16_t, 5> intExt_{1, 1, 1, 1, 1};
    std::array<double, 5> pressureAngle_{};
    std::array<std::int32_t, 5> teeth_{};
    std::array<std::int32_t, 5> rememberedTeeth_{};
    std::array<double, 5> addendum_{};
    std::array<double, 5> wholeDepth_{};
    std::array<double, 5> edgeBreak_{};
    std::array<double, 5> thickness_{};
    std::array<double, 5> protuberance_{};
    std::array<double, 5> rotation_{};
    std::array<bool, 5> fullRoot_{};
    std::int32_t name1_ = 0;
    std::int32_t name2_ = 0;
    std::int32_t meshNumber_ = 0;
    std::int16_t rememberedGearIntExt_ = 0;
    bool bound_ = false;
    // Drawn at least once: a change of the view is shown at once.
    bool drawn_ = false;
};

} // namespace vantrope
