// The country side of the main window, headless: the map follows the call being entered and
// the focus, Info reports through the prompter, and the data is loaded once per run.
#include "app/country_commands.h"

#include <gtest/gtest.h>

#include "support/memory_text_window.h"
#include "support/scripted_prompter.h"

using namespace vexa;

TEST(CountryCommands, MapFollowsTheEnteredCallAndInfoReports)
{
    app::CountryData data;
    app::StationData station;  // 50.5 N, 30.5 E
    test::MemoryTextWindow entry;
    test::ScriptedPrompter prompter;
    app::CountryCommands country(data, station, entry, prompter);
    country.load();  // no cty.dat in the test's directory: Debian's
    ASSERT_GT(data.table.size(), 300u);
    EXPECT_TRUE(data.workedCacheRead);
    EXPECT_TRUE(country.showStation());
    EXPECT_FALSE(country.showStation());  // unchanged position
    EXPECT_EQ(country.picture().at(64, 64), display::kMapStation);

    entry.type("ja1abc 599");
    EXPECT_TRUE(country.tick(true));
    ASSERT_TRUE(country.overlay());
    EXPECT_EQ(country.overlay()->text.substr(0, 4), " JA\n");
    const auto end = country.overlay()->lineEnd;
    EXPECT_EQ(country.picture().at(end.x, end.y), display::kMapBeam);
    EXPECT_FALSE(country.tick(true));  // same call: nothing to do
    EXPECT_FALSE(country.tick(false));
    EXPECT_TRUE(country.tick(true));  // focus back: looked up again

    app::CommandTable commands;
    country.addCommands(commands);
    entry.select(0, 6);
    ASSERT_TRUE(commands.run(app::ControlId::InfoKey, app::CommandOrigin::Accelerator));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].extra, "Beaming info");
    EXPECT_EQ(prompter.shown[0].text.substr(0, 15), "JA1ABC:\r\nJapan ");

    data.worked.add(4, 0, 0, 0, country::kWorkedCw);
    country.load();  // a rebuilt window: nothing is reloaded
    EXPECT_EQ(data.worked.country(0), country::kWorkedCw);
}
