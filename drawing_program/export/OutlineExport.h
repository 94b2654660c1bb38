#pragma once

#include "drawing/clsSettings.h"
#include "geometry/clsGear.h"
#include "geometry/clsTooth.h"
#include "log/TraceLog.h"
#include "runtime/ErrorReporter.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrope {

// The seven points of the line of action as the element computes them for
// the outline files: rows 0 to 6 (base tangency, lowest contact ... highest
// contact, base tangency), columns L, x, y in the element's frame.
using LoaPointTable = std::array<std::array<double, 3>, 7>;

// The file being written: its lines, each ended by CR LF, kept in memory until
// the export is complete and the file is replaced in one step.
class OutlineStream {
public:
    void WriteLine(std::string_view line);
    // Appends the lines of another stream (a finished entity).
    void append(const OutlineStream& other) { text_ += other.text_; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// A number as the outline files write it: up to 15 significant digits, no
// trailing zeros, a period, exponent form only for very small or large
// magnitudes. Overflow (runtime error 6) for a value that is not finite.
std::string outlineNumber(double value);

void writeDxfStart(OutlineStream& TS);
void writeDxfEnd(OutlineStream& TS);

// Each writer formats its whole entity (or line group) before appending it,
// so an error inside one leaves no part of it in the stream.

// One circle, centre (MiddleX, MiddleY), in output units.
void WriteCircles(OutlineStream& TS, double MiddleX, double MiddleY, double Radius, bool DXF);

// The lowest to highest contact points of the line of action (rows 1 to 5),
// with a dot circle of radius Rb / 100 at each when `dots` is set.
void WriteLoaPolyline(OutlineStream& TS, const LoaPointTable& points, double MiddleX, double gearSizer, double Rb,
                      bool dots, bool DXF);

// One tooth as it stands now (after any turning), numbered toothNumb.
void Tooth2TS(OutlineStream& TS, const clsTooth& tooth, double MidX, double gearSizer, bool DXF,
              std::int16_t toothNumb);

// The x of the element's centre in the output frame (origin at the pitch
// point): (MidX - ScreenOffsetX) / ScaleFactor * GearSizer.
double outputCentreX(const clsGear& gear, double gearSizer);

// One element: its circles, for the pinion of the pinion and gear mesh its
// line of action (`loa`, what the element's LOAPoints(True) returns: nothing
// when none of the line-of-action options is on), then its teeth. An error is
// reported as module "clsGear", routine "WriteTeeth", and the rest of the
// element is skipped. An element without teeth (N 0) is drawn as nothing and
// writes nothing.
void WriteGear(OutlineStream& TS, const clsGear& gear, const clsSettings& settings,
               const std::optional<LoaPointTable>& loa, bool DXF, runtime::ErrorReporter& log);

// What the export needs of a mesh: its two elements in mesh order and the
// line of action of the first when it is the pinion of the pinion and gear
// mesh.
struct MeshOutline {
    const clsGear& first;
    const clsGear& second;
    std::optional<LoaPointTable> firstLoa;
    std::optional<LoaPointTable> secondLoa;
};

inline constexpr std::string_view DxfFilter = "DXF Vector File|*.dxf";
inline constexpr std::string_view TextFilter = "Text file|*.txt";

// Asks the user for the file name with the given filter: the full name, or
// empty text when cancelled. The window binds it to its save dialog.
using AskFileName = std::function<std::string(const std::string& filter)>;

enum class ExportResult { Written, Cancelled, Failed };

// The Output menu's "Make DXF file" (DXFSTyle true) and "Make Text file".
// Nothing is written when the dialog is cancelled. The file is replaced only
// once it is complete; a file that cannot be written is reported as module
// "clsMesh", routine "WriteTextFile", and whatever stood under that name stays
// as it was.
ExportResult WriteTextFile(const MeshOutline& mesh, bool DXFSTyle, const AskFileName& askFileName,
                           const clsSettings& settings, const TraceLog& trace, runtime::ErrorReporter& log);

} // namespace vantrope
