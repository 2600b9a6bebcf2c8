// The log as an ADIF 3.1 file (.adi) for other programs: LoTW, QSL services, contest and
// award software.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_record.h"

namespace vexa::log {

// The fields of one contact as ADIF carries them; empty fields are not written.
struct AdifContact {
    std::string call;
    std::string qsoDate;  // YYYYMMDD, UTC
    std::string timeOn;   // HHMMSS, UTC
    std::string freq;     // MHz with a dot
    std::string band;
    std::string mode;
    std::string submode;
    std::string rstRcvd;
    std::string rstSent;
    std::string name;
    std::string comment;
};

AdifContact AdifContactOf(const LogRecord& record, const TimeZoneOffset& zone);

// "<CALL:6>DL1ABC <QSO_DATE:8>20261208 ... <EOR>" and a line end; lengths in characters.
std::string FormatAdifRecord(const AdifContact& contact);

// The header: a line of text, ADIF_VER, PROGRAMID, PROGRAMVERSION, CREATED_TIMESTAMP, EOH.
std::string AdifHeader(LogTime createdUtc);

struct UnexportedRecord {
    int line = 0;  // first line of the record in the log file
    ParseResult result = ParseResult::Complete;
    std::string text;
};

struct AdifExportResult {
    int exported = 0;
    std::vector<UnexportedRecord> unparsed;  // records that do not parse (comments excluded)
    std::string error;                       // a read error of the log file; empty if none
};

// Reads the log and hands the ADIF text to `write` piece by piece.
AdifExportResult ExportAdif(const std::string& logPath, const TimeZoneOffset& zone, LogTime createdUtc,
                            const std::function<void(std::string_view)>& write);

}  // namespace vexa::log
