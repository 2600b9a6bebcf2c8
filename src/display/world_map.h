// The one-bit world map the station map is projected from (res/world_map.bin, made by
// scripts/make-world-map): 640 x 400 pixels, 80 bytes a row, the most significant bit
// leftmost; column 0 is longitude -180 and each column 0.5625 degrees east; row 0 is latitude
// -90 and each row 0.45 degrees north. A set bit is water, a clear bit land.
#pragma once

#include <cstdint>
#include <span>

namespace vexa::display {

inline constexpr int kWorldMapColumns = 640;
inline constexpr int kWorldMapRows = 400;
inline constexpr int kWorldMapBytes = kWorldMapColumns / 8 * kWorldMapRows;

// The map built into the program.
std::span<const uint8_t, kWorldMapBytes> WorldMapBits() noexcept;

// The bit at (column, row) of a map in that layout; both must be in range.
inline bool WorldMapBit(std::span<const uint8_t, kWorldMapBytes> map, int column, int row) noexcept
{
    return (map[static_cast<std::size_t>(row * (kWorldMapColumns / 8) + column / 8)] &
            (0x80 >> (column % 8))) != 0;
}

}  // namespace vexa::display
