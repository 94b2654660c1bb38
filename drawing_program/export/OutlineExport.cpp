#include "export/OutlineExport.h"

#include "runtime/AtomicFile.h"
#include "runtime/ResumeNext.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <string>

namespace vantrope {

namespace {

void writeLines(OutlineStream& TS, std::initializer_list<std::string_view> lines)
{
    for (std::string_view line : lines)
        TS.WriteLine(line);
}

void writeDxfPolylineHeader(OutlineStream& TS)
{
    writeLines(TS, {"0", "POLYLINE", "8", "0", "66", "1"});
}

void writeDxfVertex(OutlineStream& TS, double x, double y)
{
    writeLines(TS, {"  0", "VERTEX", "8", "0", "10", outlineNumber(x), "20", outlineNumber(y), "30", "0.0"});
}

void writeDxfPolylineEnd(OutlineStream& TS)
{
    writeLines(TS, {"0", "SEQEND", "8", "0"});
}

std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string line;
    for (std::string_view part : parts)
        line += part;
    return line;
}

} // namespace

void OutlineStream::WriteLine(std::string_view line)
{
    text_ += line;
    text_ += "\r\n";
}

std::string outlineNumber(double value)
{
    return runtime::numberText(value);
}

void writeDxfStart(OutlineStream& TS)
{
    writeLines(TS, {"  0", "SECTION", "  2", "ENTITIES"});
}

void writeDxfEnd(OutlineStream& TS)
{
    writeLines(TS, {"0", "ENDSEC", "0", "EOF"});
}

void WriteCircles(OutlineStream& TS, double MiddleX, double MiddleY, double Radius, bool DXF)
{
    const std::string x = outlineNumber(MiddleX);
    const std::string y = outlineNumber(MiddleY);
    const std::string r = outlineNumber(Radius);
    if (DXF)
        writeLines(TS, {"0", "CIRCLE", "8", "0", "39", "0", "10", x, "20", y, "30", "0.0", "40", r});
    else
        TS.WriteLine(joined({"Circle, X = ,", x, ", Y = ,", y, ", R = ,", r}));
}

void WriteLoaPolyline(OutlineStream& TS, const LoaPointTable& points, double MiddleX, double gearSizer, double Rb,
                      bool dots, bool DXF)
{
    OutlineStream line;
    if (DXF)
        writeDxfPolylineHeader(line);
    for (std::size_t row = 1; row <= 5; ++row) {
        const double x = points[row][1] * gearSizer + MiddleX;
        const double y = points[row][2] * gearSizer;
        if (DXF)
            writeDxfVertex(line, x, y);
        else
            line.WriteLine(joined({"Line of Action: segment ,", std::to_string(row), ", ", outlineNumber(x), ", ",
                                   outlineNumber(y)}));
    }
    if (DXF)
        writeDxfPolylineEnd(line);
    TS.append(line);
    if (!dots)
        return;
    const double radius = Rb / 100.0 * gearSizer;
    for (std::size_t row = 1; row <= 5; ++row)
        WriteCircles(TS, points[row][1] * gearSizer + MiddleX, points[row][2] * gearSizer, radius, DXF);
}

void Tooth2TS(OutlineStream& TS, const clsTooth& tooth, double MidX, double gearSizer, bool DXF,
              std::int16_t toothNumb)
{
    OutlineStream outline;
    if (DXF)
        writeDxfPolylineHeader(outline);
    const PointArray& pts = tooth.points();
    const std::string number = std::to_string(toothNumb);
    for (std::size_t k = 0; k < pts.size(); ++k) {
        const double x = pts[k][0] * gearSizer + MidX;
        const double y = pts[k][1] * gearSizer;
        if (DXF)
            writeDxfVertex(outline, x, y);
        else
            outline.WriteLine(
                joined({number, ", ", std::to_string(k), ", ", outlineNumber(x), ", ", outlineNumber(y)}));
    }
    if (DXF)
        writeDxfPolylineEnd(outline);
    TS.append(outline);
}

