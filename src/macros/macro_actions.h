// What token expansion needs of the rest of the program: the current contact's fields (the
// logbook fills them by its rules, asking the operator where needed), the station's own
// data, the transmit key, the logbook commands, and a line in the receive window.
#pragma once

#include <string>
#include <string_view>

namespace vexa::macros {

struct StationIdentity {
    std::string call;
    std::string name;
    std::string qth;
};

// Each returns the field's value, filling an empty field first.
class ContactFields {
public:
    virtual ~ContactFields() = default;
    virtual std::string name() = 0;
    virtual std::string rst() = 0;
    virtual std::string myRst() = 0;
    virtual std::string call() = 0;
    virtual std::string qth() = 0;
    virtual std::string band() = 0;
    virtual std::string mode() = 0;
    virtual std::string frequency() = 0;
};

class MacroActions {
public:
    virtual ~MacroActions() = default;
    virtual StationIdentity station() const = 0;
    virtual bool transmitting() const = 0;
    virtual void startTransmit() = 0;  // ToggleTransmit while not transmitting
    virtual void saveEntry() = 0;
    virtual void clearEntry() = 0;
    virtual void timeStampEntry() = 0;
    // One line for the operator in the receive window (no line break needed).
    virtual void reportLine(std::string_view text) = 0;
};

}  // namespace vexa::macros
