#include "ui/spectrum_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "display/spectrum_palette.h"

namespace vexa::ui {

namespace {

QColor markerColour(display::MarkerColour c)
{
    switch (c) {
        case display::MarkerColour::White:
            return Qt::white;
        case display::MarkerColour::Black:
            return Qt::black;
        case display::MarkerColour::Grey:
            break;
    }
    return QColor(128, 128, 128);
}

QPolygon toPolygon(const display::Triangle& t)
{
    QPolygon p;
    for (const display::Point& c : t.corners) p << QPoint(c.x, c.y);
    return p;
}

}  // namespace

SpectrumWidget::SpectrumWidget(QWidget* parent, display::SpectrumPort& port)
    : QWidget(parent), m_port(&port), m_display(port)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Clicking to tune must not take the focus from the keyboard window.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::CrossCursor);
}

const QVector<QRgb>& SpectrumWidget::colourTable()
{
    static const QVector<QRgb> table = [] {
        QVector<QRgb> t;
        for (const display::Rgb& c : display::spectrumPalette()) t.push_back(qRgb(c.r, c.g, c.b));
        return t;
    }();
    return table;
}

QSize SpectrumWidget::devicePixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

void SpectrumWidget::draw()
{
    const QSize px = devicePixelSize();
    const auto result = m_display.draw(px.width(), px.height());
    update();
    if (result.frequencyChanged) emit frequencyChanged();
}

void SpectrumWidget::blockDispatched()
{
    if (m_port->spectrumCapture().ready()) draw();
}

void SpectrumWidget::clockSecond()
{
    if (m_seconds < 2) ++m_seconds;
    if (m_seconds >= 2) draw();
}

void SpectrumWidget::stepDisplayType()
{
    m_display.stepDisplayType();
}

void SpectrumWidget::stepCarrier(double deltaHz)
{
    if (m_display.stepCarrier(deltaHz)) emit frequencyChanged();
}

void SpectrumWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const int width = devicePixelSize().width();
    const int height = devicePixelSize().height();
    const display::IndexedImage& image = m_display.renderer().image();
    if (image.empty()) {
        painter.fillRect(0, 0, width, height, Qt::black);
    } else {
        QImage view(image.data(), image.width(), image.height(), image.stride(), QImage::Format_Indexed8);
        view.setColorTable(colourTable());
        painter.drawImage(0, 0, view);
        // After a resize, until the next block arrives.
        if (image.width() < width)
            painter.fillRect(image.width(), 0, width - image.width(), height, Qt::black);
        if (image.height() < height)
            painter.fillRect(0, image.height(), width, height - image.height(), Qt::black);
    }

    const display::MarkerLayout& m = m_display.markers();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < m.count; ++i) {
        const display::Triangle& t = m.triangles[static_cast<std::size_t>(i)];
        painter.setBrush(markerColour(t.colour));
        painter.drawPolygon(toPolygon(t));
    }
    // The drift arrow is black as the markers are; a grey rim keeps it visible on the dark
    // waterfall.
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(m.driftLineFrom.x, m.driftLineFrom.y, m.driftLineTo.x, m.driftLineTo.y);
    painter.setBrush(Qt::black);
    painter.drawPolygon(toPolygon(m.driftArrow));
}

QPoint SpectrumWidget::devicePoint(const QPointF& p) const
{
    return (p * devicePixelRatioF()).toPoint();
}

void SpectrumWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = devicePoint(event->position());
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    display::TuningClicks& clicks = m_port->tuningClicks();
    if (event->button() == Qt::LeftButton)
        clicks.leftDown(p.x(), p.y(), shift);
    else if (event->button() == Qt::RightButton)
        clicks.rightDown(p.x(), p.y(), shift);
    event->accept();
}

void SpectrumWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = devicePoint(event->position());
    display::TuningClicks& clicks = m_port->tuningClicks();
    if (event->button() == Qt::LeftButton)
        clicks.leftUp(p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        clicks.rightUp(p.x(), p.y());
    event->accept();
}

void SpectrumWidget::mouseMoveEvent(QMouseEvent* event)
{
    updateCursor(devicePoint(event->position()).x());
    QWidget::mouseMoveEvent(event);
}

void SpectrumWidget::updateCursor(int x)
{
    // Over the fine-tuning strip the cursor says "up or down".
    const Qt::CursorShape shape =
        x >= devicePixelSize().width() - display::kFineTuningStripPx ? Qt::SplitVCursor : Qt::CrossCursor;
    if (cursor().shape() != shape) setCursor(shape);
}

}  // namespace vexa::ui
