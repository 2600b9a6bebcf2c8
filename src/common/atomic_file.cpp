#include "common/atomic_file.h"

#include <unistd.h>

#include <cstdio>

namespace vexa {

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents)
{
    std::filesystem::path temp = file;
    temp += ".new";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
    // Without fsync a rename can reach the disk before the data does, and a power cut then
    // leaves an empty file under the old name.
    const bool flushed = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    std::error_code ec;
    if (written && flushed && closed) {
        std::filesystem::rename(temp, file, ec);
        if (!ec) return true;
    }
    std::filesystem::remove(temp, ec);
    return false;
}

}  // namespace vexa
