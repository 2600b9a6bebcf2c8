#include "display/spectrum_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "display/auto_scale.h"

namespace vexa::display {
namespace {

using Block = std::array<float, 1024>;

// The capture of a tone as the receive dispatch builds it: sample pairs at 11025 Hz summed.
Block toneCapture(double hz, double amplitude)
{
    Block re{};
    for (int i = 0; i < 1024; ++i) {
        const double a = amplitude * std::sin(2 * std::numbers::pi * hz * (2 * i) / 11025.0);
        const double b = amplitude * std::sin(2 * std::numbers::pi * hz * (2 * i + 1) / 11025.0);
        re[static_cast<std::size_t>(i)] = static_cast<float>(std::trunc(a) + std::trunc(b));
    }
    return re;
}

Block noiseCapture(uint32_t seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<float> g(0.0f, 2000.0f);
    Block re{};
    for (float& v : re) v = std::trunc(g(rng));
    return re;
}

const Block kZero{};

struct RendererTest : ::testing::Test {
    SpectrumRenderer r;
    SpectrumScale scale{384, 1};
    int width = 1000, height = 200;

    void render(const Block& re, OperatingMode mode = OperatingMode::Psk31, double txHz = 1500.0,
                SpectrumOptions o = {})
    {
        r.render(re, kZero, scale, width, height, mode, txHz, o);
    }

