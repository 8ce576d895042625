#pragma once
// The texts with which the module describes itself: the "AT&V" configuration
// listing and the "ATI" identification line.
//
// Listing (every value followed by a blank, every line ended by CR LF):
//
//   B0 C4 E1 Q0 V1 X0 &B2 &C1 &D0 &E0 &G001 &K4 &L1 &M0 &N1 &S001 &U001 \T000
//   S0:001 S1:050 S2:043 ... S10:001
//   S11:000 ... S21:001                (no S21 on the basic model)
//   &Z0=3,4,7
//   &Z1=
//   &Z2=
//   &Z3=
//
// Letter settings show one or two digits; the address-like settings &G, &S,
// &U and \T and every S-register show at least three digits.

#include "sim/module_settings.h"

#include <string>

namespace qx::sim {

std::string FormatListing(const ModuleSettings& settings, const ModelInfo& model);

// The listing as a module without the padding writes it (every value in as
// few digits as it takes), laid out for a host that reads 255 bytes at a
// time: blanks at the end of the last S-register line move "&Z3=" so that
// the first read, which begins with the `before` bytes sent ahead of the
// listing, ends `cut` bytes into the "&Z3=" entry. When the unpadded text
// already reaches further, it is left as it is.
std::string FormatListingCutAt(const ModuleSettings& settings, const ModelInfo& model, std::size_t before,
                               std::size_t cut);

// "QX7T-R Radio Modem V1.95 SIM" (no line end).
std::string IdentificationText(const ModelInfo& model);

}  // namespace qx::sim
