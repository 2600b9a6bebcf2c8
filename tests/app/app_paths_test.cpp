// Where files live: the XDG profile and data directories under a temporary home, the data
// directory becoming the working directory, the country-file fall-back, the command line
// and the COM port to device mapping.
#include "app/app_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <fstream>

#include "app/command_line.h"
#include "app/settings.h"
#include "rig/serial_device.h"
#include "support/slurp.h"
#include "support/temp_dir.h"

namespace vexa::app {
namespace {

// A private HOME without XDG variables; restores the environment and working directory.
class FreshHome : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldCwd = std::filesystem::current_path();
        save("HOME");
        save("XDG_CONFIG_HOME");
        save("XDG_DATA_HOME");
        setenv("HOME", m_home.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_oldCwd);
        for (auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void save(const char* name)
    {
        const char* v = std::getenv(name);
        m_saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }

    test::TempDir m_home;
    std::filesystem::path m_oldCwd;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(FreshHome, XdgDefaultsAndOverrides)
{
    EXPECT_EQ(profilePath(), m_home.path() / ".config/vexa/vexa.ini");
    EXPECT_EQ(defaultDataDirectory(), m_home.path() / ".local/share/vexa");
    setenv("XDG_CONFIG_HOME", (m_home.path() / "cfg").c_str(), 1);
    setenv("XDG_DATA_HOME", (m_home.path() / "data").c_str(), 1);
    EXPECT_EQ(profilePath(), m_home.path() / "cfg/vexa/vexa.ini");
    EXPECT_EQ(defaultDataDirectory(), m_home.path() / "data/vexa");
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // ignored: must be absolute
    EXPECT_EQ(profilePath(), m_home.path() / ".config/vexa/vexa.ini");
}

TEST_F(FreshHome, FirstStartReadsDefaultsAndTheFirstWriteCreatesTheProfile)
{
    Profile profile(profilePath());
    Settings s;
    s.readLayout(profile);
    s.readOperating(profile);
    s.readText(profile);
    EXPECT_EQ(s.comPort, 2);
    EXPECT_EQ(s.station.call, "XX9XX");
    EXPECT_FALSE(std::filesystem::exists(m_home.path() / ".config"));
    ASSERT_TRUE(s.writeStation(profile));
    EXPECT_TRUE(std::filesystem::is_regular_file(m_home.path() / ".config/vexa/vexa.ini"));
}

TEST_F(FreshHome, DataDirectoryIsCreatedAndBecomesTheWorkingDirectory)
{
    const DataDirectoryResult r = enterDataDirectory(defaultDataDirectory());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(std::filesystem::current_path(), m_home.path() / ".local/share/vexa");
    std::ofstream("log.log") << "XX1AA\n";
    EXPECT_TRUE(std::filesystem::exists(m_home.path() / ".local/share/vexa/log.log"));

    // A relative --data-dir is taken from where Vexa was started.
    std::filesystem::current_path(m_home.path());
    const DataDirectoryResult rel = enterDataDirectory("station/data");
    ASSERT_TRUE(rel.ok()) << rel.error;
    EXPECT_EQ(rel.directory, m_home.path() / "station/data");
    EXPECT_EQ(std::filesystem::current_path(), m_home.path() / "station/data");

    std::ofstream(m_home.path() / "plainfile") << "x";
    const DataDirectoryResult bad = enterDataDirectory(m_home.path() / "plainfile" / "sub");
    EXPECT_FALSE(bad.ok());
    EXPECT_NE(bad.error.find("plainfile"), std::string::npos);
    EXPECT_EQ(std::filesystem::current_path(), m_home.path() / "station/data");  // unchanged
}

TEST_F(FreshHome, CountryFileInTheDataDirectoryWinsOverTheSystemOne)
{
    ASSERT_TRUE(enterDataDirectory(m_home.path() / "d").ok());
    if (std::filesystem::exists(kSystemCountryFile))
        EXPECT_EQ(countryFilePath(), kSystemCountryFile);
    else
        EXPECT_EQ(countryFilePath(), "cty.dat");
    std::ofstream("cty.dat") << "Testland: 01: 01: EU: 50.0: -10.0: 0.0: XT:\n    XT;\n";
    EXPECT_EQ(countryFilePath(), "cty.dat");
}

TEST_F(FreshHome, DemoRecordingIsFoundNextToTheExecutable)
{
    const std::filesystem::path bin = m_home.path() / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(m_home.path() / "share/vexa");
    std::ofstream(m_home.path() / "share/vexa/demo.wav") << "RIFF";
    auto found = demoRecordingPath(bin);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, m_home.path() / "share/vexa/demo.wav");
    std::ofstream(bin / "demo.wav") << "RIFF";
    EXPECT_EQ(*demoRecordingPath(bin), bin / "demo.wav");
    EXPECT_FALSE(executableDirectory().empty());
}

TEST_F(FreshHome, ANewDataDirectoryGetsTheInstalledHelpButAnEditedOneIsKept)
{
    const std::filesystem::path bin = m_home.path() / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path data = m_home.path() / "data";
    std::filesystem::create_directories(data);
    EXPECT_TRUE(copyDefaultFiles(data, bin).empty()) << "nothing installed, nothing to say";
    EXPECT_FALSE(std::filesystem::exists(data / "Help.txt"));

    std::filesystem::create_directories(m_home.path() / "share/vexa");
    std::ofstream(m_home.path() / "share/vexa/Help.txt") << "installed help\n";
    EXPECT_TRUE(copyDefaultFiles(data, bin).empty());
    EXPECT_EQ(test::slurp(data / "Help.txt"), "installed help\n");

    std::ofstream(data / "Help.txt") << "my own notes\n";
    EXPECT_TRUE(copyDefaultFiles(data, bin).empty());
    EXPECT_EQ(test::slurp(data / "Help.txt"), "my own notes\n");

    // A data directory that cannot take the file is reported, naming both ends.
    std::filesystem::remove(data / "Help.txt");
    std::filesystem::permissions(data,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::vector<std::string> errors = copyDefaultFiles(data, bin);
    std::filesystem::permissions(data, std::filesystem::perms::owner_all);
    if (geteuid() != 0) {  // root writes anyway
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find((data / "Help.txt").string()), std::string::npos) << errors[0];
    }
}

TEST(CommandLine, OptionsAndErrors)
{
    auto parse = [](std::initializer_list<std::string_view> args) {
        const std::vector<std::string_view> v(args);
        return parseCommandLine(v);
    };
    const CommandLineResult none = parse({});
    EXPECT_TRUE(none.ok());
    EXPECT_FALSE(none.options.dataDir);
    EXPECT_FALSE(none.options.demo);

    const CommandLineResult all = parse({"--demo", "--data-dir", "/tmp/x", "--version", "--help"});
    ASSERT_TRUE(all.ok()) << all.error;
    EXPECT_EQ(all.options.dataDir, "/tmp/x");
    EXPECT_TRUE(all.options.demo);
    EXPECT_TRUE(all.options.version);
    EXPECT_TRUE(all.options.help);
    EXPECT_EQ(parse({"--data-dir=/a b"}).options.dataDir, "/a b");

    EXPECT_EQ(parse({"--data-dir"}).error, "vexa: option '--data-dir' needs a directory");
    EXPECT_EQ(parse({"--data-dir="}).error, "vexa: option '--data-dir' needs a directory");
    EXPECT_EQ(parse({"--dmeo"}).error, "vexa: unknown option '--dmeo' (see vexa --help)");
    EXPECT_EQ(parse({"log.log"}).error, "vexa: unexpected argument 'log.log' (see vexa --help)");
    EXPECT_NE(usageText().find("--data-dir DIR"), std::string::npos);
}

TEST(SerialDevice, ComPortsMapToDevicesUnlessTheProfileSaysOtherwise)
{
    test::TempDir dir;
    Profile profile(dir.path() / "vexa.ini");
    EXPECT_EQ(rig::serialDevicePath(0, profile), "");
    EXPECT_EQ(rig::serialDevicePath(1, profile), "/dev/ttyS0");
    EXPECT_EQ(rig::serialDevicePath(2, profile), "/dev/ttyS1");
    EXPECT_EQ(rig::serialDevicePath(4, profile), "/dev/ttyS3");
    std::ofstream(dir.path() / "vexa.ini") << "[tx1]\ncom2device = /dev/ttyUSB0\nCom3Device=\n";
    EXPECT_EQ(rig::serialDevicePath(2, profile), "/dev/ttyUSB0");
    EXPECT_EQ(rig::serialDevicePath(3, profile), "/dev/ttyS2");  // empty value: the default
    EXPECT_EQ(rig::comDeviceKey(2), "Com2Device");

    // The stable adapter names offered beside them, sorted; none without the directory.
    const auto byId = dir.path() / "by-id";
    EXPECT_TRUE(rig::serialDevicesById(byId).empty());
    std::filesystem::create_directory(byId);
    std::filesystem::create_symlink("../../ttyUSB1", byId / "usb-FTDI_FT232R-if00-port0");
    std::filesystem::create_symlink("../../ttyACM0", byId / "usb-Icom_IC-7300-if00");
    EXPECT_EQ(rig::serialDevicesById(byId),
              (std::vector<std::string>{(byId / "usb-FTDI_FT232R-if00-port0").string(),
                                        (byId / "usb-Icom_IC-7300-if00").string()}));
}

}  // namespace
}  // namespace vexa::app
