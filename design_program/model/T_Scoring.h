#pragma once

#include "model/ModelShell.h"

namespace cindrel::model {

// Scoring analysis along the line of action, owned by the pair. Only its
// creation exists so far.
class T_Scoring {
public:
    explicit T_Scoring(ModelShell& shell);

private:
    ModelShell& shell_;
};

} // namespace cindrel::model
