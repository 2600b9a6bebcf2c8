// The logbook on twenty years of contacts: scan, search and ADIF export of a generated
// 100,000-record log in a temporary file. Reports records per second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "log/adif_export.h"
#include "log/scan_log_file.h"
#include "log/search_log.h"
#include "log/worked_calls.h"

namespace {

using namespace vexa::log;

constexpr int kRecords = 100000;

class NowClock : public vexa::Clock {
public:
    std::time_t now() const override { return ToLogTime({2026, 12, 8, 12, 0, 0}); }
};

// Records as the time stamp writes them, over 20 years, nine bands, several modes and about
// 30,000 different calls.
const std::string& logPath()
{
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("vexa-bench-log-" + std::to_string(::getpid()) + ".log"))
                                  .string();
        std::ofstream out(p, std::ios::binary);
        static const char* kModes[] = {"PSK31", "CW", "SSB", "RTTY", "QPSK", "FSK31"};
        static const int kKhz[] = {1838, 3580, 7035, 10142, 14070, 18100, 21080, 24920, 28120};
        char line[256];
        for (int i = 0; i < kRecords; ++i) {
            const LogTime t = ToLogTime({2006, 1, 1, 0, 0, 0}) + static_cast<LogTime>(i) * 6300;
            const int n = i * 7919 % 30000;
            std::snprintf(line, sizeof line,
                          "%c%c%d%c%c%c Name%d City 599/579 %s %s %d.%03d.%03d tnx fer QSO\r\n\r\n",
                          'A' + n % 26, 'A' + n / 26 % 26, n % 10, 'A' + n / 260 % 26, 'A' + n / 7 % 26,
                          'A' + n / 3 % 26, i % 50, FormatStampTime(t, true).c_str(), kModes[i % 6],
                          kKhz[i % 9] / 1000, kKhz[i % 9] % 1000, i % 1000);
            out << line;
        }
        return p;
    }();
    return path;
}

void setCounters(benchmark::State& state)
{
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(kRecords), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(logPath())) / 1e6;
}

void BM_ScanLogFile(benchmark::State& state)
{
    for (auto _ : state) {
        WorkedCalls worked;
        LogContext context;
        context.logPath = logPath();
        context.workedCalls = &worked;
        const ScanResult r = ScanLogFile(context, NowClock(), nullptr);
        if (r.qsoTotal != kRecords) state.SkipWithError("records lost");
        benchmark::DoNotOptimize(worked.size());
    }
    setCounters(state);
}

void BM_SearchLog(benchmark::State& state)
{
    for (auto _ : state) {
        const SearchResult r = SearchLog(logPath(), "zz9", nullptr);
        benchmark::DoNotOptimize(r.found);
    }
    setCounters(state);
}

void BM_ExportAdif(benchmark::State& state)
{
    for (auto _ : state) {
        std::size_t bytes = 0;
        const AdifExportResult r =
            ExportAdif(logPath(), TimeZoneOffset{0}, 0, [&](std::string_view s) { bytes += s.size(); });
        if (r.exported != kRecords) state.SkipWithError("records lost");
        benchmark::DoNotOptimize(bytes);
    }
    setCounters(state);
}

BENCHMARK(BM_ScanLogFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportAdif)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(logPath());
    return 0;
}
