// The handshake between the receive path and the spectrum display: the display asks for a
// block, the receive path copies the next full sound-card block into it (1024 complex
// points, sample pairs summed: 5512.5 points per second), and the display draws it and asks
// again. Both sides run on the GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vexa::engine {

class SpectrumCapture {
public:
    static constexpr int kPoints = 1024;
    using Points = std::span<const float, kPoints>;

    // The display: capture the next full block (the state after construction).
    void request() noexcept { m_ready = false; }
    // The receive path: copies `block` when a capture is asked for and the block holds
    // 2 * kPoints samples. True when it did; the block then waits to be drawn.
    bool offer(std::span<const int16_t> block) noexcept;
    // A captured block waits to be drawn.
    bool ready() const noexcept { return m_ready; }

    Points real() const noexcept { return m_re; }
    Points imag() const noexcept { return m_im; }

private:
    std::array<float, kPoints> m_re{};
    std::array<float, kPoints> m_im{};
    bool m_ready = false;
};

}  // namespace vexa::engine
