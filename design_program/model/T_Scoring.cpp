#include "model/T_Scoring.h"

namespace cindrel::model {

T_Scoring::T_Scoring(ModelShell& shell) : shell_(shell) {
    shell_.writeRunNote("T_scoring initializing");
}

} // namespace cindrel::model
