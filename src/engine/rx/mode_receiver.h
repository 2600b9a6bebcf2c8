// The receive loop of the engine: each audio block goes to the demodulator of the current
// operating mode (PSK31 and QPSK: the main PSK channel, RTTY: the matched-filter or the
// discriminator receiver, FSK31 into the main channel's varicode decoder), then to the second PSK channel
// when it is tuned, and then one AFC step follows the demodulated block. The application's operating state,
// `vexa-modem rx` and the receive tests all run this one object, so what they decode is the same. Not
// thread-safe: one thread (the GUI thread in the application) makes every call.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "common/operating_mode.h"
#include "engine/dsp/sine_table.h"
#include "engine/rx/fsk31_demodulator.h"
#include "engine/rx/psk_receiver.h"
#include "engine/rx/rtty_demodulator.h"
#include "engine/rx/rtty_matched_demodulator.h"
#include "engine/rx/text_sink.h"

namespace vexa::engine {

// The two RTTY receivers: the discriminator and slicer, and the matched filters per tone
// that copy signals 5 to 6 dB weaker (bench/rtty_cer_table).
enum class RttyDecoder { Discriminator, Matched };

class ModeReceiver {
public:
    // text receives the decoded characters, secondText those of the second PSK channel.
    // All three must outlive the receiver. Starts in PSK31 at 1000 Hz, AFC off.
    ModeReceiver(const SineTable& table, TextSink& text, TextSink& secondText) noexcept;
    ModeReceiver(const ModeReceiver&) = delete;
    ModeReceiver& operator=(const ModeReceiver&) = delete;

    // Wires the demodulators for `mode`: BPSK or QPSK decoding on the main channel, RTTY
    // back to 45.45 Bd, the FSK31 correction cleared. Modes without a demodulator (CW, the
    // voice modes, ...) receive nothing.
    void setMode(OperatingMode mode) noexcept;
    OperatingMode mode() const noexcept { return m_mode; }
    // Another demodulator serves `mode` from now on (nullptr: none); it is retuned with
    // the others. Not owned.
    void setDemodulator(OperatingMode mode, PskDemodulator* demodulator) noexcept;
    PskDemodulator* demodulator(OperatingMode mode) const noexcept;

    // The receive frequency of every demodulator of the main channel (RTTY and FSK31: the
    // centre between the tones).
    void setFrequency(double hz) noexcept;
    double frequency() const noexcept { return m_hz; }
    // The second PSK channel's frequency; 0 switches it off.
    void setSecondChannelFrequency(double hz) noexcept;
    double secondChannelFrequency() const noexcept { return m_secondHz; }
    // QPSK read from the other sideband.
    void setReverse(bool reverse) noexcept;
    // The RTTY receiver that mode RTTY runs (the matched one unless told otherwise; a
    // demodulator set for RTTY with setDemodulator runs instead of either). Both are kept
    // tuned and set alike by the calls below, so a switch takes effect at once.
    void setRttyDecoder(RttyDecoder decoder) noexcept { m_rttyDecoder = decoder; }
    RttyDecoder rttyDecoder() const noexcept { return m_rttyDecoder; }
    // 45.45 or 100 Bd (setMode(Rtty) returns to 45.45).
    void setRttySymbolRate(double bd) noexcept;
    // 1: mark on the lower tone.
    void setRttyPolarity(int polarity) noexcept;
    void setRttyUnshiftOnSpace(bool on) noexcept;
    void setAfc(bool on) noexcept { m_afc = on; }
    bool afcEnabled() const noexcept { return m_afc; }
    // After a manual retune the old drift estimate means nothing.
    void clearDrift() noexcept;

    // One block of audio at 11025 samples/s. While transmitting nothing is demodulated and
    // the AFC rests. True when the AFC step moved the receive frequency.
    bool receive(std::span<const int16_t> block, bool transmitting) noexcept;
    // The end of a recording: RTTY hands over the bits of the tone still on the line.
    void endOfInput() noexcept;

    // The value the AFC follows in the current mode (RTTY: the selected receiver's
    // discriminator sum, which the display shows but no AFC uses).
    int32_t driftIndicator() const noexcept;

    PskReceiver& mainChannel() noexcept { return m_main; }
    PskReceiver& secondChannel() noexcept { return m_second; }
    RttyDemodulator& rtty() noexcept { return m_rtty; }
    RttyMatchedDemodulator& rttyMatched() noexcept { return m_rttyMatched; }
    Fsk31Demodulator& fsk31() noexcept { return m_fsk31; }

private:
    bool afcStep() noexcept;
    bool rttyMatchedRuns() const noexcept
    {
        return m_rttyDecoder == RttyDecoder::Matched && demodulator(OperatingMode::Rtty) == &m_rtty;
    }

    PskReceiver m_main;
    PskReceiver m_second;
    RttyDemodulator m_rtty;
    RttyMatchedDemodulator m_rttyMatched;
    Fsk31Demodulator m_fsk31;
    std::array<PskDemodulator*, kOperatingModeCount> m_byMode{};
    OperatingMode m_mode = OperatingMode::Psk31;
    double m_hz = 1000.0;
    double m_secondHz = 0.0;
    bool m_reverse = false;
    bool m_afc = false;
    RttyDecoder m_rttyDecoder = RttyDecoder::Matched;
};

}  // namespace vexa::engine
