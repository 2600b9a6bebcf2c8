// Settings: a start with no profile, the "value in memory is the default" rule,
// the write order of the settings sheet and the station data that must survive an exit.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/slurp.h"
#include "support/temp_dir.h"

namespace vexa::app {
namespace {

using test::slurp;

void readAll(Settings& s, const Profile& p)
{
    s.readLayout(p);
    s.readOperating(p);
    s.readText(p);
}

// The operating settings read from a profile holding `text`.
Settings readProfileText(const test::TempDir& dir, const char* text)
{
    std::ofstream(dir.path() / "vexa.ini") << text;
    Settings s;
    s.readOperating(Profile(dir.path() / "vexa.ini"));
    return s;
}

TEST(Settings, SpectrumStartBin)
{
    EXPECT_EQ(spectrumStartBinFor(384), 71);
    EXPECT_EQ(spectrumStartBinFor(0), 0);
    EXPECT_EQ(spectrumStartBinFor(5), 0);
    EXPECT_EQ(spectrumStartBinFor(6), 1);
    EXPECT_EQ(spectrumStartBinFor(1000), 185);
    test::TempDir dir;
    EXPECT_EQ(readProfileText(dir, "[Spectrum]\nStartFq=0\n").spectrumStartBin, 0);
}

TEST(Settings, MissingKeysKeepTheValuesInMemoryExceptThePortKeys)
{
    test::TempDir dir;
    Profile empty(dir.path() / "vexa" / "vexa.ini");
    Settings s;
    s.largeScreen = 1;
    s.wrap = 60;
    s.cwId = 3;
    s.soundFq = 1500;
    s.startFq = 0;
    s.comPort = 4;
    s.comSpeed = 9600;
    s.type = 3;
    s.sound.inputDevice = "USB Audio";
    s.rigctld = "shack-pi:4532";
    s.station.call = "XX1ABC";
    readAll(s, empty);
    EXPECT_EQ(s.rigctld, "shack-pi:4532");
    EXPECT_EQ(s.largeScreen, 1);
    EXPECT_EQ(s.wrap, 60);
    EXPECT_EQ(s.cwId, 3);
    EXPECT_EQ(s.soundFq, 1500);
    EXPECT_EQ(s.spectrumStartBin, 0);
    EXPECT_EQ(s.sound.inputDevice, "USB Audio");
    EXPECT_EQ(s.station.call, "XX1ABC");
    // These three read with fixed defaults.
    EXPECT_EQ(s.comPort, 2);
    EXPECT_EQ(s.comSpeed, 1200);
    EXPECT_EQ(s.type, 0);
    EXPECT_FALSE(std::filesystem::exists(empty.file()));  // reading never creates it
}

TEST(Settings, ConfirmedSheetWritesEveryIntegerKeyInOrder)
{
    test::TempDir dir;
    Profile profile(dir.path() / "vexa.ini");
    Settings s;
    s.comSpeed = 9600;
    s.zoom = 2;
    s.largeScreen = 1;
    ASSERT_TRUE(s.writeIntegerKeys(profile));
    EXPECT_EQ(slurp(profile.file()),
              "[Station]\nCwId=2\n\n"
              "[TX1]\nComPort=2\nComSpeed=9600\nType=0\nSwapPttAndCw=0\nDigiSide=0\nIcomAddr=0\n\n"
              "[Spectrum]\nSoundFq=1000\nStartFq=384\nAverageInverted=0\nShowAverage=0\nAverageThickLine="
              "0\nZoom=2\n\n"
              "[Keyboard]\nWrap=80\nBoldFont=0\nLargeScreen=1\n");
    Settings back;
    readAll(back, profile);
    EXPECT_EQ(back.comSpeed, 9600);
    EXPECT_EQ(back.zoom, 2);
    EXPECT_EQ(back.largeScreen, 1);
}

TEST(Settings, StationDataSurvivesARestart)
{
    test::TempDir dir;
    Profile profile(dir.path() / "vexa.ini");
    Settings s;
    s.station = StationData{"XX2YZ", "Ann", "Hilltop", -33.8688, -151.2093};
    ASSERT_TRUE(s.writeStation(profile));
    Settings next;
    next.readOperating(profile);
    EXPECT_EQ(next.station.call, "XX2YZ");
    EXPECT_EQ(next.station.name, "Ann");
    EXPECT_EQ(next.station.qth, "Hilltop");
    EXPECT_NEAR(next.station.latitude, -33.8688, 1e-6);
    EXPECT_NEAR(next.station.longitude, -151.2093, 1e-6);
}

TEST(Settings, HandEditedValuesThatFeedArithmeticAreClampedToTheSheetRanges)
{
    struct Case {
        const char* line;
        int Settings::*field;
        int expected;
    };
    const Case cases[] = {
        {"[Station]\nCwId=600000000\n", &Settings::cwId, 3},  // 4 x unit would overflow
        {"[Station]\nCwId=0\n", &Settings::cwId, 1},
        {"[Station]\nCwId=2\n", &Settings::cwId, 2},
        {"[TX1]\nComSpeed=-9600\n", &Settings::comSpeed, 1200},
        {"[TX1]\nComSpeed=0\n", &Settings::comSpeed, 1200},
        {"[TX1]\nComSpeed=4800\n", &Settings::comSpeed, 4800},
        {"[Spectrum]\nSoundFq=2147483647\n", &Settings::soundFq, 3000},  // dial + carrier overflowed
        {"[Spectrum]\nSoundFq=-40\n", &Settings::soundFq, 300},
        {"[Spectrum]\nSoundFq=1234\n", &Settings::soundFq, 1234},
        {"[Spectrum]\nStartFq=99999\n", &Settings::startFq, 2000},
        {"[Spectrum]\nStartFq=-1\n", &Settings::startFq, 0},
        {"[Spectrum]\nZoom=7\n", &Settings::zoom, 2},
        {"[Spectrum]\nZoom=-3\n", &Settings::zoom, 0},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(readProfileText(dir, c.line).*c.field, c.expected);
    }
    EXPECT_EQ(readProfileText(dir, "[Spectrum]\nStartFq=99999\n").spectrumStartBin,
              spectrumStartBinFor(2000));
}

// Profiles from before input and output were chosen apart keep their one device; the
// transmit level stays within what the page offers.
TEST(Settings, SoundKeys)
{
    struct Case {
        const char* text;
        engine::SoundChoice expected;
    };
    const Case cases[] = {
        {"[Sound]\nDevice=USB Audio\n", {"USB Audio", "USB Audio", 0}},
        {"[Sound]\nDevice=USB Audio\nOutputDevice=default\nTransmitLevel=-12\n",
         {"USB Audio", "default", -12}},
        {"[Sound]\nInputDevice=\nTransmitLevel=-90\n", {"default", "default", -40}},
        {"[Sound]\nTransmitLevel=6\n", {"default", "default", 0}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Settings s = readProfileText(dir, c.text);
        EXPECT_EQ(s.sound, c.expected);
        Profile written(dir.path() / "written.ini");
        ASSERT_TRUE(s.writeSound(written));
        Settings again;
        again.readSound(written);
        EXPECT_EQ(again.sound, c.expected);
    }
}

TEST(Settings, NonsenseCoordinatesKeepTheDefault)
{
    test::TempDir dir;
    Settings s = readProfileText(dir, "[station]\nlatitude=north\nLongitude=200\n");
    EXPECT_DOUBLE_EQ(s.station.latitude, 50.5);
    EXPECT_DOUBLE_EQ(s.station.longitude, 30.5);
    s = readProfileText(dir, "[station]\nlatitude=+12.25\nLongitude=-0.5\n");
    EXPECT_DOUBLE_EQ(s.station.latitude, 12.25);
    EXPECT_DOUBLE_EQ(s.station.longitude, -0.5);
}

}  // namespace
}  // namespace vexa::app
