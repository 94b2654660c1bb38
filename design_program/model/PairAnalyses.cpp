#include "model/PairAnalyses.h"

#include "model/ModelShell.h"

namespace cindrel::model {

namespace {

class InertScoring : public ScoringAnalysis {};
class InertSubShear : public SubShearAnalysis {};

class InertDeflection : public DeflectionAnalysis {
public:
    void DeflectionLoad(double, double, double, double, double, double, double, double, double,
                        double, double, double, double, double, double, double, double, double,
                        double, std::int32_t) override {}
};

} // namespace

std::unique_ptr<ScoringAnalysis> AnalysisFactory::createScoring(T_Set&, ModelShell& shell) {
    shell.writeRunNote(ScoringCreationNote);
    return std::make_unique<InertScoring>();
}

std::unique_ptr<SubShearAnalysis> AnalysisFactory::createSubShear(T_Set&, ModelShell& shell) {
    shell.writeRunNote(SubShearCreationNote);
    return std::make_unique<InertSubShear>();
}

std::unique_ptr<DeflectionAnalysis> AnalysisFactory::createDeflection(T_Set&, ModelShell&) {
    return std::make_unique<InertDeflection>();
}

AnalysisFactory& AnalysisFactory::inert() {
    static AnalysisFactory factory;
    return factory;
}

} // namespace cindrel::model
