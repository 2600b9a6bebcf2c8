// The spectrum and waterfall window of the main window (control 1170), which is also the
// mouse tuning surface. It owns the display state and paints what SpectrumDisplay computed:
// the indexed image through the 256-colour palette, then the markers in true colours, all in
// device pixels.
//
// How the main window wires it:
//   auto* spectrum = new ui::SpectrumWidget(this, core);   // core implements SpectrumPort
//   spectrum->setObjectName(...); layout/geometry as the dialog places control 1170
//   - after the receive dispatch has handled an input block:  spectrum->blockDispatched();
//     (draws when the spectrum capture holds a fresh block)
//   - in ClockTick, each time the shown seconds change:       spectrum->clockSecond();
//     (the widget ignores the first second, then draws once a second so that clicks are
//     applied and markers move even with the sound card off). A window whose core already
//     counts the seconds calls spectrum->draw() instead. Plain update()/repaint() only
//     repaints the last frame; it never draws a new one.
//   - command 1353 (Alt+W):                                   spectrum->stepDisplayType();
//   - commands 1351 / 1352 (Alt+Right / Alt+Left):            spectrum->stepCarrier(+1 / -1);
//   - connect(spectrum, &SpectrumWidget::frequencyChanged, ...ShowFrequency...): emitted
//     whenever a click or a carrier step moved the transmit or receive frequency (the AFC
//     runs in the receive loop; the window learns of it from OperatingState::onWaveEvent).
// The core keeps the pending clicks (SpectrumPort::tuningClicks) so that the transmit path
// can apply a left click at a symbol boundary while sending.
#pragma once

#include <QWidget>

#include "display/spectrum_display.h"

namespace vexa::ui {

class SpectrumWidget : public QWidget {
    Q_OBJECT
public:
    SpectrumWidget(QWidget* parent, display::SpectrumPort& port);

    // Runs one draw now (clicks, fresh block if any, markers, next capture request)
    // and schedules the repaint.
    void draw();
    void blockDispatched();
    void clockSecond();
    void stepDisplayType();
    void stepCarrier(double deltaHz);

    // The size the display is drawn at: device pixels, so that a high-density screen shows
    // the waterfall sharp (and more bins) rather than a magnified half-size image. Mouse
    // positions are handed to the display in the same pixels.
    QSize devicePixelSize() const;

    display::DisplayType displayType() const { return m_display.renderer().displayType(); }
    const display::SpectrumDisplay& spectrumDisplay() const { return m_display; }

    // The waterfall palette as a Qt colour table (also usable for other indexed images).
    static const QVector<QRgb>& colourTable();

    QSize sizeHint() const override { return {600, 120}; }

signals:
    void frequencyChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void updateCursor(int x);  // x in device pixels
    QPoint devicePoint(const QPointF& p) const;

    display::SpectrumPort* m_port;
    display::SpectrumDisplay m_display;
    int m_seconds = 0;
};

}  // namespace vexa::ui
