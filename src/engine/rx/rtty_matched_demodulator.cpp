// Matched-filter RTTY detection, threshold correction and character framing.
#include "engine/rx/rtty_matched_demodulator.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vexa::engine {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kMarkLine = 0;  // BaudotDecoder's line values
constexpr int kSpaceLine = 1;
// The levels follow the tone over about 32 bits (four or five characters): slow enough
// that their noise costs almost nothing, fast enough for selective fading.
constexpr int kLevelMemoryBits = 32;
constexpr int kStopBit = 6;  // start bit 0, data bits 1 to 5
// A lone start edge (its zero crossing jitters by a sixth of a bit at the 1 % point) is
// refined within 6/16 bit either way; measured best between 4 and 8.
constexpr int kTimingSearch = 6;
// The flywheel: a start edge within 0.3 bit of where the sender's character period puts
// it is searched only 3/16 bit around that place, and moves the timing by 0.3 of what it
// measures. Characters lost in between (up to two) keep the period.
constexpr int kFlywheelSearch = 3;
constexpr double kFlywheelCapture = 0.3;
constexpr double kFlywheelGain = 0.3;
constexpr double kFlywheelCharacters = 3.0;
// Two characters are in step when their starts lie within 0.15 bit of a whole number of
// half bits apart.
constexpr double kStepTolerance = 0.15;
// Contrast a character needs to print (see decideCharacter). From noise alone a lone frame
// reaches 1.75 about once in twenty; real characters at the 1 % point mostly reach 2.
constexpr float kMinimumContrast = 1.0F;
constexpr float kLoneContrast = 1.75F;
// The indicators use the discriminator receiver's scale: per 1/750 s, 256 x tan, +-200.
constexpr double kIndicatorRateHz = 750.0;
constexpr float kIndicatorClamp = 200.0F;
constexpr float kIndicatorScale = 256.0F;

}  // namespace

void RttyMatchedDemodulator::ToneLevels::learn(bool isOn, float envelope) noexcept
{
    // A plain mean over the first bits, then a running mean: the first character already
    // sets a usable threshold.
    float& level = isOn ? on : off;
    int& count = isOn ? onCount : offCount;
    count = std::min(count + 1, kLevelMemoryBits);
    level += (envelope - level) / static_cast<float>(count);
}

RttyMatchedDemodulator::RttyMatchedDemodulator() noexcept
{
    configure();
    reset();
}

void RttyMatchedDemodulator::setFrequency(double hz) noexcept
{
    m_centreHz = hz;
    configure();
}

void RttyMatchedDemodulator::setSampleRate(int rate) noexcept
{
    m_sampleRate = rate;
    configure();
    reset();
}

void RttyMatchedDemodulator::setSymbolRate(double bd) noexcept
{
    m_symbolRateBd = bd;
    configure();
    reset();
}

void RttyMatchedDemodulator::configure() noexcept
{
    if (m_sampleRate <= 0 || !(m_symbolRateBd > 0.0)) {
        m_stepLength = 0;
        return;
    }
    const double samplesPerBit = m_sampleRate / m_symbolRateBd;
    m_stepLength = std::max(1, static_cast<int>(std::lround(samplesPerBit / kStepsPerBit)));
    m_stepsPerBit = samplesPerBit / m_stepLength;
    const auto increment = [&](double hz) {
        const double w = kTwoPi * hz / m_sampleRate;
        return Phasor{static_cast<float>(std::cos(w)), static_cast<float>(std::sin(w))};
    };
    m_upperStep = increment(m_centreHz + kFilterShiftHz / 2.0);
    m_lowerStep = increment(m_centreHz - kFilterShiftHz / 2.0);
    m_phaseToIndicator = static_cast<float>(m_sampleRate / (m_stepLength * kIndicatorRateHz));
}

void RttyMatchedDemodulator::reset() noexcept
{
    m_upperOsc = {};
    m_lowerOsc = {};
    m_inStep = 0;
    m_upperRe = m_upperIm = m_lowerRe = m_lowerIm = 0.0F;
    m_ringUpperRe.fill(0.0F);
    m_ringUpperIm.fill(0.0F);
    m_ringLowerRe.fill(0.0F);
    m_ringLowerIm.fill(0.0F);
    m_sumUpperRe = m_sumUpperIm = m_sumLowerRe = m_sumLowerIm = 0.0;
    m_prevUpperRe = m_prevUpperIm = m_prevLowerRe = m_prevLowerIm = 0.0;
    m_ringIndex = 0;
    m_markLevels = {};
    m_spaceLevels = {};
    m_history.fill({});
    m_written = 1;
    // The filters are full after one bit: nothing before that is a decision (a frame read
    // from the empty start of the history once printed a FIGS out of nothing).
    m_read = kStepsPerBit + 1;
    m_inCharacter = false;
    m_lastStart.reset();
    m_characterHalves = 0;
    m_indicatorRing.fill(0);
    m_discriminatorSum = 0;
    m_detector = 0;
    m_level = 0;
}

