#pragma once

// The rounding of the geometry factors that the sequence hands to the AGMA
// factors window and shows in its tables.
namespace cindrel::sequence {

// J as the navigator keeps it: shown with three decimals ("#.000", ".387")
// and read back in single precision, so 0.38712 is kept as 0.387f and the
// failure value -999 as -999. Overflow beyond single precision.
double storedJFactor(double jay);

// I as the checks take it: shown with three decimals and digit grouping,
// read back as a number.
double takenIFactor(double eye);

} // namespace cindrel::sequence
