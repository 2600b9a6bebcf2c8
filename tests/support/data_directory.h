// A temporary data directory that is the working directory for the life of the object, as
// the program's data directory is while it runs: its plain file names ("log.log",
// "Help.txt") are found there.
#pragma once

#include <filesystem>

#include "support/temp_dir.h"

namespace vexa::test {

class DataDirectory {
public:
    DataDirectory() : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_dir.path());
    }
    ~DataDirectory() { std::filesystem::current_path(m_previous); }
    DataDirectory(const DataDirectory&) = delete;
    DataDirectory& operator=(const DataDirectory&) = delete;

    const std::filesystem::path& path() const { return m_dir.path(); }
    std::filesystem::path log() const { return m_dir.path() / "log.log"; }

private:
    TempDir m_dir;
    std::filesystem::path m_previous;
};

}  // namespace vexa::test
