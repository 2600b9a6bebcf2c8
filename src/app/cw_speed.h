// The CW keying speed shown beside the spin control: words per minute derived from the
// Morse element length (600 / length), with the length held at 20 or more so that the
// speed shown never exceeds 30.
#pragma once

namespace vexa::app {

class CwSpeed {
public:
    static constexpr int kMinElementLength = 20;

    // Called at every clock tick. Returns true when the speed was recomputed and the
    // controls should show it again.
    bool update() noexcept;

    // The spin control moved by `delta` (its range is reversed: up shortens the element).
    void addToElementLength(int delta) noexcept;
    void markChanged() noexcept { m_speedChanged = true; }

    int elementLength() const noexcept { return m_elementLength; }
    int speed() const noexcept { return m_speed; }

private:
    int m_speed = 30;
    int m_elementLength = 600 / 30;
    int m_lastShownElementLength = 600 / 30;
    bool m_speedChanged = false;
};

}  // namespace vexa::app
