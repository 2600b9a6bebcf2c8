#include "app/command_line.h"

namespace vexa::app {

CommandLineResult parseCommandLine(std::span<const std::string_view> args)
{
    CommandLineResult result;
    CommandLine& o = result.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        constexpr std::string_view kDataDir = "--data-dir";
        if (arg == kDataDir) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                result.error = "vexa: option '--data-dir' needs a directory";
                return result;
            }
            o.dataDir = std::string(args[++i]);
        } else if (arg.starts_with("--data-dir=")) {
            const std::string_view dir = arg.substr(kDataDir.size() + 1);
            if (dir.empty()) {
                result.error = "vexa: option '--data-dir' needs a directory";
                return result;
            }
            o.dataDir = std::string(dir);
        } else if (arg == "--demo") {
            o.demo = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg.starts_with("-")) {
            result.error = "vexa: unknown option '" + std::string(arg) + "' (see vexa --help)";
            return result;
        } else {
            result.error = "vexa: unexpected argument '" + std::string(arg) + "' (see vexa --help)";
            return result;
        }
    }
    return result;
}

std::string usageText()
{
    return "Usage: vexa [OPTIONS]\n"
           "Terminal for PSK31, QPSK, RTTY and FSK31 through the sound card.\n"
           "\n"
           "  --data-dir DIR  keep and look for the log, country file, help and voice\n"
           "                  messages in DIR (default: $XDG_DATA_HOME/vexa, that is\n"
           "                  ~/.local/share/vexa); created when missing\n"
           "  --demo          receive from the bundled demo recording instead of the\n"
           "                  sound card\n"
           "  --help          show this text and exit\n"
           "  --version       show the version and exit\n"
           "\n"
           "Settings are kept in $XDG_CONFIG_HOME/vexa/vexa.ini (~/.config/vexa/vexa.ini).\n";
}

}  // namespace vexa::app
