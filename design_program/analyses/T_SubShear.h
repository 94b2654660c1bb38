#pragma once

#include "analyses/AnalysisTables.h"
#include "model/PairAnalyses.h"

#include <optional>

namespace cindrel::model {
class ModelShell;
class T_Set;
} // namespace cindrel::model

namespace cindrel::analyses {

// Rows 1 to 53 (depth, row 1 the surface), columns 1 to 3: depth (display
// length), governing shear stress (display stress), required hardness (BHN).
using SubShearTable = NumberTable<1, 53, 1, 3>;

// Row 0: the greatest governing shear (display stress), its depth (display
// length), "Max shear stress"; row 1: the hardness it requires (BHN), the
// same depth, the label naming the safety factor.
using SubShearExtremes = CellTable<2, 3>;

// Stress field under the Hertzian line contact at the pinion's lowest point
// of single tooth contact, the governing shear over depth and the surface
// hardness each depth requires.
class T_SubShear : public model::SubShearAnalysis {
public:
    T_SubShear(model::T_Set& pair, model::ModelShell& shell);

    // Runs the whole analysis on the pair's current inputs. A run that raises
    // returns nothing, leaves MaxValues empty and writes no report.
    SubShearTable GoSubShear();

    // The maxima of the last complete run; nothing before one.
    std::optional<SubShearExtremes> MaxValues() const { return maxValues_; }

private:
    struct Run;

    model::T_Set& pair_;
    model::ModelShell& shell_;
    std::optional<SubShearExtremes> maxValues_;
};

} // namespace cindrel::analyses
