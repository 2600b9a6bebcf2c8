// vexa-log's logbook commands over the same log code the window uses. LOG defaults to
// "log.log" in Vexa's data directory.
#include "log_commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "country/country_table.h"
#include "country/worked_tables.h"
#include "log/adif_export.h"
#include "log/adif_import.h"
#include "log/country_worked.h"
#include "log/log_reader.h"
#include "log/log_record.h"
#include "log/scan_log_file.h"
#include "log/search_log.h"
#include "log/statistics.h"
#include "log/worked_calls.h"
#include "lookup_command.h"

namespace vexa::tools {

namespace {

using namespace vexa::log;

std::string defaultLogPath()
{
    return (app::defaultDataDirectory() / "log.log").string();
}

int usageError(const char* usage)
{
    std::fprintf(stderr, "usage: vexa-log %s\n", usage);
    return 2;
}

const char* resultText(ParseResult r)
{
    static constexpr const char* kTexts[] = {"complete",
                                             "no call sign first",
                                             "no date",
                                             "no time",
                                             "no frequency",
                                             "date and UTC time do not make a date-time",
                                             "date and local time do not make a date-time"};
    const auto i = static_cast<std::size_t>(r);
    return i < std::size(kTexts) ? kTexts[i] : "?";
}

// One line for the terminal: the record's lines joined by " | ".
std::string oneLine(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += " | ";
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string crlfToLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (c != '\r') out.push_back(c);
    return out;
}

bool readWholeFile(const std::string& path, std::string& data, std::string& error)
{
    std::FILE* f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    if (failed) error = std::strerror(errno);
    if (f != stdin) std::fclose(f);
    return !failed;
}

// Writes `out` durably: a temporary file next to it, fsync, then rename over the target, so
// that a failure never leaves a half-written export behind.
class OutputFile {
public:
    explicit OutputFile(const std::string& path) : m_path(path)
    {
        if (path == "-") {
            m_fd = 1;
            return;
        }
        m_temp = m_path + ".partial-XXXXXX";
        m_fd = ::mkstemp(m_temp.data());
        if (m_fd < 0) m_error = std::strerror(errno);
    }
    ~OutputFile()
    {
        if (!m_temp.empty() && m_fd >= 0) {
            ::close(m_fd);
            ::unlink(m_temp.c_str());
        }
    }
    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    void write(std::string_view data)
    {
        while (ok() && !data.empty()) {
            const ssize_t n = ::write(m_fd, data.data(), data.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                m_error = std::strerror(errno);
                return;
            }
            data.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    bool commit()
    {
        if (!ok() || m_temp.empty()) return ok();
        ::fchmod(m_fd, 0644);
        if (::fsync(m_fd) != 0 || ::close(m_fd) != 0) m_error = std::strerror(errno);
        m_fd = -1;
        if (ok() && std::rename(m_temp.c_str(), m_path.c_str()) != 0) m_error = std::strerror(errno);
        if (!ok()) ::unlink(m_temp.c_str());
        m_temp.clear();
        return ok();
    }

private:
    std::string m_path;
    std::string m_temp;
    std::string m_error;
    int m_fd = -1;
};

class SystemClock : public Clock {
public:
    std::time_t now() const override { return std::time(nullptr); }
};

}  // namespace

int runCheck(int argc, char** argv)
{
    if (argc > 3) return usageError("check [LOG]");
    const std::string path = argc == 3 ? argv[2] : defaultLogPath();
    const TimeZoneOffset zone = TimeZoneOffset::system();
    int records = 0;
    int bad = 0;
    const auto check = [&](const LogGroup& group) {
        if (group.text.front() == ';') return;
        ++records;
        const ParseResult r = ParseLogRecord(group.text, nullptr, zone);
        if (r == ParseResult::Complete) return;
        ++bad;
        std::printf("line %d: result %d (%s): %s\n", group.firstLine, static_cast<int>(r), resultText(r),
                    oneLine(group.text).c_str());
    };
    const LogReadOutcome read = ReadLogGroups(path, check);
    if (!read.error.empty()) {
        std::fprintf(stderr, "vexa-log: %s: %s\n", path.c_str(), read.error.c_str());
        return 1;
    }
    if (read.unterminated && read.unterminated->text.front() != ';') {
        ++bad;
        std::printf("line %d: not ended by a blank line, so Vexa does not read it: %s\n",
                    read.unterminated->firstLine, oneLine(read.unterminated->text).c_str());
    }
    std::printf("%d records, %d not parsed\n", records, bad);
    return bad == 0 ? 0 : 1;
}

int runExportAdif(int argc, char** argv)
{
    if (argc < 3 || argc > 4) return usageError("export-adif [LOG] OUT.adi|-");
    const std::string logPath = argc == 4 ? argv[2] : defaultLogPath();
    OutputFile out(argv[argc - 1]);
    if (!out.ok()) {
        std::fprintf(stderr, "vexa-log: %s: %s\n", argv[argc - 1], out.error().c_str());
        return 1;
    }
    const AdifExportResult result = ExportAdif(logPath, TimeZoneOffset::system(), std::time(nullptr),
                                               [&](std::string_view s) { out.write(s); });
    if (!result.error.empty()) {
        std::fprintf(stderr, "vexa-log: %s\n", result.error.c_str());
        return 1;
    }
    if (!out.commit()) {
        std::fprintf(stderr, "vexa-log: %s: %s\n", argv[argc - 1], out.error().c_str());
        return 1;
    }
    for (const UnexportedRecord& u : result.unparsed)
        std::fprintf(stderr, "vexa-log: %s: line %d: not exported, result %d (%s): %s\n", logPath.c_str(),
                     u.line, static_cast<int>(u.result), resultText(u.result), oneLine(u.text).c_str());
    std::fprintf(stderr, "vexa-log: exported %d contacts, %zu records not parsed\n", result.exported,
                 result.unparsed.size());
    return 0;
}

int runImportAdif(int argc, char** argv)
{
    if (argc < 3 || argc > 4) return usageError("import-adif IN.adi|- [LOG]");
    const std::string logPath = argc == 4 ? argv[3] : defaultLogPath();
    std::string adif;
    std::string error;
    if (!readWholeFile(argv[2], adif, error)) {
        std::fprintf(stderr, "vexa-log: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    const AdifImportResult result = ImportAdif(adif, logPath, TimeZoneOffset::system());
    for (const std::string& s : result.skipped)
        std::fprintf(stderr, "vexa-log: %s: %s, not imported\n", argv[2], s.c_str());
    if (!result.error.empty()) {
        std::fprintf(stderr, "vexa-log: %s; nothing imported\n", result.error.c_str());
        return 1;
    }
    std::printf("imported %d contacts into %s, %d duplicates skipped, %zu not importable\n", result.imported,
                logPath.c_str(), result.duplicates, result.skipped.size());
    return 0;
}

int runStats(int argc, char** argv)
{
    std::optional<std::filesystem::path> cty;
    std::vector<std::string> rest;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cty") == 0) {
            if (i + 1 >= argc) return usageError("stats [--cty FILE] [LOG]");
            cty = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (rest.size() > 1) return usageError("stats [--cty FILE] [LOG]");

    country::CountryTable table;
    country::WorkedTables tables;
    if (!loadCountryData(cty, "stats", table, tables)) return 1;

    LogContext context;
    context.logPath = rest.empty() ? defaultLogPath() : rest[0];
    context.zone = TimeZoneOffset::system();
    CountryContactRecorder recorder(table, tables);
    context.recorder = &recorder;
    const ScanResult scan = ScanLogFile(context, SystemClock(), nullptr);
    if (!scan.error.empty()) {
        std::fprintf(stderr, "vexa-log: %s\n", crlfToLf(scan.error).c_str());
        return 1;
    }
    std::fputs(crlfToLf(FormatStatistics(CountryWorkedTablesView(tables), scan.qsoTotal)).c_str(), stdout);
    return 0;
}

int runSearch(int argc, char** argv)
{
    if (argc < 3 || argc > 4) return usageError("search TEXT [LOG]");
    const std::string logPath = argc == 4 ? argv[3] : defaultLogPath();
    const SearchResult result = SearchLog(logPath, argv[2], nullptr);
    std::fputs(crlfToLf(result.text).c_str(), stdout);
    if (!result.error.empty()) {
        std::fprintf(stderr, "vexa-log: %s\n", crlfToLf(result.error).c_str());
        return 1;
    }
    return 0;
}

}  // namespace vexa::tools
