// Seeded white Gaussian noise for signal tests: the same seed gives the same noise on every
// run, so a noise test either always passes or always fails.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace vexa::test {

class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : m_engine(seed) {}

    // One Gaussian sample with the given standard deviation.
    double next(double sigma) { return m_normal(m_engine) * sigma; }

    // Adds noise so that (signal power) / (noise power in bandwidthHz) equals snrDb.
    // signalPower is the mean square of the clean signal (A^2/2 for a carrier of peak A).
    void addAtSnr(std::vector<double>& signal, double signalPower, double snrDb, double bandwidthHz = 2500.0,
                  double sampleRate = 11025.0)
    {
        const double sigma = sigmaFor(signalPower, snrDb, bandwidthHz, sampleRate);
        for (double& s : signal) s += next(sigma);
    }

    // White noise of variance sigma^2 spreads over sampleRate/2 Hz; the part within
    // bandwidthHz is sigma^2 * bandwidthHz / (sampleRate/2).
    static double sigmaFor(double signalPower, double snrDb, double bandwidthHz = 2500.0,
                           double sampleRate = 11025.0)
    {
        const double noiseInBand = signalPower / std::pow(10.0, snrDb / 10.0);
        return std::sqrt(noiseInBand * (sampleRate / 2.0) / bandwidthHz);
    }

private:
    std::mt19937 m_engine;
    std::normal_distribution<double> m_normal{0.0, 1.0};
};

}  // namespace vexa::test
