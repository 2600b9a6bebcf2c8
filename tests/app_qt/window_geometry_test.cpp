// The main window's geometry with the font it really gets: every caption and value is whole
// in its control in both layouts.
#include <fstream>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTextEdit>

#include "app/qt/control_layout.h"
#include "common/profile.h"
#include "display/spectrum_scale.h"
#include "engine/audio/wave_file_backend.h"
#include "support/window_harness.h"
#include "ui/spectrum_widget.h"

namespace vexa::app::qt {
namespace {

// The texts a control shows and the width its style leaves for them; empty for controls
// without text of their own.
struct TextRoom {
    QStringList texts;
    int width = 0;
};

QString withoutMnemonic(QString s)
{
    return s.remove(QLatin1Char('&'));
}

TextRoom textRoom(QWidget* c)
{
    QStyle* style = c->style();
    if (auto* b = qobject_cast<QPushButton*>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const int room = style->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width() -
                         2 * style->pixelMetric(QStyle::PM_ButtonMargin, &opt, b) / 2;
        return {{withoutMnemonic(b->text())}, room};
    }
    if (auto* box = qobject_cast<QCheckBox*>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return {{withoutMnemonic(box->text())},
                style->subElementRect(QStyle::SE_CheckBoxContents, &opt, box).width()};
    }
    if (auto* combo = qobject_cast<QComboBox*>(c)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        QStringList texts{combo->currentText()};
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        int room =
            style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
        if (combo->lineEdit()) room -= 4;  // the line edit's own side margins
        return {texts, room};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
        const int room = style->subElementRect(QStyle::SE_LineEditContents, &opt, edit).width() - 4;
        return {{edit->text()}, room};
    }
    if (auto* label = qobject_cast<QLabel*>(c); label && label->pixmap().isNull())
        return {{label->text()}, label->contentsRect().width()};
    return {};
}

void expectEveryTextWhole(MainWindowTemplate layout)
{
    ApplicationGlobals globals;
    globals.mainWindowTemplate = layout;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        int checked = 0;
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (c->isHidden() || !w.rect().contains(c->geometry()) || c->parentWidget() != &w) continue;
            const TextRoom room = textRoom(c);
            for (const QString& text : room.texts) {
                EXPECT_LE(c->fontMetrics().horizontalAdvance(text), room.width)
                    << "\"" << text.toStdString() << "\" in control " << c->objectName().toStdString();
                ++checked;
            }
        }
        EXPECT_GT(checked, 30);
        auto* frequency = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        EXPECT_EQ(frequency->currentText(), QStringLiteral("14.072.000"));
    });
}

TEST(WindowGeometry, EveryCaptionAndValueIsWholeInTheNormalLayout)
{
    expectEveryTextWhole(MainWindowTemplate::Normal);
}

TEST(WindowGeometry, EveryCaptionAndValueIsWholeInTheLargeLayout)
{
    expectEveryTextWhole(MainWindowTemplate::Large);
}

int binsShown(const CMainWindow& w)
{
    return static_cast<int>(w.spectrum()->spectrumDisplay().renderer().magnitudes().size());
}

int imageWidth(const CMainWindow& w)
{
    return w.spectrum()->spectrumDisplay().renderer().image().width();
}

