// One PSK receive channel wired together: the demodulator, its decoder selector and the
// BPSK (varicode) and QPSK decoders writing into one TextSink. The main channel switches
// between BPSK and QPSK with the operating mode; the second channel stays on BPSK.
#pragma once

#include <cstdint>
#include <span>

#include "engine/dsp/sine_table.h"
#include "engine/rx/decoder_selector.h"
#include "engine/rx/psk_demodulator.h"
#include "engine/rx/qpsk_decoder.h"
#include "engine/rx/text_sink.h"
#include "engine/rx/varicode_decoder.h"

namespace vexa::engine {

class PskReceiver {
public:
    enum class Decoding { Bpsk, Qpsk };

    // Starts on BPSK at the demodulator's initial frequency. table and text are shared
    // and must outlive the receiver.
    PskReceiver(const SineTable& table, TextSink& text) noexcept;
    PskReceiver(const PskReceiver&) = delete;
    PskReceiver& operator=(const PskReceiver&) = delete;

    // Points the selector at the BPSK or QPSK decoder (the mode wiring). Does not reset.
    void setDecoding(Decoding decoding) noexcept;
    Decoding decoding() const noexcept { return m_decoding; }
    // The "inv" setting: QPSK quarter turns are read the other way round.
    void setReverse(bool reverse) noexcept { m_qpsk.setInverted(reverse); }

    void setFrequency(double hz) noexcept { m_demodulator.setFrequency(hz); }
    double frequency() const noexcept { return m_demodulator.frequency(); }
    void process(std::span<const int16_t> samples) noexcept { m_demodulator.processBlock(samples); }

    // The drift estimate of the decoder in use (the AFC's input) and its jitter estimate.
    int32_t driftIndicator() const noexcept;
    void setDriftIndicator(int32_t drift) noexcept;
    int32_t jitterIndicator() const noexcept;

    PskDemodulator& demodulator() noexcept { return m_demodulator; }
    DecoderSelector& selector() noexcept { return m_selector; }
    VaricodeDecoder& varicodeDecoder() noexcept { return m_varicode; }
    QpskDecoder& qpskDecoder() noexcept { return m_qpsk; }

private:
    VaricodeDecoder m_varicode;
    QpskDecoder m_qpsk;
    DecoderSelector m_selector;
    PskDemodulator m_demodulator;
    Decoding m_decoding = Decoding::Bpsk;
};

}  // namespace vexa::engine
