// Help: the help file "Help.txt" of the data directory shown in the viewer, or a message box
// when there is none.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "common/ports.h"

namespace vexa::app {

inline constexpr const char* kHelpFileName = "Help.txt";
inline constexpr const char* kApplicationName = "Vexa";

// Reads `file` and shows its lines, each ended by CR LF, through `viewer`. A file that cannot
// be opened gets "Help file is not found", one that fails while being read a message that
// names it and the error; both go to `prompter` with the application's name as caption.
void ShowHelp(const std::filesystem::path& file, Prompter& prompter,
              const std::function<void(const std::string&)>& viewer);

}  // namespace vexa::app
