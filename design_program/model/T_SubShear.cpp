#include "model/T_SubShear.h"

namespace cindrel::model {

T_SubShear::T_SubShear(ModelShell& shell) : shell_(shell) {
    shell_.writeRunNote("initializing T_SubShear");
    storedValue_ = 0;
}

} // namespace cindrel::model
