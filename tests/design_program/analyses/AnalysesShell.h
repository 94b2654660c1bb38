#pragma once

#include "design_program/model/RecordingShell.h"
#include "design_program/model/ReferencePairs.h"

#include "analyses/ContactAnalyses.h"
#include "model/T_Set.h"

#include <string>
#include <vector>

namespace cindrel::analyses::testing {

// A recording shell that builds the real analyses, with the display units
// and the settings the analyses read.
class AnalysesShell : public model::testing::RecordingShell {
public:
    bool metric = false;
    bool longPrint = false;

    model::AnalysisFactory& analysisFactory() override { return factory_; }
    bool MetricUnits() const override { return metric; }
    double LengthFactor() const override { return metric ? 25.4 : 1.0; }
    double ForceFactor() const override { return metric ? 4.44822 : 1.0; }
    double PressureFactor() const override { return metric ? 0.00689475908677537 : 1.0; }
    bool SubSurfaceLongPrint() const override { return longPrint; }

private:
    ContactAnalysisFactory factory_;
};

// A shell and the pair it built.
struct AnalysedPair {
    AnalysesShell shell;
    model::T_Set pair{shell};
};

// The records of a report, each split at its line end (CR LF).
inline std::vector<std::string> reportLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace cindrel::analyses::testing