double outputCentreX(const clsGear& gear, double gearSizer)
{
    return runtime::checkFinite(runtime::divide(gear.MidX() - gear.ScreenOffsetX(), gear.ScaleFactor()) * gearSizer);
}

void WriteGear(OutlineStream& TS, const clsGear& gear, const clsSettings& settings,
               const std::optional<LoaPointTable>& loa, bool DXF, runtime::ErrorReporter& log)
{
    if (gear.N == 0)
        return;
    try {
        const double G = settings.GearSizer;
        const double X = outputCentreX(gear, G);
        const std::pair<int, double> circles[] = {
            {option::BaseRadius, gear.Rb},
            {option::PitchRadius, gear.Rp()},
            {option::TangentRadius, gear.R_Tangent()},
            {option::TipRadius, gear.R_tip},
            {option::PlaceholderRadius, gear.Rb / 5.0},
        };
        for (const auto& [number, radius] : circles)
            if (settings.Element(number).DrawThis)
                WriteCircles(TS, X, 0.0, radius * G, DXF);
        if (gear.Name == element::Pinion && gear.meshIndex() == 1 &&
            settings.Element(option::LineOfAction).DrawThis) {
            // The element computes no points when none of its line-of-action
            // options is on; with option 11 on, missing points are a fault.
            if (!loa)
                runtime::raise(runtime::TypeMismatch);
            WriteLoaPolyline(TS, *loa, X, G, gear.Rb, settings.Element(option::LineOfActionDots).DrawThis, DXF);
        }
        if (settings.Element(gear.Name).DrawThis) {
            std::int16_t number = 0;
            for (const auto& tooth : gear.Teeth())
                Tooth2TS(TS, *tooth, X, G, DXF, ++number);
        }
    } catch (const runtime::RuntimeError&) {
        runtime::reportError(log, "clsGear", "WriteTeeth", std::current_exception());
    }
}

ExportResult WriteTextFile(const MeshOutline& mesh, bool DXFSTyle, const AskFileName& askFileName,
                           const clsSettings& settings, const TraceLog& trace, runtime::ErrorReporter& log)
{
    auto failed = [&](int number, const std::string& description, const std::string& extra) {
        trace.write("Bottom of sub WriteTextFile, errored out, un-successful");
        log.reportError("clsMesh", "WriteTextFile", std::to_string(number), description, extra);
        return ExportResult::Failed;
    };
    try {
        trace.write("Top of sub WriteTextFile");
        const std::string fileName = askFileName(std::string(DXFSTyle ? DxfFilter : TextFilter));
        if (fileName.empty())
            return ExportResult::Cancelled;
        trace.write("Opening FSO and setting TextStream");
        trace.write("FSO set, now setting TextStream");
        OutlineStream TS;
        trace.write("Opened FSO and have set TextStream");
        if (DXFSTyle)
            writeDxfStart(TS);
        WriteGear(TS, mesh.first, settings, mesh.firstLoa, DXFSTyle, log);
        WriteGear(TS, mesh.second, settings, mesh.secondLoa, DXFSTyle, log);
        if (DXFSTyle)
            writeDxfEnd(TS);
        if (const int error = runtime::writeFileAtomically(fileName, TS.text()); error != 0) {
            const int number = runtime::fileErrorNumber(error);
            return failed(number, runtime::errorDescription(number),
                          "cannot write " + fileName + ": " + std::strerror(error));
        }
        trace.write("Bottom of sub WriteTextFile, successful");
        return ExportResult::Written;
    } catch (const runtime::RuntimeError& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        return failed(number, description, "");
    } catch (const std::bad_alloc& error) {
        const auto [number, description] = runtime::errorTextOf(error);
        return failed(number, description, "");
    }
}

} // namespace vantrope
