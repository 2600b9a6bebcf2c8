#include "ui/spectrum_widget.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "support/fake_spectrum_port.h"
#include "ui/frequency_readouts.h"

namespace vexa::ui {
namespace {

using display::SpectrumScale;
constexpr double kBin = SpectrumScale::kBinWidthHz;

using testing::toneBlock;

struct SpectrumWidgetTest : ::testing::Test {
    testing::FakeSpectrumPort port;
    SpectrumWidget widget{nullptr, port};

    SpectrumWidgetTest()
    {
        widget.resize(1000, 160);
        widget.show();
        port.transmitHz = port.receiveHz = 1000.0;
    }
    SpectrumScale scale() const { return SpectrumScale(port.settings.startHz, port.settings.zoom); }
    void click(Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(&widget, button, mods, QPoint(x, y));
    }
};

TEST_F(SpectrumWidgetTest, LeftClickTunesTransmitAndReceive)
{
    QSignalSpy changed(&widget, &SpectrumWidget::frequencyChanged);
    click(Qt::LeftButton, scale().pixelOf(1500.0), 80);
    EXPECT_EQ(port.transmitHz, 1000.0);  // applied by the next draw, not by the click
    widget.draw();
    EXPECT_NEAR(port.transmitHz, 1500.0, kBin);
    EXPECT_NEAR(port.receiveHz, 1500.0, kBin);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(SpectrumWidgetTest, RightClickTunesReceiveOnly)
{
    click(Qt::RightButton, scale().pixelOf(1300.0), 80);
    widget.draw();
    EXPECT_EQ(port.transmitHz, 1000.0);
    EXPECT_NEAR(port.receiveHz, 1300.0, kBin);
}

TEST_F(SpectrumWidgetTest, ClicksBelowStartOrAboveThreeThousandChangeNothing)
{
    click(Qt::LeftButton, 0, 80);  // pixel 0 is the start bin, just below "StartFq"
    widget.draw();
    EXPECT_EQ(port.transmitHz, 1000.0);

    port.settings.startHz = 2000.0;  // 3000 Hz now lies at pixel 373 at zoom 0
    port.settings.zoom = 0;
    click(Qt::LeftButton, scale().pixelOf(3100.0), 80);
    click(Qt::RightButton, scale().pixelOf(3050.0), 80);
    QSignalSpy changed(&widget, &SpectrumWidget::frequencyChanged);
    widget.draw();
    EXPECT_EQ(port.transmitHz, 1000.0);
    EXPECT_EQ(port.receiveHz, 1000.0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(port.retunes, 0);
}

TEST_F(SpectrumWidgetTest, ShiftClicksPlaceAndRemoveTheSecondChannel)
{
    click(Qt::LeftButton, scale().pixelOf(1800.0), 80, Qt::ShiftModifier);
    widget.draw();
    EXPECT_NEAR(port.secondHz, 1800.0, kBin);
    EXPECT_EQ(port.transmitHz, 1000.0);
    click(Qt::RightButton, 300, 80, Qt::ShiftModifier);
    widget.draw();
    EXPECT_EQ(port.secondHz, 0.0);
    EXPECT_EQ(port.receiveHz, 1000.0);
    ASSERT_EQ(port.secondChannelCalls.size(), 2u);
}

TEST_F(SpectrumWidgetTest, RightStripAtMidHeightChangesNothing)
{
    QSignalSpy changed(&widget, &SpectrumWidget::frequencyChanged);
    click(Qt::LeftButton, 995, 80);
    widget.draw();
    EXPECT_EQ(port.transmitHz, 1000.0);
    EXPECT_EQ(port.receiveHz, 1000.0);
    click(Qt::LeftButton, 995, 0);  // top of the strip: +9.6 Hz in PSK31
    widget.draw();
    EXPECT_DOUBLE_EQ(port.transmitHz, 1009.6);
}

TEST_F(SpectrumWidgetTest, CursorChangesOverTheFineTuningStrip)
{
    QTest::mouseMove(&widget, QPoint(500, 50));
    EXPECT_EQ(widget.cursor().shape(), Qt::CrossCursor);
    QTest::mouseMove(&widget, QPoint(991, 50));
    EXPECT_EQ(widget.cursor().shape(), Qt::SplitVCursor);
    QTest::mouseMove(&widget, QPoint(989, 50));
    EXPECT_EQ(widget.cursor().shape(), Qt::CrossCursor);
}

TEST_F(SpectrumWidgetTest, PaintsTheWaterfallThroughThePaletteWithMarkers)
{
    port.transmitHz = port.receiveHz = 1500.0;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(port.offerBlock(toneBlock(1500.0)));
        widget.blockDispatched();
        EXPECT_FALSE(port.capture.ready());
    }
    const QImage shot = widget.grab().toImage();
    const int x = scale().pixelOf(1500.0);
    // Row 4: the tone is a bright (yellow to red) column, its surroundings dark.
    const QColor tone = shot.pixelColor(x, 4);
    EXPECT_GT(tone.red(), 180);
    EXPECT_LT(shot.pixelColor(scale().pixelOf(800.0), 4).red(), 40);
    // The white transmit marker sits on top of it.
    EXPECT_EQ(shot.pixelColor(x, 2), QColor(Qt::white));
    // The drift arrow at mid height on the right edge is black.
    EXPECT_EQ(shot.pixelColor(widget.width() - 2, 80), QColor(Qt::black));
}

TEST_F(SpectrumWidgetTest, ClockDrawsFromTheSecondSecondOn)
{
    click(Qt::LeftButton, scale().pixelOf(1500.0), 80);
    widget.clockSecond();
    EXPECT_EQ(port.transmitHz, 1000.0);
    widget.clockSecond();
    EXPECT_NEAR(port.transmitHz, 1500.0, kBin);
}

TEST_F(SpectrumWidgetTest, DisplayTypeCyclesAndCarrierSteps)
{
    EXPECT_EQ(widget.displayType(), display::DisplayType::Waterfall);
    widget.stepDisplayType();
    EXPECT_EQ(widget.displayType(), display::DisplayType::SpectrumLine);
    widget.stepDisplayType();
    EXPECT_EQ(widget.displayType(), display::DisplayType::LineHistory);

    QSignalSpy changed(&widget, &SpectrumWidget::frequencyChanged);
    widget.stepCarrier(+1);
    widget.stepCarrier(+1);
    widget.stepCarrier(-1);
    EXPECT_EQ(port.receiveHz, 1001.0);
    EXPECT_EQ(port.transmitHz, 1001.0);
    EXPECT_EQ(changed.count(), 3);
}

TEST(FrequencyReadouts, FillTheDialAndAudioFields)
{
    QComboBox dial;
    dial.setEditable(true);
    QLineEdit audio;
    showFrequencyReadouts(&dial, &audio, 14071000, 1000.0);
    EXPECT_EQ(dial.currentText(), QString("14.071.000"));
    EXPECT_EQ(audio.text(), QString("1000.0"));
    showFrequencyReadouts(&dial, &audio, 0, 712.34);  // no dial known: keep the old text
    EXPECT_EQ(dial.currentText(), QString("14.071.000"));
    EXPECT_EQ(audio.text(), QString(" 712.3"));
}

}  // namespace
}  // namespace vexa::ui
