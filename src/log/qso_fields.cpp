// Filling the contact's fields: from the entry line and the window's readings where they
// give the value, from the operator otherwise.
#include "log/qso_fields.h"

#include <string>

#include "common/band_plan.h"

namespace vexa::log {

bool isNameWord(std::string_view w) noexcept
{
    for (const char c : w)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    return !w.empty();
}

void QsoFields::clear()
{
    *this = QsoFields{};
}

void AskQsoField(std::string& field, std::string_view prompt, std::string_view proposal, bool ask,
                 Prompter& prompter, const QsoSources& sources)
{
    if (!field.empty()) return;
    if (!ask && !proposal.empty()) {
        field.assign(proposal);
    } else {
        if (auto answer = prompter.askText(prompt, proposal)) field = std::move(*answer);
        if (sources.questionAsked) sources.questionAsked();
    }
    if (sources.fieldsChanged) sources.fieldsChanged();
}

std::string QsoFieldProviders::word(int n) const
{
    return m_sources.entryWord ? m_sources.entryWord(n) : std::string();
}

std::string QsoFieldProviders::call()
{
    m_fields.call = word(0);
    if (m_fields.call.empty()) {
        const std::string captured = m_sources.capturedCall ? m_sources.capturedCall() : std::string();
        AskQsoField(m_fields.call, "Call:", captured, true, m_prompter, m_sources);
        if (m_sources.setEntryText) m_sources.setEntryText(m_fields.call);
    }
    return m_fields.call;
}

std::string QsoFieldProviders::name()
{
    std::string proposal;
    for (int n = 1;; ++n) {
        const std::string w = word(n);
        if (w.empty()) break;
        if (isNameWord(w)) {
            proposal = w;
            break;
        }
    }
    AskQsoField(m_fields.name, "Name:", proposal, true, m_prompter, m_sources);
    return m_fields.name;
}

std::string QsoFieldProviders::qth()
{
    AskQsoField(m_fields.qth, "QTH:", "", true, m_prompter, m_sources);
    return m_fields.qth;
}

std::string QsoFieldProviders::rst()
{
    AskQsoField(m_fields.rst, "RST:", "599", true, m_prompter, m_sources);
    return m_fields.rst;
}

std::string QsoFieldProviders::myRst()
{
    AskQsoField(m_fields.myRst, "My RST:", "599", true, m_prompter, m_sources);
    return m_fields.myRst;
}

std::string QsoFieldProviders::band()
{
    if (m_fields.band.empty()) {
        const int hz = m_sources.signalFrequencyHz ? m_sources.signalFrequencyHz() : 0;
        const int b = FindBand(hz);
        if (b >= 0) {
            m_fields.band = std::to_string(kBandPlan[static_cast<std::size_t>(b)].metres) + "m";
            if (m_sources.fieldsChanged) m_sources.fieldsChanged();
        } else {
            AskQsoField(m_fields.band, "Band:", "", true, m_prompter, m_sources);
        }
    }
    return m_fields.band;
}

std::string QsoFieldProviders::frequency()
{
    const std::string text = m_sources.frequencyText ? m_sources.frequencyText() : std::string();
    AskQsoField(m_fields.frequency, "Frequency:", text, false, m_prompter, m_sources);
    return m_fields.frequency;
}

std::string QsoFieldProviders::mode()
{
    const std::string text = m_sources.modeText ? m_sources.modeText() : std::string();
    AskQsoField(m_fields.mode, "Mode:", text, false, m_prompter, m_sources);
    return m_fields.mode;
}

}  // namespace vexa::log
