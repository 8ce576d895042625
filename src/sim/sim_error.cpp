#include "sim/sim_error.h"

#include <cerrno>
#include <cstring>

namespace qx::sim {

void ThrowSystemError(const std::string& what) {
    throw SimError(what + ": " + std::strerror(errno));
}

}  // namespace qx::sim
