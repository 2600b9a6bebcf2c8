// A link that is always open and keeps every block written to it; with ImmediateScheduler
// the Transceiver's paced commands arrive at once, in order.
#pragma once

#include <utility>
#include <vector>

#include "common/scheduler.h"
#include "rig/byte_channel.h"

namespace vexa::test {

class RecordingByteChannel final : public rig::ByteChannel {
public:
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<uint8_t> incoming;

    bool isOpen() const override { return true; }
    bool Write(std::span<const uint8_t> bytes) override
    {
        blocks.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    std::vector<uint8_t> TakeReceived() override { return std::exchange(incoming, {}); }
    void SetWake(std::function<void()>) override {}
    bool TakeLost() override { return false; }
    std::string describe() const override { return "recorder"; }
    int baudRate() const override { return 9600; }
};

class ImmediateScheduler final : public Scheduler {
public:
    void callAfter(int, std::function<void()> call) override { call(); }
};

}  // namespace vexa::test
