#pragma once

#include "analyses/T_Deflections.h"
#include "analyses/T_Scoring.h"
#include "analyses/T_SubShear.h"

#include <optional>

namespace cindrel::analyses {

// The graphs of the contact analyses: keeps the last table of each analysis
// that it was handed, for the graphs panel and the printed report's graphs
// page. Drawing is not built yet: LaunchChart draws nothing.
class T_Chart {
public:
    void ScoreData(const ScoringTable& data) { score_ = data; }
    void ShearData(const SubShearTable& data) { shear_ = data; }
    void DeflectionData(const DeflectionTable& data) { deflection_ = data; }

    // Nothing until the analysis has handed its table over once.
    const std::optional<ScoringTable>& ScoreData() const { return score_; }
    const std::optional<SubShearTable>& ShearData() const { return shear_; }
    const std::optional<DeflectionTable>& DeflectionData() const { return deflection_; }

    // Draws the graph chosen on the graphs panel; nothing yet.
    void LaunchChart() {}

private:
    std::optional<ScoringTable> score_;
    std::optional<SubShearTable> shear_;
    std::optional<DeflectionTable> deflection_;
};

} // namespace cindrel::analyses
