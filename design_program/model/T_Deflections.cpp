#include "model/T_Deflections.h"

// The deflection analysis arrives with the deflection hand-over; this unit
// keeps the class's home in the model library.
