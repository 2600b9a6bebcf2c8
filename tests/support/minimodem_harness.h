// Runs minimodem, the independent RTTY modem from Debian, to produce 45.45 Bd Baudot
// audio for the interoperability tests, and reads its 16-bit mono WAV output back.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::test {

inline constexpr const char* kMinimodemPath = "/usr/bin/minimodem";

inline bool minimodemAvailable()
{
    return ::access(kMinimodemPath, X_OK) == 0;
}

// The samples of a PCM 16-bit mono WAV file; nullopt for anything else.
inline std::optional<std::vector<int16_t>> readWav16(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    char riff[12];
    if (!in.read(riff, 12) || std::string_view(riff, 4) != "RIFF" || std::string_view(riff + 8, 4) != "WAVE")
        return std::nullopt;
    bool pcm16 = false;
    while (in) {
        char head[8];
        if (!in.read(head, 8)) break;
        uint32_t size = 0;
        for (int i = 0; i < 4; ++i)
            size |= static_cast<uint32_t>(static_cast<uint8_t>(head[4 + i])) << (8 * i);
        const std::string_view id(head, 4);
        if (id == "fmt ") {
            std::vector<char> fmt(size);
            if (size < 16 || !in.read(fmt.data(), size)) return std::nullopt;
            const auto u16 = [&](int at) {
                return static_cast<int>(static_cast<uint8_t>(fmt[at]) |
                                        (static_cast<uint8_t>(fmt[at + 1]) << 8));
            };
            pcm16 = u16(0) == 1 && u16(2) == 1 && u16(14) == 16;
        } else if (id == "data") {
            if (!pcm16) return std::nullopt;
            std::vector<int16_t> samples(size / 2);
            std::vector<char> raw(size);
            in.read(raw.data(), size);
            const auto got = static_cast<std::size_t>(in.gcount()) / 2;
            samples.resize(got);
            for (std::size_t i = 0; i < got; ++i) {
                samples[i] = static_cast<int16_t>(static_cast<uint8_t>(raw[2 * i]) |
                                                  (static_cast<uint8_t>(raw[2 * i + 1]) << 8));
            }
            return samples;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

// minimodem --tx at 11025 samples/s: Baudot with 1.5 stop bits at 45.45 Bd ("rtty") or
// 100 Bd, mark and space tones as given, amplitude 0..1. The text goes through a file.
inline std::optional<std::vector<int16_t>> minimodemRtty(std::string_view text, double markHz, double spaceHz,
                                                         double volume, const std::filesystem::path& dir,
                                                         bool hundredBaud = false)
{
    const auto textFile = dir / "minimodem-in.txt";
    const auto wavFile = dir / "minimodem-out.wav";
    {
        std::ofstream out(textFile, std::ios::binary);
        out << text;
    }
    char command[1024];
    std::snprintf(command, sizeof command,
                  "%s --tx %s --quiet -R 11025 -M %.2f -S %.2f -v %.3f -f '%s' < '%s' 2>/dev/null",
                  kMinimodemPath, hundredBaud ? "100 --baudot --stopbits 1.5" : "rtty", markHz, spaceHz,
                  volume, wavFile.c_str(), textFile.c_str());
    if (std::system(command) != 0) return std::nullopt;
    return readWav16(wavFile);
}

}  // namespace vexa::test
