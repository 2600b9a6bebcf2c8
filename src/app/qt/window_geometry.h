// How the main window's controls follow the window's size. At the size the layout describes
// every control sits where the layout puts it; extra width goes to the spectrum and the
// text windows (the columns right of the spectrum move along), extra height is shared by the
// spectrum and the receive window (the rows between and below them move down). The size the
// operator chose is kept in the profile.
#pragma once

#include <vector>

#include <QRect>
#include <QSize>

class QWidget;

namespace vexa {
class Profile;
}

namespace vexa::app::qt {

class WindowGeometry {
public:
    // `described`: the layout's client size; `spectrum` and `receive`: the described places
    // of the two controls that grow.
    WindowGeometry(QSize described, QRect spectrum, QRect receive);

    QSize described() const noexcept { return m_described; }
    // Remembers `w` at its present (described) geometry.
    void add(QWidget* w);
    // Where a control described at `r` goes in a client area of `size`.
    QRect placed(const QRect& r, QSize size) const;
    // Places every remembered control for a client area of `size`.
    void apply(QSize size) const;

private:
    QSize m_described;
    QRect m_spectrum;
    QRect m_receive;
    std::vector<std::pair<QWidget*, QRect>> m_controls;
};

// The window size of the profile (section "Window", "Width" and "Height"); the described
// size where absent, and never smaller than it.
QSize readWindowSize(const Profile& profile, QSize described);
// False when the profile cannot be written.
bool writeWindowSize(Profile& profile, QSize size);

}  // namespace vexa::app::qt
