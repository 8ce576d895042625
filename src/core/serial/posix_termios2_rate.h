#pragma once
// Rates without a B-constant (14400, 28800, 31250, 76800) are set through
// the kernel's extended terminal record, which takes the rate as a number.
// Kept in its own file because the kernel's record clashes with the C
// library's <termios.h>.

#include <optional>

namespace qx {

// Sets input and output rate of the open terminal `fd` to `rate` bits/s,
// keeping every other setting. False when the driver refuses.
bool SetRateByNumber(int fd, int rate);

// The output rate of `fd` in bits/s as the driver reports it.
std::optional<int> ReadRateNumber(int fd);

}  // namespace qx
