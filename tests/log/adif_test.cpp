// ADIF out and in: the fields other programs read, a round trip through an empty log, and a
// file in another logger's style.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "log/adif_export.h"
#include "log/adif_import.h"
#include "log/adif_reader.h"
#include "support/temp_dir.h"

namespace vexa::log {
namespace {

const TimeZoneOffset kZone{-3600};
const LogTime kCreated = ToLogTime({2026, 12, 8, 20, 0, 0});

std::string exportLog(const std::string& path, AdifExportResult* result = nullptr)
{
    std::string out;
    const AdifExportResult r = ExportAdif(path, kZone, kCreated, [&](std::string_view s) { out.append(s); });
    if (result != nullptr) *result = r;
    return out;
}

std::vector<AdifFields> records(const std::string& adif)
{
    std::vector<AdifFields> all;
    ReadAdifRecords(adif, [&](const AdifFields& f, int) { all.push_back(f); });
    return all;
}

class Adif : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string log = dir.file("log.log");
};

TEST_F(Adif, ExportedFieldsFollowTheAdifFormats)
{
    test::writeFile(log,
                    "DL1ABC tnx Hans Berlin 599/579 08/Dec/2026 19:05:09z PSK31 14.070.500 \r\n\r\n"
                    "G4XYZ Bob 08/Dec/2026 00:30:00 USB 14.210.000\r\n\r\n"  // local: 7 Dec UTC
                    "OK1XY Ji\xc5\x99\xc3\xad 08/Dec/2026 10:00:00z QPSK 7.035.150\r\n\r\n"
                    "F5AAA Ren\xe9 08/Dec/2026 10:00:00z FM 29.600.000\r\n\r\n"
                    "; a comment\r\n\r\n"
                    "no call 08/Dec/2026 10:00:00z 7.035.150\r\n\r\n"
                    "K1AB 08/Dec/2026 11:00:00z FSK31 50.100.000\r\n");  // last record without its blank line
    AdifExportResult result;
    const std::string adif = exportLog(log, &result);
    EXPECT_EQ(adif.rfind("Vexa logbook export\r\n<ADIF_VER:5>3.1.0 <PROGRAMID:4>Vexa ", 0), 0u);
    EXPECT_NE(adif.find("<CREATED_TIMESTAMP:15>20261208 200000 <EOH>"), std::string::npos);
    EXPECT_NE(adif.find("<CALL:6>DL1ABC <QSO_DATE:8>20261208 <TIME_ON:6>190509 <FREQ:7>14.0705 <BAND:3>20m "
                        "<MODE:3>PSK <SUBMODE:5>PSK31 <RST_RCVD:3>599 <RST_SENT:3>579 <NAME:3>tnx "
                        "<COMMENT:11>Hans Berlin <EOR>\r\n"),
              std::string::npos)
        << adif;
    EXPECT_EQ(result.exported, 5);
    ASSERT_EQ(result.unparsed.size(), 1u);
    EXPECT_EQ(result.unparsed[0].line, 11);
    EXPECT_EQ(result.unparsed[0].result, ParseResult::NoCall);

    const auto all = records(adif);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1].at("QSO_DATE"), "20261207");
    EXPECT_EQ(all[1].at("TIME_ON"), "233000");
    EXPECT_EQ(all[1].at("MODE"), "SSB");
    EXPECT_EQ(all[1].at("SUBMODE"), "USB");
    EXPECT_NE(adif.find("<COMMENT:4>Ji\xc5\x99\xc3\xad "), std::string::npos);  // 4 characters, 6 bytes
    EXPECT_EQ(all[2].at("SUBMODE"), "QPSK31");
    EXPECT_EQ(all[3].at("MODE"), "FM");
    EXPECT_EQ(all[3].count("NAME"), 0u);                                 // "Ren\xe9" is no plain-letter word
    EXPECT_NE(adif.find("<COMMENT:4>Ren\xc3\xa9 "), std::string::npos);  // Latin-1 byte as UTF-8
    EXPECT_EQ(all[4].at("BAND"), "6m");
    EXPECT_EQ(all[4].at("SUBMODE"), "FSK31");

    const std::regex date("[0-9]{8}"), time("[0-9]{6}"), freq("[0-9]+\\.[0-9]{3,6}");
    for (const auto& r : all) {
        EXPECT_TRUE(std::regex_match(r.at("QSO_DATE"), date));
        EXPECT_TRUE(std::regex_match(r.at("TIME_ON"), time));
        EXPECT_TRUE(std::regex_match(r.at("FREQ"), freq));
    }
}

