// A MacroActions that records what token expansion asked for, in order, and holds a fixed
// station; startTransmit can be routed to a real transmit machine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "macros/macro_actions.h"

namespace vexa::test {

class RecordingMacroActions final : public macros::MacroActions {
public:
    macros::StationIdentity identity{"XX9XX", "Sam", "Lakeside"};
    bool isTransmitting = false;
    std::function<void()> onStartTransmit;  // empty: only recorded (and transmitting set)
    std::vector<std::string> done;          // "tx", "save", "clear", "timestamp"
    std::vector<std::string> reports;

    macros::StationIdentity station() const override { return identity; }
    bool transmitting() const override { return isTransmitting; }
    void startTransmit() override
    {
        done.push_back("tx");
        if (onStartTransmit)
            onStartTransmit();
        else
            isTransmitting = true;
    }
    void saveEntry() override { done.push_back("save"); }
    void clearEntry() override { done.push_back("clear"); }
    void timeStampEntry() override { done.push_back("timestamp"); }
    void reportLine(std::string_view text) override { reports.emplace_back(text); }
};

}  // namespace vexa::test
