// A PSK31 signal source for display and tuning tests: binary phase reversals with a cosine
// envelope at 31.25 Bd, any carrier, optional noise. Deterministic (seeded), header-only.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <span>
#include <vector>

namespace vexa::testing {

class Psk31TestSignal {
public:
    static constexpr double kSampleRate = 11025.0;
    static constexpr double kSymbolRate = 31.25;

    struct Station {
        double carrierHz;
        double amplitude;  // peak, in sample units
    };

    Psk31TestSignal(std::vector<Station> stations, double noiseRms, uint32_t seed = 1)
        : m_stations(std::move(stations)), m_noise(noiseRms), m_rng(seed)
    {
        for (std::size_t i = 0; i < m_stations.size(); ++i) {
            m_phase.push_back(0.0);
            m_sign.push_back(1.0);
            m_nextSign.push_back(1.0);
        }
    }

    // Fills a block with the sum of all stations and noise, clipped to 16 bits.
    void fill(std::span<int16_t> block)
    {
        std::normal_distribution<double> gauss(0.0, m_noise);
        const double samplesPerSymbol = kSampleRate / kSymbolRate;
        for (int16_t& out : block) {
            if (m_inSymbol >= samplesPerSymbol) {
                m_inSymbol -= samplesPerSymbol;
                for (std::size_t s = 0; s < m_stations.size(); ++s) {
                    m_sign[s] = m_nextSign[s];
                    // Mostly reversals (the idle pattern) with some ones, like typed text.
                    if (m_bits(m_rng) % 3 != 0) m_nextSign[s] = -m_nextSign[s];
                }
            }
            const double t = m_inSymbol / samplesPerSymbol;
            double v = m_noise > 0.0 ? gauss(m_rng) : 0.0;
            for (std::size_t s = 0; s < m_stations.size(); ++s) {
                // Reversal: the envelope swings through zero as a half cosine; else steady.
                const double env =
                    m_sign[s] == m_nextSign[s] ? m_sign[s] : m_sign[s] * std::cos(std::numbers::pi * t);
                v += m_stations[s].amplitude * env * std::sin(m_phase[s]);
                m_phase[s] += 2.0 * std::numbers::pi * m_stations[s].carrierHz / kSampleRate;
                if (m_phase[s] > 2.0 * std::numbers::pi) m_phase[s] -= 2.0 * std::numbers::pi;
            }
            m_inSymbol += 1.0;
            out = static_cast<int16_t>(std::lround(std::fmax(-32767.0, std::fmin(32767.0, v))));
        }
    }

private:
    std::vector<Station> m_stations;
    double m_noise;
    std::mt19937 m_rng;
    std::uniform_int_distribution<int> m_bits{0, 1 << 20};
    std::vector<double> m_phase, m_sign, m_nextSign;
    double m_inSymbol = 0.0;
};

}  // namespace vexa::testing
