#include "analyses/ContactAnalyses.h"

#include "analyses/T_Deflections.h"
#include "analyses/T_Scoring.h"
#include "analyses/T_SubShear.h"
#include "model/T_Set.h"
#include "runtime/RuntimeError.h"

namespace cindrel::analyses {

std::unique_ptr<model::ScoringAnalysis> ContactAnalysisFactory::createScoring(model::T_Set& pair,
                                                                              model::ModelShell& shell) {
    return std::make_unique<T_Scoring>(pair, shell);
}

std::unique_ptr<model::SubShearAnalysis> ContactAnalysisFactory::createSubShear(model::T_Set& pair,
                                                                                model::ModelShell& shell) {
    return std::make_unique<T_SubShear>(pair, shell);
}

std::unique_ptr<model::DeflectionAnalysis> ContactAnalysisFactory::createDeflection(model::T_Set& pair,
                                                                                    model::ModelShell& shell) {
    return std::make_unique<T_Deflections>(pair, shell);
}

namespace {

template <typename Analysis, typename Held>
Analysis& held(Held* object) {
    auto* analysis = dynamic_cast<Analysis*>(object);
    if (analysis == nullptr)
        runtime::raise(runtime::ObjectVariableNotSet);
    return *analysis;
}

} // namespace

T_Scoring& scoringOf(const model::T_Set& pair) { return held<T_Scoring>(pair.oScoring.get()); }
T_SubShear& subShearOf(const model::T_Set& pair) { return held<T_SubShear>(pair.oSubShear.get()); }
T_Deflections& deflectionOf(const model::T_Set& pair) { return held<T_Deflections>(pair.oDeflection.get()); }

} // namespace cindrel::analyses
