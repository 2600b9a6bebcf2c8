// The current contact's eight fields, which macros, the partner window and the time stamp
// read, and the providers that fill a missing field from the window or by asking.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/ports.h"

namespace vexa::log {

struct QsoFields {
    std::string call;
    std::string name;
    std::string qth;
    std::string rst;    // report sent
    std::string myRst;  // report received
    std::string band;
    std::string frequency;
    std::string mode;
    void clear();
};

// What the providers read from and do to the main window. The app supplies these; an unset
// callback reads as empty (or 0) and does nothing.
struct QsoSources {
    std::function<std::string(int)> entryWord;             // EntryWord(n) of the caret's line
    std::function<void(const std::string&)> setEntryText;  // in the normal character format
    std::function<std::string()> capturedCall;
    std::function<int()> signalFrequencyHz;
    std::function<std::string()> frequencyText;  // the frequency combo box
    std::function<std::string()> modeText;       // the mode combo box
    std::function<void()> fieldsChanged;         // the partner window refreshes
    std::function<void()> questionAsked;         // empties lastLookupCall
};

// `AskQsoField`: nothing when `field` is set; else takes a non-empty `proposal` without asking
// when !ask, otherwise asks with the input box (Cancel leaves the field empty).
// The name rule: the partner's name is the first word after the call made only of the
// letters A to Z and a to z.
bool isNameWord(std::string_view word) noexcept;

void AskQsoField(std::string& field, std::string_view prompt, std::string_view proposal, bool ask,
                 Prompter& prompter, const QsoSources& sources);

class QsoFieldProviders {
public:
    QsoFieldProviders(QsoFields& fields, Prompter& prompter, QsoSources sources)
        : m_fields(fields), m_prompter(prompter), m_sources(std::move(sources))
    {
    }

    // Each returns the field's value after filling it.
    std::string call();
    std::string name();
    std::string qth();
    std::string rst();
    std::string myRst();
    std::string band();
    std::string frequency();
    std::string mode();

    QsoFields& fields() noexcept { return m_fields; }
    const QsoSources& sources() const noexcept { return m_sources; }

private:
    std::string word(int n) const;
    QsoFields& m_fields;
    Prompter& m_prompter;
    QsoSources m_sources;
};

}  // namespace vexa::log
