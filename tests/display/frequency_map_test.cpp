#include "display/frequency_map.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexa::display {
namespace {

constexpr std::time_t kNow = 1'700'000'000;

std::vector<std::string> textsOf(const FrequencyMapLayout& layout)
{
    std::vector<std::string> out;
    for (const auto& t : layout.texts) out.push_back(t.text);
    return out;
}

bool has(const FrequencyMapLayout& layout, const std::string& text)
{
    const auto texts = textsOf(layout);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(FrequencyMap, LoggedContactsAgeThroughTheirPrefixes)
{
    const struct {
        int minutes;
        const char* label;
    } cases[] = {{0, " *DL1ABC"},  {9, " *DL1ABC"},  {10, " =DL1ABC"}, {19, " =DL1ABC"},
                 {20, " +DL1ABC"}, {59, " +DL1ABC"}, {60, " -DL1ABC"}, {600, " -DL1ABC"}};
    for (const auto& c : cases) {
        const FrequencyMark mark{14070000, OperatingMode::Psk31, kNow - c.minutes * 60, "+DL1ABC", ""};
        EXPECT_EQ(markLabel(20, mark, kNow), c.label) << c.minutes;
    }
    EXPECT_EQ(markLabel(0, {14070000, OperatingMode::Psk31, kNow, "net", ""}, kNow), "1:net");
    EXPECT_EQ(markLabel(9, {14070000, OperatingMode::Psk31, kNow, "+X", ""}, kNow), "10:+X");
    EXPECT_EQ(markLabel(50, {14070000, OperatingMode::Psk31, kNow, "sked", ""}, kNow), " :sked");
}

TEST(FrequencyMap, LaysOutTheScaleBandPlanAndMarksAroundTheDial)
{
    FrequencyMapGeometry g;  // 400 pixels at 10 per kHz: about 20 kHz either side
    FrequencyMapDial dial;
    EXPECT_FALSE(dial.update(0, g.pixelsPerKhz, false));
    ASSERT_TRUE(dial.update(14070500, g.pixelsPerKhz, false));
    EXPECT_FALSE(dial.update(14070540, g.pixelsPerKhz, false));  // same pixel
    EXPECT_TRUE(dial.update(14070600, g.pixelsPerKhz, false));
    ASSERT_TRUE(dial.update(14070500, g.pixelsPerKhz, true));

    FrequencyMarks marks;
    marks[1] = {14070600, OperatingMode::Psk31, kNow, "here", "QSO text"};
    marks[30] = {14075000, OperatingMode::Psk31, kNow, "+K1ABC", "K1ABC 599"};
    marks[31] = {14300000, OperatingMode::Psk31, kNow, "far", ""};
    const auto layout = layoutFrequencyMap(g, dial, 14070500, OperatingMode::Usb, marks, kNow);
    EXPECT_EQ(layout.yc, 200);
    ASSERT_TRUE(layout.passband);
    EXPECT_EQ(*layout.passband, (std::pair<int, int>{200, 230}));
    EXPECT_TRUE(has(layout, "14070"));  // every fifth kHz is numbered
    EXPECT_TRUE(has(layout, "vTTY"));   // the 20 m digital segment starts at 14060
    EXPECT_TRUE(has(layout, "2:here"));
    EXPECT_TRUE(has(layout, " *K1ABC"));
    EXPECT_FALSE(has(layout, " :far"));
    EXPECT_EQ(layout.nearestMark, 1);
    const auto here = std::find_if(layout.texts.begin(), layout.texts.end(),
                                   [](const MapText& t) { return t.text == "2:here"; });
    ASSERT_NE(here, layout.texts.end());
    EXPECT_EQ(here->y, 201);  // 100 Hz = one pixel below the pointer

    IndexedImage image;
    drawFrequencyMap(layout, g, image);
    EXPECT_EQ(image.at(g.x0, 0), kFrequencyMapInk);
    EXPECT_EQ(image.at(g.x0 + 3, layout.tickYs[3]), kFrequencyMapInk);
    EXPECT_EQ(image.at(g.x0 - 1, 215), kFrequencyMapInk);  // the USB passband below the pointer
    EXPECT_EQ(image.at(g.width - 1, 5), kFrequencyMapBackground);
}

TEST(FrequencyMap, TheMarkTextFollowsOnlyAChangeOfTheNearestMark)
{
    FrequencyMarks marks;
    marks[1] = {14070600, OperatingMode::Psk31, kNow, "here", "QSO text"};
    marks[30] = {14075000, OperatingMode::Psk31, kNow, "+K1ABC", "K1ABC 599"};
    NearestMarkText text;
    const auto first = text.update(1, marks);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "QSO text");
    EXPECT_FALSE(first->highlight);
    EXPECT_FALSE(text.update(1, marks));
    const auto logged = text.update(30, marks);
    ASSERT_TRUE(logged);
    EXPECT_TRUE(logged->highlight);
    const auto none = text.update(-1, marks);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->text.empty());
}

}  // namespace
}  // namespace vexa::display
