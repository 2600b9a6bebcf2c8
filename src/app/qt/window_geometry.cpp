#include "app/qt/window_geometry.h"

#include <algorithm>

#include <QWidget>

#include "common/profile.h"

namespace vexa::app::qt {

WindowGeometry::WindowGeometry(QSize described, QRect spectrum, QRect receive)
    : m_described(described), m_spectrum(spectrum), m_receive(receive)
{
}

void WindowGeometry::add(QWidget* w)
{
    m_controls.emplace_back(w, w->geometry());
}

QRect WindowGeometry::placed(const QRect& r, QSize size) const
{
    const int dx = std::max(0, size.width() - m_described.width());
    const int dy = std::max(0, size.height() - m_described.height());
    const int dyTop = dy / 2;  // the spectrum's share; the receive window gets the rest
    QRect out = r;
    // Controls beyond the right edge stay beyond it and keep their rows.
    if (r.left() >= m_described.width()) return out.translated(dx, 0);

    if (r.left() > m_spectrum.right())
        out.translate(dx, 0);  // the column beside the spectrum
    else if (r.left() <= m_spectrum.left() && r.right() >= m_spectrum.right())
        out.setWidth(r.width() + dx);  // across the spectrum's width: the text windows

    if (r.top() > m_receive.bottom())
        out.translate(0, dy);
    else if (r.top() >= m_receive.top())
        out.setHeight(r.height() + dy - dyTop), out.translate(0, dyTop);
    else if (r.top() > m_spectrum.bottom())
        out.translate(0, dyTop);  // the rows between the spectrum and the text windows
    else if (r.left() > m_spectrum.right())
        ;  // the map beside the spectrum stays at the top
    else if (r.top() <= m_spectrum.top())
        out.setHeight(r.height() + dyTop);  // the spectrum itself
    else
        out.translate(0, dyTop);  // on the spectrum's lower edge
    return out;
}

void WindowGeometry::apply(QSize size) const
{
    for (const auto& [w, r] : m_controls) w->setGeometry(placed(r, size));
}

QSize readWindowSize(const Profile& profile, QSize described)
{
    const int w = profile.readInt("Window", "Width", described.width());
    const int h = profile.readInt("Window", "Height", described.height());
    return {std::max(w, described.width()), std::max(h, described.height())};
}

bool writeWindowSize(Profile& profile, QSize size)
{
    return profile.writeInt("Window", "Width", size.width()) &&
           profile.writeInt("Window", "Height", size.height());
}

}  // namespace vexa::app::qt
