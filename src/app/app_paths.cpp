#include "app/app_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vexa::app {
namespace {

std::filesystem::path homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
    return "/";
}

std::filesystem::path xdgDirectory(const char* variable, const char* fallbackUnderHome)
{
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (const char* value = std::getenv(variable); value != nullptr && *value == '/') return value;
    return homeDirectory() / fallbackUnderHome;
}

}  // namespace

std::filesystem::path profilePath()
{
    return xdgDirectory("XDG_CONFIG_HOME", ".config") / "vexa" / "vexa.ini";
}

std::filesystem::path defaultDataDirectory()
{
    return xdgDirectory("XDG_DATA_HOME", ".local/share") / "vexa";
}

DataDirectoryResult enterDataDirectory(const std::filesystem::path& directory)
{
    DataDirectoryResult result;
    std::error_code ec;
    result.directory = std::filesystem::absolute(directory, ec);
    if (ec) result.directory = directory;
    std::filesystem::create_directories(result.directory, ec);
    if (ec && !std::filesystem::is_directory(result.directory)) {
        result.error = "Cannot create the data directory " + result.directory.string() + ": " + ec.message();
        return result;
    }
    if (!std::filesystem::is_directory(result.directory)) {
        result.error = "The data directory " + result.directory.string() + " is not a directory";
        return result;
    }
    if (chdir(result.directory.c_str()) != 0) {
        result.error =
            "Cannot use the data directory " + result.directory.string() + ": " + std::strerror(errno);
        return result;
    }
    return result;
}

std::filesystem::path countryFilePath()
{
    std::error_code ec;
    if (std::filesystem::is_regular_file("cty.dat", ec)) return "cty.dat";
    if (std::filesystem::is_regular_file(kSystemCountryFile, ec)) return kSystemCountryFile;
    return "cty.dat";
}

std::filesystem::path executableDirectory()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::optional<std::filesystem::path> demoRecordingPath(const std::filesystem::path& executableDir)
{
    std::vector<std::filesystem::path> candidates;
    if (!executableDir.empty()) {
        candidates.push_back(executableDir / "demo.wav");
        candidates.push_back(executableDir / ".." / "share" / "vexa" / "demo.wav");
    }
    std::error_code ec;
    for (const std::filesystem::path& p : candidates)
        if (std::filesystem::is_regular_file(p, ec)) return std::filesystem::weakly_canonical(p, ec);
    return std::nullopt;
}

}  // namespace vexa::app
