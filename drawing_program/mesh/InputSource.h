#pragma once

#include <cstdint>

namespace vantrope {

// The values one GetInputs call fills for an element. Lengths in units of
// one transverse diametral pitch, the pressure angle in radians; Dedendum is
// the whole depth, ToothThickness a fraction of the operating circular pitch.
struct ElementInputs {
    std::int32_t NumbTeeth = 0;
    double PressAng = 0;
    double CenterDist = 0;
    double Addendum = 0;
    double Dedendum = 0;
    double EdgeBreak = 0;
    double ToothThickness = 0;
    std::int16_t IntExt = 1;
    double Protube = 0;
    double BackLash = 0;
    bool FRR = true;
};

// Whatever serves the inputs of the elements: the inputs dialog, or the
// automation object once a client created it. Index is the element number
// (1 to 4), MeshIndex the mesh (0 to 2). The result is 1 when the inputs
// were read; any other result stops the read. An index that names nothing
// raises runtime::RuntimeError.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual std::int32_t GetInputs(std::int16_t Index, ElementInputs& values, std::int16_t MeshIndex) = 0;
};

// Who holds the program's input source.
class InputSourceHolder {
public:
    virtual ~InputSourceHolder() = default;
    // Null while no source is set.
    virtual InputSource* current() = 0;
    // Makes the inputs dialog the source (selecting its pinion and gear mesh
    // and showing it) and returns it; used by the first read without a source.
    virtual InputSource* adoptInputsDialog() = 0;
    virtual bool currentIsInputsDialog() = 0;
};

} // namespace vantrope
