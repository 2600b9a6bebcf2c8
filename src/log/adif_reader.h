// Reads the records of an ADIF (.adi) file from any logger: field names in any letter case
// and order, data types and unknown fields allowed, with or without a header.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vexa::log {

// Field name (upper case) -> data.
using AdifFields = std::map<std::string, std::string>;

// Calls onRecord for every record ended by <EOR>, with the line its first field is on.
// Returns the number of records.
int ReadAdifRecords(std::string_view text, const std::function<void(const AdifFields&, int line)>& onRecord);

}  // namespace vexa::log