    int brightestX(int row) const
    {
        const uint8_t* p = r.image().row(row);
        return static_cast<int>(std::max_element(p, p + width) - p);
    }
};

TEST_F(RendererTest, ToneLandsInTheRightColumnAndScrollsDownOneRow)
{
    const Block tone = toneCapture(1500.0, 8000);
    for (int i = 0; i < 10; ++i) render(tone);  // let the autoscale settle
    EXPECT_EQ(r.displayType(), DisplayType::Waterfall);
    const int x = brightestX(0);
    EXPECT_LE(std::abs(x - scale.pixelOf(1500.0)), scale.pixelsPerBin());
    EXPECT_GT(r.image().at(x, 0), 150);
    EXPECT_LT(r.image().at(scale.pixelOf(1000.0), 0), 20);

    render(kZero);
    EXPECT_EQ(*std::max_element(r.image().row(0), r.image().row(0) + width), 0);
    EXPECT_EQ(brightestX(1), x);
    EXPECT_GT(r.image().at(x, 10), 150);
}

TEST_F(RendererTest, WaterfallRowInterpolatesBetweenBins)
{
    render(toneCapture(1500.0, 8000));
    const auto m = r.magnitudes();
    const int k = 200;  // a bin on the skirt of the tone, where neighbours differ
    const int p = scale.pixelsPerBin();
    const int v0 = static_cast<int>(m[k]), v1 = static_cast<int>(m[k + 1]);
    const int step = (v1 - v0) / p;
    for (int j = 0; j < p; ++j)
        EXPECT_EQ(r.image().at(k * p + j, 0), std::min((v0 + j * step) / r.divisor(), 255)) << j;
}

TEST_F(RendererTest, BinsPastTheTransformShowNothing)
{
    // From start bin 928 only bins 928..1023 exist; zoom 0 on a wide window shows 2048 bins.
    struct Case {
        double startHz;
        int zoom, width;
        uint32_t seed;
        std::size_t shown, existing;
    };
    for (const Case c : {Case{5000, 0, 1000, 3, 495, 96}, Case{0, 0, 4200, 5, 2048, 1024}}) {
        SCOPED_TRACE(c.startHz);
        scale = SpectrumScale(c.startHz, c.zoom);
        width = c.width;
        render(noiseCapture(c.seed));
        const auto m = r.magnitudes();
        ASSERT_EQ(m.size(), c.shown);
        EXPECT_GT(m[c.existing - 1], 0.0f);
        for (std::size_t k = c.existing; k < m.size(); ++k) ASSERT_EQ(m[k], 0.0f) << k;
        for (int x = static_cast<int>(c.existing) * 2; x < width; ++x) ASSERT_EQ(r.image().at(x, 0), 0) << x;
    }
}

TEST_F(RendererTest, NarrowWindowShowsNoBinsButKeepsScrolling)
{
    width = 10;
    render(toneCapture(1500.0, 8000));
    EXPECT_TRUE(r.magnitudes().empty());
    EXPECT_EQ(r.image().width(), 10);
    width = 0;
    render(toneCapture(1500.0, 8000));  // no crash, nothing to draw
    EXPECT_TRUE(r.image().empty());
}

TEST_F(RendererTest, CyclingTheDisplayTypeClearsTheHistory)
{
    const Block tone = toneCapture(1500.0, 8000);
    for (int i = 0; i < 5; ++i) render(tone);
    r.stepDisplayType();
    EXPECT_EQ(r.displayType(), DisplayType::SpectrumLine);
    r.stepDisplayType();
    r.stepDisplayType();
    EXPECT_EQ(r.displayType(), DisplayType::Waterfall);
    render(kZero);
    for (int y = 0; y < height; ++y)
        ASSERT_EQ(*std::max_element(r.image().row(y), r.image().row(y) + width), 0) << y;
}

TEST_F(RendererTest, LineHistoryDrawsOverTheScrolledPreviousLines)
{
    r.setDisplayType(DisplayType::LineHistory);
    const uint8_t line = SpectrumRenderer::spectrumLineIndex();
    render(toneCapture(1500.0, 8000));
    // The tone's peak is the highest point of the line.
    int top = -1, topX = -1;
    for (int y = 0; y < height && top < 0; ++y)
        for (int x = 0; x < width; ++x)
            if (r.image().at(x, y) == line) {
                top = y;
                topX = x;
                break;
            }
    ASSERT_GE(top, 0);
    EXPECT_LE(std::abs(topX - scale.pixelOf(1500.0)), scale.pixelsPerBin());

    render(kZero);
    EXPECT_EQ(r.image().at(topX, top + 1), line);  // the old peak moved down a row
    EXPECT_EQ(r.image().at(5, height - 1), line);  // the silent line lies on the bottom
}

TEST_F(RendererTest, SpectrumLineRedrawsOnBlackAndAveragesInType0)
{
    r.setDisplayType(DisplayType::SpectrumLine);
    SpectrumOptions o;
    o.showAverage = true;
    o.averageInverted = true;  // keeps the peak's average clear of the spectrum line
    const Block tone = toneCapture(1500.0, 8000);
    for (int i = 0; i < 200; ++i) render(tone, OperatingMode::Psk31, 1500.0, o);
    const int k = (scale.pixelOf(1500.0) + 2) / scale.pixelsPerBin();
    const int level = static_cast<int>(r.magnitudes()[static_cast<std::size_t>(k)] / r.runningScale());
    EXPECT_NEAR(r.average()[static_cast<std::size_t>(k)] / 16, level, 1);
    // Inverted, the average trace sits at average / 16 - 1 from the top.
    const int avgY = r.average()[static_cast<std::size_t>(k)] / 16 - 1;
    ASSERT_GT(avgY, 100);
    const int x = k * scale.pixelsPerBin();
    EXPECT_EQ(r.image().at(x, std::clamp(avgY, 0, height - 1)), SpectrumRenderer::averageLineIndex());

    render(kZero, OperatingMode::Psk31, 1500.0, o);  // type 0 keeps no history: the peak is gone
    for (int y = 0; y < height - 40; ++y)
        ASSERT_NE(r.image().at(x, y), SpectrumRenderer::spectrumLineIndex());
}

TEST(AutoScale, RisesHalfwayAndFallsBySixteenths)
{
    AutoScale s;
    std::vector<float> loud(100, 1000.0f), quiet(100, 0.0f);
    // a = 3 * 1000 / 100 + 1 = 31 with 100 usable rows.
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        s.update(loud, 2, 0, -1, 108);
        seen.push_back(s.scale());
    }
    EXPECT_EQ(seen, (std::vector<int>{16, 23, 27, 29, 30, 30}));
    seen.clear();
    for (int i = 0; i < 4; ++i) {
        s.update(quiet, 2, 0, -1, 108);
        seen.push_back(s.scale());
    }
    EXPECT_EQ(seen, (std::vector<int>{28, 26, 24, 22}));
    for (int i = 0; i < 100; ++i) s.update(quiet, 2, 0, -1, 108);
    EXPECT_EQ(s.scale(), 1);
    EXPECT_EQ(s.divisor(108), 1);
}

TEST(AutoScale, PeakCountsOnlyNearTheTransmitMarkerInPsk31)
{
    std::vector<float> m(300, 0.0f);
    m[200] = 5000.0f;  // at pixel 400 with 2 pixels per bin; b = 5000 / 100 + 1 = 51
    AutoScale near, far, whole;
    near.update(m, 2, 410, AutoScale::peakWindowPx(OperatingMode::Psk31), 108);
    far.update(m, 2, 800, AutoScale::peakWindowPx(OperatingMode::Psk31), 108);
    whole.update(m, 2, 800, AutoScale::peakWindowPx(OperatingMode::Cw), 108);
    EXPECT_EQ(near.scale(), 26);
    EXPECT_EQ(far.scale(), 1);
    EXPECT_EQ(whole.scale(), 26);
    AutoScale rtty;
    rtty.update(m, 2, 400 + 120, AutoScale::peakWindowPx(OperatingMode::Rtty), 108);
    EXPECT_EQ(rtty.scale(), 26);
}

}  // namespace
}  // namespace vexa::display
