// Where Vexa keeps its files on Linux: the profile under the XDG configuration directory,
// a data directory (the program's working directory, so that "log.log", "cty.dat",
// "qcty.dat", "Help.txt", "SSB1.wav" and "BRAG0.TXT" are found by their plain names),
// the country file with Debian's copy as the fall-back, and the files that come with Vexa.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa::app {

// $XDG_CONFIG_HOME/vexa/vexa.ini; ~/.config/vexa/vexa.ini when the variable is unset,
// empty or not an absolute path.
std::filesystem::path profilePath();

// $XDG_DATA_HOME/vexa; ~/.local/share/vexa likewise.
std::filesystem::path defaultDataDirectory();

struct DataDirectoryResult {
    std::filesystem::path directory;  // absolute
    std::string error;                // for the user; empty on success
    bool ok() const noexcept { return error.empty(); }
};

// Creates the directory (and its parents) when missing and makes it the working directory.
DataDirectoryResult enterDataDirectory(const std::filesystem::path& directory);

// The country file to load: "cty.dat" in the working directory when there is one, else the
// copy of Debian's hamradio-files package when installed, else "cty.dat" (which then fails
// to load and leaves the country table empty, as any missing data file does).
std::filesystem::path countryFilePath();

inline constexpr const char* kSystemCountryFile = "/usr/share/hamradio-files/cty.dat";

// The directory of the running executable (from /proc/self/exe); empty if unknown.
std::filesystem::path executableDirectory();

// A file that comes with Vexa ("demo.wav", "Help.txt"): next to the executable (the build
// copies them there) or in ../share/vexa from it (installed). No build or source path is
// compiled in, so an installed or moved program finds its own copy. nullopt if none exists.
std::optional<std::filesystem::path> bundledFilePath(const std::filesystem::path& executableDir,
                                                     const std::string& name);

// The bundled demo recording "demo.wav".
std::optional<std::filesystem::path> demoRecordingPath(const std::filesystem::path& executableDir);

// Copies the files a data directory starts with ("Help.txt") from the bundled ones into
// `dataDir` where it has none, so a new data directory has them and the operator's own
// edits are never overwritten. Returns a message for each file that could not be copied.
std::vector<std::string> copyDefaultFiles(const std::filesystem::path& dataDir,
                                          const std::filesystem::path& executableDir);

}  // namespace vexa::app
