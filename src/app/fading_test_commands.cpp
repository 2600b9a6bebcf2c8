// The fading test command.
#include "app/fading_test_commands.h"

#include "app/control_id.h"

namespace vexa::app {

void FadingTestCommands::addCommands(CommandTable& table)
{
    table[ControlId::FadingTest] = [this] { run(); };
}

void FadingTestCommands::run()
{
    if (const std::optional<FadingTerms> edited = m_dialog ? m_dialog(m_terms) : std::nullopt) {
        m_terms = *edited;
        for (int k = 0; k < FadingTerms::kTerms; ++k) {
            const auto i = static_cast<std::size_t>(k);
            m_machine.setFadingTerm(k, m_terms.periodSeconds[i], m_terms.depth[i]);
        }
    }
    if (m_forgetLookup) m_forgetLookup();
}

}  // namespace vexa::app
