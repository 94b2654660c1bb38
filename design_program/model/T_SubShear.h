#pragma once

#include "model/ModelShell.h"

namespace cindrel::model {

// Subsurface shear analysis, owned by the pair. Only its creation exists so far.
class T_SubShear {
public:
    explicit T_SubShear(ModelShell& shell);

private:
    ModelShell& shell_;
    double storedValue_ = 0;
};

} // namespace cindrel::model
