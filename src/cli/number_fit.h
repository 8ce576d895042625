#pragma once
// How a number given on the command line (or in a JSON object) fits the
// field it is for. The window takes any text into a number field and
// clamps it to the range when the field is left; the module then keeps a
// register in steps of its own (S1 in 20 ms, S10 in 10 ms, S14 in 2 bytes)
// and drops what lies between. qxcfg says so whenever the value a user gave
// is not the value the module ends up with:
//
//   s7=999 is outside 1..255; 255 applied
//   s1=1010 is not a multiple of 20 ms; 1000 applied
//   s7='1.5' is not a whole number; 1 applied
//
// A decimal number too long for any field (2147483648) is out of range,
// not "not a whole number".

#include <string>
#include <string_view>

namespace qx::cli {

struct NumberFit {
    enum class Kind { Fits, OutOfRange, OffStep, NotWhole };
    Kind kind = Kind::Fits;
    long applied = 0;   // the value the field ends up with
    std::string typed;  // the text to type into the field so that it does
};

// `text` as given, for a field of range min..max kept in steps of `step`
// (counted from 0: a multiple of it is kept as it is; any other value
// drops to the multiple below, as the module stores it).
NumberFit FitNumber(const std::string& text, int min, int max, int step);

// What is wrong with the value, for a warning or a usage error:
// "s1=1010 is not a multiple of 20 ms" (empty for Fits).
std::string MisfitText(const std::string& name, const std::string& given, const NumberFit& fit, int min, int max,
                       int step, std::string_view unit);

}  // namespace qx::cli
