#include "app/app_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

std::optional<std::filesystem::path> bundledFilePath(const std::filesystem::path& executableDir,
                                                     const std::string& name)
{
    if (executableDir.empty()) return std::nullopt;
    std::error_code ec;
    for (const std::filesystem::path& p :
         {executableDir / name, executableDir / ".." / "share" / "vexa" / name})
        if (std::filesystem::is_regular_file(p, ec)) return std::filesystem::weakly_canonical(p, ec);
    return std::nullopt;
}

std::optional<std::filesystem::path> demoRecordingPath(const std::filesystem::path& executableDir)
{
    return bundledFilePath(executableDir, "demo.wav");
}

std::vector<std::string> copyDefaultFiles(const std::filesystem::path& dataDir,
                                          const std::filesystem::path& executableDir)
{
    std::vector<std::string> errors;
    for (const char* name : {"Help.txt"}) {
        const std::filesystem::path target = dataDir / name;
        std::error_code ec;
        if (std::filesystem::exists(target, ec)) continue;
        const std::optional<std::filesystem::path> source = bundledFilePath(executableDir, name);
        if (!source) continue;  // not installed: the program says so when it is asked for
        if (!std::filesystem::copy_file(*source, target, ec))
            errors.push_back("Cannot copy " + source->string() + " to " + target.string() + ": " +
                             ec.message());
    }
    return errors;
}

}  // namespace vexa::app
