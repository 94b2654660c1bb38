#pragma once

#include "design_program/model/RecordingShell.h"
#include "design_program/model/ReferencePairs.h"

#include "analyses/ContactAnalyses.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"
#include "runtime/SequentialFile.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <sstream>
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

// The fields of one report record, as texts.
inline std::vector<std::string> fieldsOf(const std::string& record) {
    std::istringstream in(record);
    runtime::RecordReader reader(in);
    std::vector<std::string> fields;
    while (!reader.atEnd())
        fields.push_back(reader.readText());
    return fields;
}

// An input that makes a run fail, and the number of the error it raises.
struct BrokenInput {
    const char* name;
    void (*breakPair)(model::T_Set&);
    int error;
};

inline void zeroFace(model::T_Set& pair) { pair.oPinion->aaFaceWidth(0); }
inline void zeroPinionTeeth(model::T_Set& pair) { pair.oPinion->aaNumberOfTeeth(0); }
// An addendum of -0.9 / Pd takes the pinion's tip inside its base circle.
inline void pinionTipInsideBaseCircle(model::T_Set& pair) {
    pair.oPinion->aaAddendumFactor(0, -0.9);
    pair.oPinion->aaAddendumFactor(1, -0.9);
}

// For each broken input, a spur pair of kind Analysed runs once with the
// reports on, is broken, and must raise the input's error while every file
// stays as the run before left it; noResult checks what the analysis keeps.
template <typename Analysed, typename Run, typename NoResult>
void expectFailingRunsKeepTheirFiles(std::initializer_list<BrokenInput> inputs, Run run, NoResult noResult) {
    for (const BrokenInput& input : inputs) {
        Analysed analysed(model::testing::spurPairInputs());
        analysed.shell.csv = true;
        run(analysed);
        const auto files = analysed.shell.files;
        input.breakPair(analysed.pair);
        EXPECT_EQ(testsupport::errorNumberOf([&] { run(analysed); }), input.error) << input.name;
        noResult(analysed, input.name);
        EXPECT_EQ(analysed.shell.files, files) << input.name;
    }
}

} // namespace cindrel::analyses::testing
