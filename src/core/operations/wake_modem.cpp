// The worker's wake: the channel's wake, which gives up early when the user
// cancels and always ends with its last lone CR, whose answer decides.

#include "operations/program_thread.h"
#include "serial/comqx7_object.h"

namespace qx {

void TProgramThread::WakeModem(TCOMQX7Object& channel) {
    SetProgressText("Waking Modem...");
    channel.Wake({.stop = [this] { return Terminated(); }, .lastCrAlways = true});
}

}  // namespace qx
