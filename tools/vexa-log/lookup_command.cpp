#include "lookup_command.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <vector>

#include "app/app_paths.h"
#include "app/settings.h"
#include "country/find_country.h"
#include "country/worked_tables.h"

namespace vexa::tools {

namespace {

constexpr const char* kUsage = "usage: vexa-log lookup [--cty FILE] [--own LAT LON] [CALL...]\n";

std::optional<double> parseDegrees(std::string_view text, double limit)
{
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value) ||
        std::fabs(value) > limit)
        return std::nullopt;
    return value;
}

std::string fixed2(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "vexa-log lookup: %s\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

std::string LookupLine(const country::CountryTable& table, const country::GeoPosition& own,
                       std::string_view call)
{
    using namespace country;
    std::string line(call);
    const std::optional<CountryMatch> m = FindCountry(table, call);
    if (!m) return line + "\t-1\tnot found";
    const std::optional<CountryMatch> dxcc = FindCountry(table, call, Entities::DxccOnly);
    const CountryInfo& c = m->info;
    const GreatCirclePath path = ComputePath(own.latitude, own.longitude, c.latitude, c.longitude);
    BearingIndicator indicator;
    for (const std::string& field :
         {c.primaryPrefix, c.name, c.continent, c.cqZone, c.ituZone, fixed2(c.latitude), fixed2(c.longitude),
          dxcc ? dxcc->info.primaryPrefix : std::string("-1"),
          FormatPath(own.latitude, own.longitude, c.latitude, c.longitude, 1, indicator),
          FormatDistanceNumber(path.km)}) {
        line += '\t';
        line += field;
    }
    return line;
}

bool loadCountryData(const std::optional<std::filesystem::path>& cty, const char* command,
                     country::CountryTable& table, country::WorkedTables& worked)
{
    // Without --cty: the data directory's cty.dat, else the system's copy, as in the window.
    std::vector<std::filesystem::path> tried;
    if (cty) {
        tried.push_back(*cty);
    } else {
        tried.push_back(app::defaultDataDirectory() / "cty.dat");
        tried.push_back(app::kSystemCountryFile);
    }
    for (const auto& path : tried) {
        if (country::LoadCountryFile(path, table, worked)) return true;
    }
    std::string list;
    for (const auto& p : tried) list += (list.empty() ? "" : ", ") + p.string();
    std::fprintf(stderr, "vexa-log %s: cannot read a country file (tried %s)\n", command, list.c_str());
    return false;
}

int runLookup(int argc, char** argv)
{
    std::optional<std::filesystem::path> ctyOption;
    std::optional<country::GeoPosition> ownOption;
    std::vector<std::string_view> calls;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.empty() || arg.front() != '-') {
            calls.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--cty") {
            if (i + 1 >= argc) return usageError("--cty needs a file");
            ctyOption = argv[++i];
        } else if (arg == "--own") {
            if (i + 2 >= argc) return usageError("--own needs a latitude and a longitude");
            const auto lat = parseDegrees(argv[i + 1], 90);
            const auto lon = parseDegrees(argv[i + 2], 180);
            if (!lat) return usageError(std::string("bad latitude '") + argv[i + 1] + "' (degrees, -90..90)");
            if (!lon)
                return usageError(std::string("bad longitude '") + argv[i + 2] + "' (degrees, -180..180)");
            ownOption = country::GeoPosition{*lat, *lon};
            i += 2;
        } else {
            return usageError("unknown option '" + std::string(arg) + "'");
        }
    }

    country::CountryTable table;
    country::WorkedTables worked;
    if (!loadCountryData(ctyOption, "lookup", table, worked)) return 1;

    country::GeoPosition own;
    if (ownOption) {
        own = *ownOption;
    } else {
        app::Settings settings;
        settings.readStation(Profile(app::profilePath()));
        own = {settings.station.latitude, settings.station.longitude};
    }

    if (!calls.empty()) {
        for (std::string_view call : calls) std::cout << LookupLine(table, own, call) << '\n';
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            // Lines from other programs may carry blanks or a CR around the call.
            const std::size_t first = line.find_first_not_of(" \t\r");
            const std::size_t last = line.find_last_not_of(" \t\r");
            const std::string_view call = first == std::string::npos
                                              ? std::string_view()
                                              : std::string_view(line).substr(first, last - first + 1);
            std::cout << LookupLine(table, own, call) << '\n';
        }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace vexa::tools
