// Worked-before and new-country alerts and the statistics table from a crafted log, scanned
// into the worked calls and (through the contact recorder) into worked-status tables.
#include <gtest/gtest.h>

#include <map>

#include "common/band_plan.h"
#include "log/country_worked.h"
#include "log/scan_log_file.h"
#include "log/statistics.h"
#include "log/worked_alert.h"
#include "support/fake_worked_tables.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace vexa::log {
namespace {

// Resolves a few calls to countries the way the country module would, and records them.
class CraftedCountries : public ContactRecorder {
public:
    explicit CraftedCountries(test::FakeWorkedTables& t) : tables(t) {}
    void RecordWorked(std::string_view call, int hz, std::string_view modeText) override
    {
        static const std::map<std::string_view, std::uint32_t> kBits = {
            {"CW  ", 0x01}, {"SSB ", 0x02}, {"RTTY", 0x04}, {"SSTV", 0x08}, {"PSK ", 0x10}, {"FSK ", 0x20}};
        const auto bit = kBits.find(modeText);
        const int band = FindBand(hz);
        if (bit == kBits.end() || band < 0) return;
        tables.work(countryOf(call), band, bit->second, call[0] == 'D' ? 14 : 27, call[0] == 'D' ? 28 : 40);
    }
    static int countryOf(std::string_view call) { return call[0] == 'D' ? 0 : call[0] == 'G' ? 1 : 2; }
    test::FakeWorkedTables& tables;
};

class Alerts : public ::testing::Test {
protected:
    test::TempDir dir;
    test::FakeWorkedTables tables{3};  // 0 Germany, 1 England, 2 Japan (never worked)
    CraftedCountries countries{tables};
    WorkedCalls worked;
    ScanResult scan;
    void SetUp() override
    {
        LogContext context;
        context.logPath = dir.write("log.log",
                                    "DL1ABC 08/Dec/2026 18:05:09z CW 14.010.000\r\n\r\n"
                                    "DL2XYZ 08/Dec/2026 18:30:00z PSK31 14.070.500\r\n\r\n"
                                    "DL2XYZ 08/Dec/2026 19:00:00z RTTY 7.040.000\r\n\r\n"
                                    "G4XYZ 08/Dec/2026 19:10:00z FSK31 21.080.000\r\n\r\n");
        context.workedCalls = &worked;
        context.recorder = &countries;
        scan = ScanLogFile(context, test::FixedClock(0), nullptr);
    }
    std::string alert(const char* call, int hz, OperatingMode mode)
    {
        return ComputeAlert(call, CraftedCountries::countryOf(call), hz, mode, worked, &tables);
    }
};

TEST_F(Alerts, WorkedBeforeAndNewCountries)
{
    EXPECT_EQ(alert("DL1ABC", 14020000, OperatingMode::Cw), "QSO BEFORE");
    EXPECT_EQ(alert("DL1ABC", 14200000, OperatingMode::Ssb),
              "Qso on other band or mode\r\nNew country for SSB");
    EXPECT_EQ(alert("DL1ABC", 7020000, OperatingMode::Cw), "Qso on other band or mode\r\nNew country for CW");
    EXPECT_EQ(alert("DL2XYZ", 7040000, OperatingMode::Psk31),
              "QSO BEFORE");                                         // RTTY and PSK share the digital class
    EXPECT_EQ(alert("DL3NEW", 14070000, OperatingMode::Psk31), "");  // Germany was worked digitally on 20 m
    EXPECT_EQ(alert("DL3NEW", 14070000, OperatingMode::Fm), "");     // FM is in the digital class
    EXPECT_EQ(alert("JA1ZZZ", 14070000, OperatingMode::Psk31), "!!!NEW COUNTRY!!!");
    EXPECT_EQ(alert("G4XYZ", 21080000, OperatingMode::Fsk31), "QSO BEFORE");
    EXPECT_EQ(alert("G4NEW", 28080000, OperatingMode::Psk31), "\r\nNew country for DIGITAL");
    EXPECT_EQ(alert("DL1ABC", 50100000, OperatingMode::Cw), "");  // outside every band
    // Without country data only the worked-before part remains.
    EXPECT_EQ(ComputeAlert("DL1ABC", -1, 14200000, OperatingMode::Usb, worked, &tables),
              "Qso on other band or mode");
    // Own bits per band and class: 12 m SSB is not 1.8 MHz CW.
    WorkedCalls w;
    w.recordContact("K1AB", 1838000, "CW  ");
    EXPECT_EQ(w.check("K1AB", 7, 1), WorkedBefore::OtherBandOrMode);
    EXPECT_EQ(w.check("k1ab", 0, 0), WorkedBefore::Never);
}

TEST_F(Alerts, StatisticsTable)
{
    const std::string withTotal = FormatStatistics(tables, scan.qsoTotal);
    EXPECT_EQ(
        withTotal.rfind("\r\nBand\ttotal\tcw\tssb\trtty\tpsk31\tsstv\twaz\titu\twas\r\n  1.8:\t  0\t", 0),
        0u);
    EXPECT_NE(withTotal.find("  7.0:\t  1\t  0\t  0\t  1\t  0\t  0\t  1\t  1\t  0\r\n"), std::string::npos);
    EXPECT_NE(withTotal.find(" 14.0:\t  1\t  1\t  0\t  0\t  1\t  0\t  1\t  1\t  0\r\n"), std::string::npos);
    // FSK is counted in the total column only.
    EXPECT_NE(withTotal.find(" 21.0:\t  1\t  0\t  0\t  0\t  0\t  0\t  1\t  1\t  0\r\n"), std::string::npos);
    EXPECT_NE(withTotal.find("TOTAL:\t  2\t  1\t  0\t  1\t  1\t  0\t  2\t  2\t  0\r\n\r\nQSOs total: 4\r\n"),
              std::string::npos);
    EXPECT_EQ(FormatStatistics(tables, std::nullopt).find("QSOs total"), std::string::npos);
}

// With the real country file: a call of a WAE-only entity counts for its DXCC country.
TEST(CountryAlerts, WaeEntityIsNoNewCountry)
{
    const char* kCty = "/usr/share/hamradio-files/cty.dat";
    country::CountryTable table;
    country::WorkedTables tables;
    if (!country::LoadCountryFile(kCty, table, tables)) GTEST_SKIP() << "no " << kCty;
    test::TempDir dir;
    WorkedCalls worked;
    CountryContactRecorder recorder(table, tables);
    LogContext context;
    context.logPath = dir.write("log.log", "I1ABC 08/Dec/2026 18:05:09z CW 14.010.000\r\n\r\n");
    context.workedCalls = &worked;
    context.recorder = &recorder;
    ASSERT_EQ(ScanLogFile(context, test::FixedClock(0), nullptr).qsoTotal, 1);

    EXPECT_EQ(ComputeCountryAlert("IT9XYZ", table, tables, 14020000, OperatingMode::Cw, worked), "");
    EXPECT_EQ(ComputeCountryAlert("IT9XYZ", table, tables, 14200000, OperatingMode::Usb, worked),
              "\r\nNew country for SSB");
    EXPECT_EQ(ComputeCountryAlert("I1ABC", table, tables, 14020000, OperatingMode::Cw, worked), "QSO BEFORE");
    EXPECT_EQ(ComputeCountryAlert("JA1ZZZ", table, tables, 14020000, OperatingMode::Cw, worked),
              "!!!NEW COUNTRY!!!");
}

}  // namespace
}  // namespace vexa::log
