#pragma once

#include "analyses/AnalysisTables.h"
#include "model/PairAnalyses.h"

#include <optional>

namespace cindrel::model {
class ModelShell;
class T_Set;
} // namespace cindrel::model

namespace cindrel::analyses {

// Rows 1 to 26 (ascending pinion roll angle), columns 1 to 9: roll angle
// (degrees), pinion and gear radius of curvature (inch), pinion specific
// sliding, load of one tooth pair (display force), flash temperature
// (display temperature), specific film thickness, key-point marker 1 to 5,
// gear specific sliding negated.
using ScoringTable = NumberTable<1, 26, 1, 9>;

// Rows 0 to 4: largest pinion and gear specific sliding, largest load,
// highest flash temperature, smallest specific film thickness; columns: the
// value, the pinion roll angle in radians, the label. A row with no value
// holds empty cells in columns 0 and 1.
using ScoringExtremes = CellTable<5, 3>;

// Scoring risk along the line of action: kinematics, sliding, load sharing,
// flash temperature, film thickness and power loss at 26 contact points.
class T_Scoring : public model::ScoringAnalysis {
public:
    T_Scoring(model::T_Set& pair, model::ModelShell& shell);

    // Runs the whole analysis on the pair's current inputs and returns the
    // table. A run that raises returns nothing, leaves MaxValues empty and
    // writes no report.
    ScoringTable GoScoring();

    // The extremes of the last complete run; nothing before one.
    std::optional<ScoringExtremes> MaxValues() const { return maxValues_; }

private:
    struct Run;

    model::T_Set& pair_;
    model::ModelShell& shell_;
    std::optional<ScoringExtremes> maxValues_;
};

} // namespace cindrel::analyses
