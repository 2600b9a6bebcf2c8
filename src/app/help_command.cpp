#include "app/help_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace vexa::app {

void ShowHelp(const std::filesystem::path& file, Prompter& prompter,
              const std::function<void(const std::string&)>& viewer)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "r"), &std::fclose);
    if (!in) {
        prompter.inform("Help file is not found", kApplicationName);
        return;
    }
    std::string text;
    std::string line;
    // A file written with CR LF line ends shows the same.
    auto endLine = [&text, &line] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line;
        text += "\r\n";
        line.clear();
    };
    errno = 0;
    for (int c = std::fgetc(in.get()); c != EOF; c = std::fgetc(in.get())) {
        if (c == '\n')
            endLine();
        else
            line.push_back(static_cast<char>(c));
    }
    if (std::ferror(in.get())) {
        prompter.inform(file.filename().string() + " could not be read: " + std::strerror(errno),
                        kApplicationName);
        return;
    }
    if (!line.empty()) endLine();
    viewer(text);
}

}  // namespace vexa::app
