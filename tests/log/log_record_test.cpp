// The log parser on the records operators write by hand and the records Vexa writes itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "log/log_line.h"
#include "log/log_record.h"
#include "log/time_stamp_entry.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompter.h"

namespace vexa::log {
namespace {

const TimeZoneOffset kUtc{0};

struct ParseCase {
    const char* text;
    ParseResult result;
    int frequencyHz;
    const char* modeText;
    const char* remarks;
};

TEST(ParseLogRecord, ShapesModeWordsAndResultCodes)
{
    const ParseCase cases[] = {
        {"DL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500", ParseResult::Complete, 14070500,
         "PSK ", "Hans 599/579 "},
        // "RTTY" after a PSK word is a remark; before one it is replaced.
        {"DL1ABC 08/Dec/2026 18:05:09z PSK31 RTTY 14.070.500", ParseResult::Complete, 14070500, "PSK ",
         "RTTY "},
        {"DL1ABC 08/Dec/2026 18:05:09z RTTY PSK31 14.070.500", ParseResult::Complete, 14070500, "PSK ", ""},
        {"DL1ABC 08/Dec/2026 18:05:09z CW USB 14.010.000", ParseResult::Complete, 14010000, "CW  ", "USB "},
        {"DL1ABC 08/Dec/2026 18:05:09z USB 14.210.000", ParseResult::Complete, 14210000, "SSB ", ""},
        {"DL1ABC 08/Dec/2026 18:05:09z FM AM RS13 14.210.000", ParseResult::Complete, 14210000, "",
         "FM AM RS13 "},
        // Each part of the frequency is an integer: 70 is 70 kHz.
        {"DL1ABC 08/Dec/2026 18:05:09z 14.70.5", ParseResult::Complete, 14070005, "", ""},
        // Words shaped like a date, time or frequency that do not read as one are dropped.
        {"DL1ABC 08/Dec/2026 18:05:09z 7.1.x 24:00:00 31/Feb/2026 a.b.c 14.070.000 x:y:z",
         ParseResult::Complete, 14070000, "", ""},
        // A later date, time or frequency replaces an earlier one.
        {"DL1ABC 01/Jan/2020 10:00:00 7.000.000 08/Dec/2026 18:05:09z 14.070.000", ParseResult::Complete,
         14070000, "", ""},
        {"599 08/Dec/2026 18:05:09z 14.070.000", ParseResult::NoCall, 0, "", ""},
        {"   ", ParseResult::NoCall, 0, "", ""},
        {"DL1ABC 18:05:09z 14.070.000", ParseResult::NoDate, 0, "", ""},
        {"DL1ABC 08/Dec/2026 14.070.000", ParseResult::NoTime, 0, "", ""},
        {"DL1ABC 08/Dec/2026 18:05:09z PSK31", ParseResult::NoFrequency, 0, "", ""},
        {"DL1ABC 08/Dec/2026 18:05:09z 0.0.0", ParseResult::NoFrequency, 0, "", ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        LogRecord r;
        r.frequencyHz = -1;
        ASSERT_EQ(ParseLogRecord(c.text, &r, kUtc), c.result);
        if (c.result != ParseResult::Complete) {
            EXPECT_EQ(r.frequencyHz, -1);  // outputs are written only for a complete record
            continue;
        }
        EXPECT_EQ(r.call, "DL1ABC");
        EXPECT_EQ(r.frequencyHz, c.frequencyHz);
        EXPECT_EQ(r.modeText, c.modeText);
        EXPECT_EQ(r.remarks, c.remarks);
        EXPECT_EQ(r.time, ToLogTime({2026, 12, 8, 18, 5, 9}));
    }
}

TEST(ParseLogRecord, RecordSpreadOverLinesAndDateForms)
{
    LogRecord r;
    ASSERT_EQ(ParseLogRecord("G4XYZ tnx\r\nfor the QSO 2026/12/08 07:00:00 CW 3.560.000", &r, kUtc),
              ParseResult::Complete);
    EXPECT_EQ(r.time, ToLogTime({2026, 12, 8, 7, 0, 0}));
    EXPECT_FALSE(r.utcWritten);
    EXPECT_EQ(r.remarks, "tnx for the QSO ");
    // A leap day only in a leap year.
    EXPECT_EQ(ParseLogRecord("G4XYZ 29/Feb/2024 07:00:00 3.560.000", nullptr, kUtc), ParseResult::Complete);
    EXPECT_EQ(ParseLogRecord("G4XYZ 29/Feb/2026 07:00:00 3.560.000", nullptr, kUtc), ParseResult::NoDate);
}

class WithTimeZone : public ::testing::Test {
protected:
    void use(const char* tz)
    {
        const char* old = std::getenv("TZ");
        m_saved = old != nullptr ? old : "";
        m_had = old != nullptr;
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (m_had)
            ::setenv("TZ", m_saved.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string m_saved;
    bool m_had = false;
};

TEST_F(WithTimeZone, UtcTimeIsStoredLocalAndShownAsUtc)
{
    use("XXX-1");  // one hour east of UTC, no daylight saving
    const TimeZoneOffset zone = TimeZoneOffset::system();
    ASSERT_EQ(zone.secondsWest, -3600);
    LogRecord r;
    ASSERT_EQ(ParseLogRecord("DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500", &r, zone),
              ParseResult::Complete);
    EXPECT_EQ(r.time, ToLogTime({2026, 12, 8, 19, 5, 9}));
    EXPECT_EQ(FormatLogLine(r, zone), "DL1ABC     08/Dec 18:05z 14.070 PSK  \r\n");
    // A local time is shown converted to UTC.
    ASSERT_EQ(ParseLogRecord("DL1ABC 08/Dec/2026 00:30:00 CW 7.012.000", &r, zone), ParseResult::Complete);
    EXPECT_EQ(FormatLogLine(r, zone), "DL1ABC     07/Dec 23:30z  7.012 CW   \r\n");
}

TEST(FormatLogLine, LongCallShiftsTheLine)
{
    LogRecord r;
    ASSERT_EQ(ParseLogRecord("VK2/DL1ABCD/P Hans 08/Dec/2026 18:05:09z CW 14.010.000", &r, kUtc),
              ParseResult::Complete);
    EXPECT_EQ(FormatLogLine(r, kUtc), "VK2/DL1ABCD/P 08/Dec 18:05z 14.010 CW   Hans \r\n");
}

// The records the time stamp writes parse back to the same call, time, frequency and mode.
TEST(TimeStampEntry, StampedRecordsParseBack)
{
    struct Stamp {
        OperatingMode mode;
        const char* frequencyText;
        int hz;
        const char* modeText;
        bool gmt;
    };
    const Stamp stamps[] = {
        {OperatingMode::Psk31, "14.070.500", 14070500, "PSK ", true},
        {OperatingMode::Qpsk, "7.035.150", 7035150, "PSK ", true},
        {OperatingMode::Fsk31, "3.580.000", 3580000, "FSK ", false},
        {OperatingMode::Rtty, "21.080.045", 21080045, "RTTY", true},
        {OperatingMode::Cw, "1.838.000", 1838000, "CW  ", false},
        {OperatingMode::Ssb, "28.500.000", 28500000, "SSB ", true},
        {OperatingMode::Sstv, "14.230.000", 14230000, "SSTV", true},
        {OperatingMode::Fax, "14.231.000", 14231000, "FAX ", true},
        {OperatingMode::Fm, "29.600.000", 29600000, "", true},
    };
    const TimeZoneOffset zone{-3600};
    test::FixedClock clock(1796234709);
    for (const Stamp& s : stamps) {
        SCOPED_TRACE(s.frequencyText);
        test::ScriptedPrompter prompter;
        QsoFields fields;
        fields.call = "OH2/DL1ABC";
        fields.name = "Hans";
        fields.rst = "579";
        fields.myRst = "599";
        QsoSources sources;
        sources.frequencyText = [&] { return std::string(s.frequencyText); };
        QsoFieldProviders providers(fields, prompter, sources);
        EntryLineState state;
        StampInputs in;
        in.entryText = "OH2/DL1ABC tnx fer QSO";
        in.operatingMode = s.mode;
        in.gmt = s.gmt;
        const StampResult stamp = TimeStampEntry(state, providers, in, clock, zone);
        ASSERT_TRUE(stamp.stamped);
        LogRecord r;
        ASSERT_EQ(ParseLogRecord(stamp.line + stamp.suffix, &r, zone), ParseResult::Complete)
            << stamp.line << stamp.suffix;
        EXPECT_EQ(r.call, "OH2/DL1ABC");
        EXPECT_EQ(r.time, zone.toLocal(clock.value));
        EXPECT_EQ(r.frequencyHz, s.hz);
        EXPECT_EQ(r.modeText, s.modeText);
        EXPECT_TRUE(prompter.shown.empty());
    }
}

}  // namespace
}  // namespace vexa::log
