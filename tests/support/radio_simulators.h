// Simulated transceivers for the pty tests and for vexa-rig's own tests: an IC-735 on a
// CI-V bus (it hears its own echo and broadcasts dial and mode changes), an FT-990 that
// answers the status poll, a TS-850 that answers "FA;" and "IF;". Each keeps the state a
// real radio would show on its front panel.
#pragma once

#include <string>

#include "pty_radio.h"

namespace vexa::test {

class Ic735Radio final : public PtyRadio {
public:
    Ic735Radio() { start(); }
    ~Ic735Radio() override { stop(); }
    long long frequency() const { return locked(m_hz); }
    int mode() const { return locked(m_mode); }  // CI-V mode byte: 00 LSB, 01 USB, 02 AM, 03 CW, 05 FM
    int vfo() const { return locked(m_vfo); }
    void setFrequency(long long hz) { setLocked(m_hz, hz); }
    // The operator turns the dial / presses a mode key: the radio broadcasts the change.
    void turnDial(long long hz);
    void pressMode(int civMode);

protected:
    void onBytes(std::span<const uint8_t> bytes) override;

private:
    void frame(const std::vector<uint8_t>& f);
    std::vector<uint8_t> m_frame;
    bool m_inFrame = false;
    long long m_hz = 14070000;
    int m_mode = 1;
    int m_vfo = 0;
};

class Ft990Radio final : public PtyRadio {
public:
    Ft990Radio() { start(); }
    ~Ft990Radio() override { stop(); }
    long long frequency() const { return locked(m_hz); }
    int mode() const { return locked(m_mode); }  // the set-mode opcode's parameter: 00 LSB, 01 USB, 02 CW ...
    bool ptt() const { return locked(m_ptt); }
    void setFrequency(long long hz) { setLocked(m_hz, hz); }

protected:
    void onBytes(std::span<const uint8_t> bytes) override;

private:
    std::vector<uint8_t> m_block;
    long long m_hz = 7040000;
    int m_mode = 0;
    bool m_ptt = false;
};

class Ts850Radio final : public PtyRadio {
public:
    Ts850Radio() { start(); }
    ~Ts850Radio() override { stop(); }
    long long frequency(char vfo = 'A') const { return locked(vfo == 'B' ? m_b : m_a); }
    int mode() const { return locked(m_mode); }  // the MD digit
    bool ptt() const { return locked(m_ptt); }
    // Receives and transmits on VFO B: "FA;" still reports VFO A.
    void useVfoB(long long hz);
    // Answers every request with this text instead of the real reply (a garbled line).
    void answerWith(std::string reply) { setLocked(m_forcedReply, reply); }

protected:
    void onBytes(std::span<const uint8_t> bytes) override;

private:
    void command(const std::string& c);
    std::string m_command;
    std::string m_forcedReply;
    long long m_a = 21080000;
    long long m_b = 21090000;
    bool m_onB = false;
    int m_mode = 2;
    bool m_ptt = false;
};

}  // namespace vexa::test
