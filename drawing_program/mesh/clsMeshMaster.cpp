#include "mesh/clsMeshMaster.h"

namespace vantrope {

clsMeshMaster::clsMeshMaster(MeshServices& services, DrawingSurface& surface) : services_(services)
{
    services_.element.trace.write("clsMeshMaster_Initialize");
    Opini = std::make_unique<clsGear>(services.element);
    OpiniTool = std::make_unique<clsGear>(services.element);
    Ogear = std::make_unique<clsGear>(services.element);
    OgearTool = std::make_unique<clsGear>(services.element);
    OmeshToolPini = std::make_unique<clsMesh>(services);
    OmeshPiniGear = std::make_unique<clsMesh>(services);
    OmeshGearTool = std::make_unique<clsMesh>(services);
    // In this order each tool and the element it cuts are each other's
    // cutters, and the pinion and the gear each other's mating gears.
    OmeshToolPini->LoadMesh(OpiniTool.get(), Opini.get(), &surface, element::PinionTool, element::Pinion, "0");
    OmeshGearTool->LoadMesh(Ogear.get(), OgearTool.get(), &surface, element::Gear, element::GearTool, "2");
    OmeshPiniGear->LoadMesh(Opini.get(), Ogear.get(), &surface, element::Pinion, element::Gear, "1");
    active_ = OmeshPiniGear.get();
}

clsMeshMaster::~clsMeshMaster()
{
    active_ = nullptr;
    OmeshToolPini.reset();
    OmeshPiniGear.reset();
    OmeshGearTool.reset();
}

clsMesh* clsMeshMaster::mesh(std::int32_t Index) const
{
    switch (Index) {
    case 0: return OmeshToolPini.get();
    case 1: return OmeshPiniGear.get();
    case 2: return OmeshGearTool.get();
    default: return nullptr;
    }
}

void clsMeshMaster::SetOptionEvents()
{
    if (services_.sources.currentIsInputsDialog())
        watchingMeshLabel_ = true;
}

void clsMeshMaster::LoadAndDraw(std::int16_t Index)
{
    if (clsMesh* m = mesh(Index))
        m->ReadInputs(false);
}

void clsMeshMaster::SetActiveMesh(std::int16_t Index)
{
    if (clsMesh* m = mesh(Index))
        active_ = m;
}

void clsMeshMaster::KeyDown(std::int16_t KeyCode, std::int16_t Shift)
{
    active_->RotateGear(KeyCode, Shift);
}

void clsMeshMaster::Click()
{
    active_->VormClick();
}

void clsMeshMaster::MouseDown(std::int16_t, std::int16_t, float X, float Y)
{
    pressX_ = X;
    pressY_ = Y;
}

void clsMeshMaster::MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y)
{
    active_->VormMouseUp(Button, Shift, X, Y, pressX_, pressY_);
}

void clsMeshMaster::MeshLabelChanged(std::string_view caption)
{
    if (!watchingMeshLabel_)
        return;
    if (caption == "0")
        SetActiveMesh(0);
    else if (caption == "1")
        SetActiveMesh(1);
    else if (caption == "2")
        SetActiveMesh(2);
}

} // namespace vantrope
