#pragma once

#include "model/ModelShell.h"

namespace cindrel::model {

// Tooth deflection analysis, owned by the pair. Its creation has no effect of
// its own; the analysis itself comes with the deflection hand-over.
class T_Deflections {
public:
    explicit T_Deflections(ModelShell& shell) : shell_(shell) {}

private:
    ModelShell& shell_;
};

} // namespace cindrel::model
