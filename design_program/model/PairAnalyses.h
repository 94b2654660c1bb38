#pragma once

#include <cstdint>
#include <memory>

namespace cindrel::model {

class ModelShell;
class T_Set;

// The contact analyses as the pair sees them. The pair creates and owns one of
// each, yet the model never includes the analyses: the program hands it a
// factory through ModelShell::analysisFactory() that builds the real ones.

// The scoring analysis; the pair only holds it.
class ScoringAnalysis {
public:
    virtual ~ScoringAnalysis() = default;
};

// The subsurface shear analysis; the pair only holds it.
class SubShearAnalysis {
public:
    virtual ~SubShearAnalysis() = default;
};

// The tooth deflection analysis: T_Set::MorvetianDeflection hands it the
// pair's twenty values here. Lengths in inch, angles in radians.
class DeflectionAnalysis {
public:
    virtual ~DeflectionAnalysis() = default;

    virtual void DeflectionLoad(double PN, double GN, double PinRPO, double GearRPO,
                                double PhiNormalOperating, double PTTK_ON, double GTTK_ON,
                                double PinRR, double GearRR, double PinRO, double GearRO,
                                double Psi_O, double DC_O, double EdgeBreak_Max,
                                double TorquePinion, double PinFace, double GearFace,
                                double PinThetaOutsideRadius_degrees, double PinThetaLC_degrees,
                                std::int32_t IntExt) = 0;
};

// Builds the pair's three analyses, in the pair's creation order. The default
// builds inert stand-ins that write the same creation notes as the real ones,
// so the run log reads the same whoever built the pair, and ignore the
// deflection hand-over.
class AnalysisFactory {
public:
    virtual ~AnalysisFactory() = default;

    virtual std::unique_ptr<ScoringAnalysis> createScoring(T_Set& pair, ModelShell& shell);
    virtual std::unique_ptr<SubShearAnalysis> createSubShear(T_Set& pair, ModelShell& shell);
    virtual std::unique_ptr<DeflectionAnalysis> createDeflection(T_Set& pair, ModelShell& shell);

    // The one factory of inert stand-ins.
    static AnalysisFactory& inert();
};

// The creation notes of the two analyses that announce themselves.
inline constexpr const char* ScoringCreationNote = "T_scoring initializing";
inline constexpr const char* SubShearCreationNote = "initializing T_SubShear";

} // namespace cindrel::model