// Enlarged, the spectrum and the receive window take the extra room, the spectrum shows
// more bins at the same pixels per bin, and the size outlives the window in the profile.
TEST(WindowGeometry, AnEnlargedWindowGivesTheSpectrumAndReceiveWindowTheRoomAndIsRemembered)
{
    QTemporaryDir dir;
    ApplicationGlobals globals;
    globals.profileFile = dir.filePath(QStringLiteral("vexa.ini")).toStdString();
    engine::WaveFileBackend backend({.inputPath = VEXA_DEMO_RECORDING, .pacedInput = false});
    MainWindowServices services{.sound = &backend};
    QSize enlarged;
    test::runWindow(globals, services, [&](CMainWindow& w) {
        const QSize described = w.size();
        auto geometryOf = [&](ControlId id) { return w.control(id)->geometry(); };
        const QRect spectrum = geometryOf(ControlId::Spectrum);
        const QRect receive = geometryOf(ControlId::ReceiveWindow);
        const QRect map = geometryOf(ControlId::MapPicture);
        const QRect save = geometryOf(ControlId::Save);
        const QRect band = geometryOf(ControlId::Band14);
        const QRect log = geometryOf(ControlId::LogWindow);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return imageWidth(w) == w.spectrum()->devicePixelSize().width() && binsShown(w) > 0; },
            10000));
        const int bins = binsShown(w);

        const int dx = 420, dy = 300;
        enlarged = described + QSize(dx, dy);
        w.resize(enlarged);
        ASSERT_EQ(w.size(), enlarged);
        const QRect wide = geometryOf(ControlId::Spectrum);
        EXPECT_EQ(wide.width(), enlarged.width() - (described.width() - spectrum.width()));
        EXPECT_GT(wide.height(), spectrum.height());
        EXPECT_EQ(geometryOf(ControlId::ReceiveWindow).width(), receive.width() + dx);
        EXPECT_EQ(geometryOf(ControlId::ReceiveWindow).height() + wide.height(),
                  receive.height() + spectrum.height() + dy);
        // Neighbours keep their distances: the map to the right edge and the spectrum, the
        // log buttons to the map, the band buttons to the spectrum, the log to the bottom.
        EXPECT_EQ(geometryOf(ControlId::MapPicture), map.translated(dx, 0));
        EXPECT_EQ(geometryOf(ControlId::Save).topLeft() - geometryOf(ControlId::MapPicture).bottomLeft(),
                  save.topLeft() - map.bottomLeft() + QPoint(0, wide.height() - spectrum.height()));
        EXPECT_EQ(geometryOf(ControlId::Band14).top() - wide.bottom(), band.top() - spectrum.bottom());
        EXPECT_EQ(geometryOf(ControlId::Band14).left(), band.left());
        EXPECT_EQ(enlarged.height() - geometryOf(ControlId::LogWindow).bottom(),
                  described.height() - log.bottom());

        ASSERT_TRUE(
            QTest::qWaitFor([&] { return imageWidth(w) == w.spectrum()->devicePixelSize().width(); }, 10000));
        const int widerBins = binsShown(w);
        EXPECT_GT(widerBins, bins);
        // The same pixels per bin: the extra width is all extra bins.
        const display::SpectrumSettings settings = w.state().spectrumSettings();
        const int pixelsPerBin = display::SpectrumScale(settings.startHz, settings.zoom).pixelsPerBin();
        EXPECT_NEAR(widerBins - bins, dx * w.devicePixelRatio() / pixelsPerBin, 1);
        w.CloseMainWindow();
    });
    const Profile profile(globals.profileFile);
    EXPECT_EQ(profile.readInt("Window", "Width", 0), enlarged.width());
    EXPECT_EQ(profile.readInt("Window", "Height", 0), enlarged.height());

    QSize reopened;
    test::runWindow(globals, {}, [&](CMainWindow& w) { reopened = w.size(); });
    EXPECT_EQ(reopened, enlarged);
}

// Run by its own ctest entry with QT_SCALE_FACTOR=2: the waterfall is drawn pixel for
// pixel on the device, not a half-size image magnified.
TEST(WindowGeometry, AtDevicePixelRatioTwoTheWaterfallIsDrawnAtDevicePixels)
{
    if (qApp->devicePixelRatio() < 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    engine::WaveFileBackend backend({.inputPath = VEXA_DEMO_RECORDING, .pacedInput = false});
    test::runWindowWithSound(backend, [&](CMainWindow& w) {
        ui::SpectrumWidget* spectrum = w.spectrum();
        const QSize device = spectrum->size() * 2;
        ASSERT_TRUE(QTest::qWaitFor([&] { return imageWidth(w) == device.width(); }, 10000));
        // Let a few waterfall lines arrive, then compare what is on the device with the image.
        QTest::qWait(300);
        const QImage shown = spectrum->grab().toImage();
        ASSERT_EQ(shown.size(), device);
        const display::IndexedImage& image = spectrum->spectrumDisplay().renderer().image();
        const QVector<QRgb>& colours = ui::SpectrumWidget::colourTable();
        int same = 0, all = 0;
        for (int y = device.height() / 2; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); ++x, ++all)
                same += shown.pixel(x, y) == colours[image.at(x, y)];
        }
        EXPECT_GT(same, all * 9 / 10);
    });
}

}  // namespace
}  // namespace vexa::app::qt