void RttyMatchedDemodulator::processBlock(std::span<const int16_t> samples) noexcept
{
    if (m_stepLength <= 0) return;
    // Local copies keep the per-sample loop in registers.
    Phasor u = m_upperOsc;
    Phasor l = m_lowerOsc;
    const Phasor du = m_upperStep;
    const Phasor dl = m_lowerStep;
    float ure = m_upperRe, uim = m_upperIm, lre = m_lowerRe, lim = m_lowerIm;
    int left = m_stepLength - m_inStep;
    for (const int16_t s : samples) {
        const auto x = static_cast<float>(s);
        // x times the conjugate oscillator: each tone lands at 0 Hz.
        ure += x * u.re;
        uim -= x * u.im;
        lre += x * l.re;
        lim -= x * l.im;
        u = {u.re * du.re - u.im * du.im, u.re * du.im + u.im * du.re};
        l = {l.re * dl.re - l.im * dl.im, l.re * dl.im + l.im * dl.re};
        if (--left == 0) {
            // Rounding would let the oscillators' amplitude drift; one Newton step on the
            // magnitude per decision value holds it at 1.
            const float gu = 1.5F - 0.5F * (u.re * u.re + u.im * u.im);
            const float gl = 1.5F - 0.5F * (l.re * l.re + l.im * l.im);
            u = {u.re * gu, u.im * gu};
            l = {l.re * gl, l.im * gl};
            m_upperRe = ure, m_upperIm = uim, m_lowerRe = lre, m_lowerIm = lim;
            step();
            ure = uim = lre = lim = 0.0F;
            left = m_stepLength;
        }
    }
    m_upperOsc = u;
    m_lowerOsc = l;
    m_upperRe = ure, m_upperIm = uim, m_lowerRe = lre, m_lowerIm = lim;
    m_inStep = m_stepLength - left;
}

void RttyMatchedDemodulator::step() noexcept
{
    // The moving sum of kStepsPerBit partial sums is the one-bit matched filter of each
    // tone, evaluated every m_stepLength samples. Double sums: the running subtraction
    // then leaves no residue worth speaking of after hours of signal.
    const auto k = static_cast<std::size_t>(m_ringIndex);
    m_sumUpperRe += static_cast<double>(m_upperRe) - m_ringUpperRe[k];
    m_sumUpperIm += static_cast<double>(m_upperIm) - m_ringUpperIm[k];
    m_sumLowerRe += static_cast<double>(m_lowerRe) - m_ringLowerRe[k];
    m_sumLowerIm += static_cast<double>(m_lowerIm) - m_ringLowerIm[k];
    m_ringUpperRe[k] = m_upperRe;
    m_ringUpperIm[k] = m_upperIm;
    m_ringLowerRe[k] = m_lowerRe;
    m_ringLowerIm[k] = m_lowerIm;
    if (++m_ringIndex == kStepsPerBit) m_ringIndex = 0;

    const auto upper =
        static_cast<float>(std::sqrt(m_sumUpperRe * m_sumUpperRe + m_sumUpperIm * m_sumUpperIm));
    const auto lower =
        static_cast<float>(std::sqrt(m_sumLowerRe * m_sumLowerRe + m_sumLowerIm * m_sumLowerIm));
    const float mark = m_polarity == 0 ? upper : lower;
    const float space = m_polarity == 0 ? lower : upper;
    // Each envelope is compared with the midpoint of its own on and off levels, so a tone
    // faded deep (or one sitting under a steady carrier) no longer pulls the decision its way:
    // the other tone decides alone.
    const float d = (mark - m_markLevels.threshold()) - (space - m_spaceLevels.threshold());
    m_history[static_cast<std::size_t>(m_written & (kHistory - 1))] = {d, mark, space};
    ++m_written;
    m_detector = (d > 0.0F) == (m_polarity == 0) ? 1 : 0;

    updateIndicators(m_sumUpperRe, m_sumUpperIm, m_sumLowerRe, m_sumLowerIm, upper, lower);
    frame();
}