TEST_F(Adif, RoundTripThroughAnEmptyLogKeepsTheContacts)
{
    test::writeFile(log,
                    "DL1ABC tnx Hans Berlin 599/579 08/Dec/2026 19:05:09z PSK31 14.070.500\r\n\r\n"
                    "G4XYZ Bob 08/Dec/2026 00:30:00 LSB 3.710.000\r\n\r\n"
                    "OK1XY 5NN/599 CW contest 08/Dec/2026 10:00:00z RTTY 7.040.001\r\n\r\n"
                    "JA1ZZ 08/Dec/2026 10:00:00z 24.900.000 SSTV\r\n\r\n");
    const std::string first = exportLog(log);

    const std::string copy = dir.file("copy.log");
    const AdifImportResult imported = ImportAdif(first, copy, kZone);
    EXPECT_EQ(imported.imported, 4);
    EXPECT_TRUE(imported.error.empty());
    EXPECT_TRUE(imported.skipped.empty());
    const std::string second = exportLog(copy);
    const auto a = records(first);
    const auto b = records(second);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << i;

    // The same file again: every contact is already there.
    const AdifImportResult again = ImportAdif(first, copy, kZone);
    EXPECT_EQ(again.imported, 0);
    EXPECT_EQ(again.duplicates, 4);
}

TEST_F(Adif, ImportsAnotherLoggersFile)
{
    // Lower-case tags, types, extra fields, CRLF, no ADIF_VER, a byte-counted UTF-8 QTH, a
    // comment with words the log would read as a mode or a second line.
    const std::string adif =
        "Exported by SomeLogger\r\n<programid:10>SomeLogger\r\n<eoh>\r\n"
        "<call:5>dk9xx <band:3>20M <mode:3>SSB <submode:3>USB <freq:6:N>14.205 <qso_date:8:D>20261201 "
        "<time_on:4>1230 <rst_sent:2>59 <rst_rcvd:2>57 <name:4>Hans <qth:5>K\xc3\xb6ln "
        "<my_gridsquare:6>JO62qm "
        "<comment:17>CW later\r\nPSK too <eor>\r\n"
        "<CALL:5>G4XYZ <QSO_DATE:8>20261201 <TIME_ON:6>123000 <MODE:3>FT8 <FREQ:9>14.074000 <EOR>\r\n"
        "<CALL:5>G4XYZ <QSO_DATE:8>20261201 <TIME_ON:6>123000 <MODE:2>CW <BAND:3>20m <EOR>\r\n"
        "<CALL:5>DK9XX <QSO_DATE:8>20261201 <TIME_ON:6>123030 <MODE:3>SSB <FREQ:6>14.205 <EOR>\r\n";
    test::writeFile(log, "DL1ABC 08/Dec/2026 19:05:09z PSK31 14.070.500\r\n\r\n");
    const AdifImportResult r = ImportAdif(adif, log, kZone);
    EXPECT_EQ(r.imported, 2);
    EXPECT_EQ(r.duplicates, 1);  // DK9XX 30 s later, same band and mode
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0], "line 7: no FREQ (MHz)");

    const auto all = records(exportLog(log));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].at("CALL"), "DK9XX");
    EXPECT_EQ(all[1].at("QSO_DATE"), "20261201");
    EXPECT_EQ(all[1].at("TIME_ON"), "123000");
    EXPECT_EQ(all[1].at("FREQ"), "14.205");
    EXPECT_EQ(all[1].at("MODE"), "SSB");
    EXPECT_EQ(all[1].at("SUBMODE"), "USB");
    EXPECT_EQ(all[1].at("RST_RCVD"), "57");
    EXPECT_EQ(all[1].at("RST_SENT"), "59");
    EXPECT_EQ(all[1].at("NAME"), "Hans");
    EXPECT_EQ(all[1].at("COMMENT"), "K\xc3\xb6ln cw later psk too");
    EXPECT_EQ(all[2].at("CALL"), "G4XYZ");
    EXPECT_EQ(all[2].count("MODE"), 0u);  // FT8 has no log word; it stays a remark
    EXPECT_EQ(all[2].at("COMMENT"), "FT8");
}

}  // namespace
}  // namespace vexa::log
