// The worked-status cache "qcty.dat": the per-band country masks saved at close and restored
// at start, so that the worked tables need not be rebuilt from the whole log every run. One
// line per worked country: its primary prefix and nine " %x" band masks.
#pragma once

#include <filesystem>

namespace vexa::country {

class CountryTable;
class WorkedTables;

// Restores the masks of every line whose key is the primary prefix of a country in `table`
// (looked up in the whole table, so a cache written with an older country file restores every
// country still present); the zone masks are rebuilt from the country masks. Lines with an
// unknown key are skipped. False when the file cannot be read (nothing changes then).
bool LoadWorkedCache(const std::filesystem::path& path, const CountryTable& table, WorkedTables& worked);

// Writes the cache in table order, replacing the old file atomically. False when it cannot be
// written; the old cache is then kept as it was.
[[nodiscard]] bool SaveWorkedCache(const std::filesystem::path& path, const CountryTable& table,
                                   const WorkedTables& worked);

}  // namespace vexa::country