void RttyMatchedDemodulator::updateIndicators(double upperRe, double upperIm, double lowerRe, double lowerIm,
                                              float upper, float lower) noexcept
{
    // The stronger filter's phase turns by the tone's offset from that filter each step.
    const bool upperWins = upper >= lower;
    const double re = upperWins ? upperRe : lowerRe;
    const double im = upperWins ? upperIm : lowerIm;
    const double prevRe = upperWins ? m_prevUpperRe : m_prevLowerRe;
    const double prevIm = upperWins ? m_prevUpperIm : m_prevLowerIm;
    const auto turn = static_cast<float>(std::atan2(im * prevRe - re * prevIm, re * prevRe + im * prevIm));
    m_prevUpperRe = upperRe;
    m_prevUpperIm = upperIm;
    m_prevLowerRe = lowerRe;
    m_prevLowerIm = lowerIm;

    const double filterHz = (upperWins ? 0.5 : -0.5) * kFilterShiftHz;
    const float angle = static_cast<float>(kTwoPi * filterHz / kIndicatorRateHz) + turn * m_phaseToIndicator;
    const float limit = std::atan(kIndicatorClamp / kIndicatorScale);
    const float v =
        std::abs(angle) >= limit ? std::copysign(kIndicatorClamp, angle) : kIndicatorScale * std::tan(angle);
    const auto value = static_cast<int32_t>(v);
    const auto slot = static_cast<std::size_t>(m_ringIndex);  // advances once per step, like the filters
    m_discriminatorSum += value - m_indicatorRing[slot];
    m_indicatorRing[slot] = value;

    const float mean = std::max(upper, lower) / static_cast<float>(kStepsPerBit * m_stepLength);
    const double energy = static_cast<double>(mean) * mean;
    m_level = energy < 1.0 ? 0 : static_cast<int32_t>(std::bit_width(static_cast<uint64_t>(energy)));
}

void RttyMatchedDemodulator::frame() noexcept
{
    // The search never falls further behind than one character (under 150 steps at any
    // rate), but a history slot must not be read after it was overwritten.
    m_read = std::max(m_read, m_written - (kHistory - 2 * kStepsPerBit));
    for (;;) {
        if (!m_inCharacter) {
            // A start edge: the decision goes from mark to space. It crosses zero when the
            // bit-long filter window is half into the start bit.
            for (; m_read < m_written; ++m_read) {
                const float before = at(m_read - 1).d;
                const float now = at(m_read).d;
                if (before >= 0.0F && now < 0.0F) {
                    m_crossing = static_cast<double>(m_read - 1) + before / (before - now);
                    m_inCharacter = true;
                    break;
                }
            }
            if (!m_inCharacter) return;
        }
        if (!decideCharacter()) return;
    }
}

float RttyMatchedDemodulator::valueAt(double position) const noexcept
{
    const double whole = std::floor(position);
    const auto k = static_cast<int64_t>(whole);
    const auto f = static_cast<float>(position - whole);
    return at(k).d + f * (at(k + 1).d - at(k).d);
}

float RttyMatchedDemodulator::frameScore(double crossing) const noexcept
{
    // The decisions are firmest at the right timing: the start bit counted as space, the
    // stop bit as mark, each data bit by its size. Every edge in the character votes.
    const double first = firstBitPosition(crossing);
    float score = valueAt(first + kStopBit * m_stepsPerBit) - valueAt(first);
    for (int bit = 1; bit < kStopBit; ++bit) score += std::abs(valueAt(first + bit * m_stepsPerBit));
    return score;
}

double RttyMatchedDemodulator::firstBitPosition(double crossing) const noexcept
{
    // The window of the start bit is full half a bit after the zero crossing of its edge
    // (the window is a little shorter than the bit at some rates: centre it).
    return crossing + 0.5 * kStepsPerBit + 0.5 * (m_stepsPerBit - kStepsPerBit);
}

