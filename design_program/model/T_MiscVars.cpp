#include "model/T_MiscVars.h"

// T_MiscVars is a plain store defined in its header.
