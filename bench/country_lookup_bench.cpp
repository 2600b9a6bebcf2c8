// `vexa-log lookup` of 30,000 calls against Debian's country file: loading the file, and
// resolving the calls to their output lines, as the tool does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "country/country_table.h"
#include "country/worked_tables.h"
#include "lookup_command.h"

namespace {

constexpr const char* kCountryFile = "/usr/share/hamradio-files/cty.dat";

// The file's own whole calls, then made-up calls on every prefix, with portable designators
// mixed in, up to 30,000.
std::vector<std::string> thirtyThousandCalls(const vexa::country::CountryTable& table)
{
    std::vector<std::string> calls;
    const char* const suffixes[] = {"", "/P", "/QRP", "/3", "/VE3/P", "/R"};
    for (int round = 0; calls.size() < 30000; ++round) {
        for (std::size_t i = 0; i < table.size() && calls.size() < 30000; ++i) {
            const std::string& list = table.prefixes(i);
            for (std::size_t c = list.find(','); c != std::string::npos && calls.size() < 30000;
                 c = list.find(',', c + 1)) {
                const std::size_t end = list.find_first_of(",([<{~", c + 1);
                if (end == std::string::npos) break;
                std::string entry = list.substr(c + 1, end - c - 1);
                if (entry.empty()) continue;
                if (entry[0] == '=')
                    entry.erase(0, 1);
                else
                    entry += std::to_string(round % 10) + "ABC";
                calls.push_back(entry + suffixes[(calls.size() + round) % 6]);
            }
        }
    }
    return calls;
}

void BM_LoadCountryFile(benchmark::State& state)
{
    for (auto _ : state) {
        vexa::country::CountryTable table;
        vexa::country::WorkedTables worked;
        benchmark::DoNotOptimize(vexa::country::LoadCountryFile(kCountryFile, table, worked));
    }
}
BENCHMARK(BM_LoadCountryFile)->Unit(benchmark::kMillisecond);

void BM_Lookup30000Calls(benchmark::State& state)
{
    vexa::country::CountryTable table;
    vexa::country::WorkedTables worked;
    if (!vexa::country::LoadCountryFile(kCountryFile, table, worked)) {
        state.SkipWithError("hamradio-files is not installed");
        return;
    }
    const std::vector<std::string> calls = thirtyThousandCalls(table);
    const vexa::country::GeoPosition own{52.5, 13.4};
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::string& call : calls) bytes += vexa::tools::LookupLine(table, own, call).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["calls/s"] =
        benchmark::Counter(static_cast<double>(calls.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Lookup30000Calls)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
