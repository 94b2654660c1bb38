#pragma once

#include "mesh/clsMesh.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace vantrope {

// The four elements and the three meshes of the run, the active mesh, and
// the drawing window's events routed to it.
class clsMeshMaster {
public:
    // Creates and binds the elements and meshes on the surface; mesh 1 is
    // active. Nothing is drawn until a mesh first reads its inputs.
    clsMeshMaster(MeshServices& services, DrawingSurface& surface);
    // Releases the meshes (each stores its zoom), then the elements.
    ~clsMeshMaster();
    clsMeshMaster(const clsMeshMaster&) = delete;
    clsMeshMaster& operator=(const clsMeshMaster&) = delete;

    std::unique_ptr<clsGear> Opini, OpiniTool, Ogear, OgearTool;
    std::unique_ptr<clsMesh> OmeshToolPini, OmeshPiniGear, OmeshGearTool;

    // Starts watching the inputs dialog's mesh label when the dialog is the
    // input source; otherwise nothing.
    void SetOptionEvents();
    bool watchingMeshLabel() const { return watchingMeshLabel_; }
    // Reads and draws mesh 0, 1 or 2 without resetting rotations; other
    // indexes do nothing. The active mesh is not changed.
    void LoadAndDraw(std::int16_t Index);
    clsMesh& ActiveMesh() const { return *active_; }
    // 0, 1 or 2 makes that mesh active; other indexes change nothing.
    void SetActiveMesh(std::int16_t Index);
    // Mesh 0, 1 or 2; null for any other index.
    clsMesh* mesh(std::int32_t Index) const;

    // Events of the drawing window, coordinates in pixels.
    void KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void Click();
    void MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // A change of the watched mesh label: "0", "1" or "2" makes that mesh
    // active; anything else, or a label not watched, changes nothing.
    void MeshLabelChanged(std::string_view caption);

private:
    MeshServices& services_;
    clsMesh* active_ = nullptr;
    float pressX_ = 0;
    float pressY_ = 0;
    bool watchingMeshLabel_ = false;
};

} // namespace vantrope
