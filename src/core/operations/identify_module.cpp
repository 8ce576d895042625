#include "operations/identify_module.h"

#include "config/firmware_identification.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"
#include "serial/serial_errors.h"

namespace qx {

using namespace std::chrono_literals;

IdentifyResult IdentifyModule(const ChannelFactory& open, const HostSerialSettings& settings,
                              const ModelVariant& running, const std::function<bool()>& stop) {
    const auto stopped = [&stop] { return stop && stop(); };
    try {
        const std::unique_ptr<TCOMQX7Object> channel = open(settings);
        channel->Wake({.stop = stop});
        if (stopped()) return {.outcome = OperationOutcome::Cancelled()};
        // The wait ends as soon as a "V" (of the version) has arrived.
        channel->SendExpect("ATI\r", "V", 100ms);
        IdentifyResult result{.outcome = OperationOutcome::Done(),
                              .identification = CutIdentificationText(channel->LastReply(), running)};
        result.version = GetFirmwareVer(result.identification).version;
        result.outcome.otherModel = OtherModelNamed(channel->LastReply(), running);
        return result;
    } catch (const EOpenAbandoned&) {
        return {.outcome = OperationOutcome::Cancelled()};
    } catch (const std::exception& e) {
        return {.outcome = FailureAt(ReportSite::ModuleOperation, running.ProductName, e)};
    }
}

}  // namespace qx