bool RttyMatchedDemodulator::decideCharacter() noexcept
{
    // A sender keying characters back to back starts each one a whole number of half bits
    // after the last (1, 1.5 or 2 stop bits). When this edge fits that pattern, the timing
    // carries over from character to character and each character only nudges it: far
    // less jitter than one character's own edges give at low SNR.
    double centre = m_crossing;
    int search = kTimingSearch;
    bool flywheel = false;
    const double half = 0.5 * m_stepsPerBit;
    if (m_lastStart && m_characterHalves > 0) {
        // A character or two may have been lost in between.
        const double period = m_characterHalves * half;
        const double characters = std::round((m_crossing - *m_lastStart) / period);
        const double predicted = *m_lastStart + characters * period;
        if (characters >= 1.0 && characters <= kFlywheelCharacters &&
            std::abs(m_crossing - predicted) <= kFlywheelCapture * m_stepsPerBit) {
            centre = predicted;
            search = kFlywheelSearch;
            flywheel = true;
        }
    }
    const double last = firstBitPosition(centre + search + 1) + kStopBit * m_stepsPerBit;
    if (static_cast<int64_t>(std::floor(last)) + 1 >= m_written) return false;

    int best = 0;
    float bestScore = -1e30F;
    std::array<float, 2 * kTimingSearch + 1> scores{};
    for (int shift = -search; shift <= search; ++shift) {
        const float score = frameScore(centre + shift);
        scores[static_cast<std::size_t>(shift + search)] = score;
        if (score > bestScore) {
            bestScore = score;
            best = shift;
        }
    }
    // Between the steps: the peak of a parabola through the best score and its neighbours.
    double refined = centre + best;
    if (best > -search && best < search) {
        const float a = scores[static_cast<std::size_t>(best + search - 1)];
        const float c = scores[static_cast<std::size_t>(best + search + 1)];
        const float curve = a - 2.0F * bestScore + c;
        if (curve < 0.0F) refined += std::clamp(0.5F * (a - c) / curve, -0.5F, 0.5F);
    }
    const double crossing = flywheel ? centre + kFlywheelGain * (refined - centre) : refined;

    const int64_t crossingIndex = static_cast<int64_t>(std::floor(m_crossing)) + 1;
    m_inCharacter = false;
    const double first = firstBitPosition(crossing);
    if (valueAt(first) >= 0.0F || valueAt(first + kStopBit * m_stepsPerBit) <= 0.0F) {
        // Not a start bit after all, or a stop bit that reads as space: a framing error.
        // Printing such frames is most of the garbage a noisy channel produces; drop it
        // and look for the next edge right after this one.
        m_read = crossingIndex + 1;
        return true;
    }

    // Framing alone lets through about one random frame in four from noise. A real
    // character also shows each tone clearly stronger while it is on than while it is off;
    // frames from noise rarely do (their on and off envelopes differ only by the selection).
    std::array<bool, kStopBit + 1> marks{};
    std::array<const Decision*, kStopBit + 1> values{};
    float markOn = 0.0F, markOff = 0.0F, spaceOn = 0.0F, spaceOff = 0.0F;
    int markBits = 0;
    for (int bit = 0; bit <= kStopBit; ++bit) {
        const double x = first + bit * m_stepsPerBit;
        const auto k = static_cast<std::size_t>(bit);
        values[k] = &at(static_cast<int64_t>(std::llround(x)));
        marks[k] = valueAt(x) > 0.0F;
        (marks[k] ? markOn : markOff) += values[k]->mark;
        (marks[k] ? spaceOff : spaceOn) += values[k]->space;
        markBits += marks[k] ? 1 : 0;
    }
    // Start and stop bit: both classes always have at least one bit.
    const auto onBits = static_cast<float>(markBits);
    const auto offBits = static_cast<float>(kStopBit + 1 - markBits);
    markOn /= onBits;
    spaceOff /= onBits;
    markOff /= offBits;
    spaceOn /= offBits;
    // A character that follows the last one in step (whole half bits later, 7 to 8 bits:
    // a sender keying back to back) is far more likely real than a lone frame, and needs
    // less contrast to print.
    int halvesApart = 0;
    if (m_lastStart) {
        const double halves = (crossing - *m_lastStart) / half;
        const double whole = std::round(halves);
        if (whole >= 2 * (kStopBit + 1) && whole <= 2 * (kStopBit + 2) &&
            std::abs(halves - whole) * half <= kStepTolerance * m_stepsPerBit)
            halvesApart = static_cast<int>(whole);
    }
    // Contrast: how far each tone rises when on above its level when off, against the
    // level when off (the noise). A clean signal has no noise: its contrast is unbounded.
    const float noise = markOff + spaceOff;
    const float rise = markOn - markOff + spaceOn - spaceOff;
    const float contrast = noise > 0.0F ? rise / noise : (rise > 0.0F ? kMinimumContrast * 1e6F : 0.0F);
    if (contrast < (flywheel || halvesApart > 0 ? kMinimumContrast : kLoneContrast)) {
        m_read = crossingIndex + 1;
        return true;
    }

    m_decoder.bit(kMarkLine);
    for (std::size_t k = 0; k < marks.size(); ++k) {
        m_markLevels.learn(marks[k], values[k]->mark);
        m_spaceLevels.learn(!marks[k], values[k]->space);
        m_decoder.bit(marks[k] ? kMarkLine : kSpaceLine);
    }
    // Learn the sender's character period from two characters in a row.
    if (!flywheel) m_characterHalves = halvesApart;
    m_lastStart = crossing;
    // The next start edge comes at the earliest half a bit after the stop bit's middle.
    m_read = static_cast<int64_t>(std::floor(first + kStopBit * m_stepsPerBit)) + 1;
    return true;
}

void RttyMatchedDemodulator::endOfInput() noexcept
{
    if (m_stepLength <= 0) return;
    const auto samples = static_cast<int>(std::ceil(1.5 * m_sampleRate / m_symbolRateBd));
    for (int k = 0; k < samples; ++k) process(0);
}

}  // namespace vexa::engine
