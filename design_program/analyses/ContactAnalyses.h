#pragma once

#include "model/PairAnalyses.h"

namespace cindrel::model {
class T_Set;
}

namespace cindrel::analyses {

class T_Scoring;
class T_SubShear;
class T_Deflections;

// The factory the program hands to the pair (ModelShell::analysisFactory):
// it builds the real scoring, subsurface shear and deflection analyses.
class ContactAnalysisFactory : public model::AnalysisFactory {
public:
    std::unique_ptr<model::ScoringAnalysis> createScoring(model::T_Set& pair, model::ModelShell& shell) override;
    std::unique_ptr<model::SubShearAnalysis> createSubShear(model::T_Set& pair, model::ModelShell& shell) override;
    std::unique_ptr<model::DeflectionAnalysis> createDeflection(model::T_Set& pair,
                                                                model::ModelShell& shell) override;
};

// The pair's own analyses. Error 91 (object variable not set) when the pair
// was built without this factory and holds stand-ins.
T_Scoring& scoringOf(const model::T_Set& pair);
T_SubShear& subShearOf(const model::T_Set& pair);
T_Deflections& deflectionOf(const model::T_Set& pair);

} // namespace cindrel::analyses
