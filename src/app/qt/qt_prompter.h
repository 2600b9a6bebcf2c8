// Modal questions and messages of the core, as Qt message boxes and a small input box.
#pragma once

#include "common/ports.h"

class QWidget;

namespace vexa::app::qt {

class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : m_parent(parent) {}
    std::optional<std::string> askText(std::string_view prompt, std::string_view proposal) override;
    Answer askYesNoCancel(std::string_view text, std::string_view caption) override;
    void inform(std::string_view text, std::string_view caption) override;

private:
    QWidget* m_parent;
};

}  // namespace vexa::app::qt
