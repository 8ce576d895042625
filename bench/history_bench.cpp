// The module history's costs (Google Benchmark), on a real SQLite file in a
// temporary folder: one record on an open history (what each further entry
// of a command costs), one record with the history opened first (the first
// entry of a command, as a new qxcfg process makes it), and listing a
// history of 10,000 entries whole and its newest 20.

#include <benchmark/benchmark.h>

#include "history/history_store.h"
#include "support/scratch_folder.h"

namespace qx::bench {
namespace {

HistoryEntry SampleEntry(int i) {
    HistoryEntry e;
    e.timeMs = 1'700'000'000'000 + i;
    e.port = "/dev/ttyUSB" + std::to_string(i % 4);
    e.device = e.port;
    e.byIdPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K123" + std::to_string(i % 4) + "-if00-port0";
    e.model = "QX7T-R";
    e.firmware = "V1.95 SIM";
    e.systemAddress = i % 255;
    e.unitAddress = 1;
    e.kind = i % 2 ? HistoryKind::Written : HistoryKind::BeforeWrite;
    e.program = "qxcfg";
    e.command = "write";
    e.outcome = "done";
    // A configuration line is about 330 bytes.
    e.configuration = " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L1 AT&N1 AT&M0 AT&S17"
                      " AT&U1 AT\\T0 ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1"
                      " ATS11:0 ATS14:255 ATS16:0 ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3="
                      " AT&Z0= \r\n";
    return e;
}

void RecordOnAnOpenHistory(benchmark::State& state) {
    test::ScratchFolder folder;
    HistoryStore store(folder.Path("history.sqlite3"));
    int i = 0;
    for (auto _ : state) store.Record(SampleEntry(i++));
}
BENCHMARK(RecordOnAnOpenHistory)->Unit(benchmark::kMillisecond);

void OpenAndRecord(benchmark::State& state) {
    test::ScratchFolder folder;
    const std::string path = folder.Path("history.sqlite3");
    { HistoryStore created(path); }
    int i = 0;
    for (auto _ : state) {
        HistoryStore store(path);
        store.Record(SampleEntry(i++));
    }
}
BENCHMARK(OpenAndRecord)->Unit(benchmark::kMillisecond);

void List10000(benchmark::State& state) {
    test::ScratchFolder folder;
    HistoryStore store(folder.Path("history.sqlite3"));
    for (int i = 0; i < 10'000; ++i) store.Record(SampleEntry(i));
    HistoryFilter filter;
    if (state.range(0) > 0) filter.limit = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(store.List(filter));
    state.SetLabel(state.range(0) > 0 ? "newest " + std::to_string(state.range(0)) : "all 10000");
}
BENCHMARK(List10000)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qx::bench

BENCHMARK_MAIN();
