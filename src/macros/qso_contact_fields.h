// The logbook's field providers as the contact fields that macro tokens read: the window's
// macro keys expand <NAME>, <RST>, <BAND>... through them.
#pragma once

#include <string>

#include "log/qso_fields.h"
#include "macros/macro_actions.h"

namespace vexa::macros {

class QsoContactFields final : public ContactFields {
public:
    explicit QsoContactFields(log::QsoFieldProviders& providers) : m_p(providers) {}
    std::string name() override { return m_p.name(); }
    std::string rst() override { return m_p.rst(); }
    std::string myRst() override { return m_p.myRst(); }
    std::string call() override { return m_p.call(); }
    std::string qth() override { return m_p.qth(); }
    std::string band() override { return m_p.band(); }
    std::string mode() override { return m_p.mode(); }
    std::string frequency() override { return m_p.frequency(); }

    log::QsoFieldProviders& providers() noexcept { return m_p; }

private:
    log::QsoFieldProviders& m_p;
};

}  // namespace vexa::macros
