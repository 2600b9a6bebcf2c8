// The fading test: four slow sine terms that modulate the transmitted level, so that a
// receiver can be tried against a fading signal. The operator sets each term's period and
// depth in a small table dialog; the transmit path applies them. Qt-free; the window lends
// the dialog.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "app/command_table.h"
#include "engine/tx/transmit_machine.h"

namespace vexa::app {

struct FadingTerms {
    static constexpr int kTerms = engine::TransmitMachine::kFadingTerms;
    std::array<float, kTerms> periodSeconds{};  // 0 or less: the term is off
    std::array<float, kTerms> depth{};
};

class FadingTestCommands {
public:
    // dialog: shows the terms and returns the edited ones, nullopt on Cancel.
    // forgetLookup: runs after the dialog however it ended.
    FadingTestCommands(engine::TransmitMachine& machine,
                       std::function<std::optional<FadingTerms>(const FadingTerms&)> dialog,
                       std::function<void()> forgetLookup)
        : m_machine(machine), m_dialog(std::move(dialog)), m_forgetLookup(std::move(forgetLookup))
    {
    }

    // Ctrl+Shift+Alt+H (1334).
    void addCommands(CommandTable& table);
    void run();
    const FadingTerms& terms() const noexcept { return m_terms; }

private:
    engine::TransmitMachine& m_machine;
    std::function<std::optional<FadingTerms>(const FadingTerms&)> m_dialog;
    std::function<void()> m_forgetLookup;
    FadingTerms m_terms;
};

}  // namespace vexa::app
