// A Prompter that answers from a script and remembers every question and message, for tests
// of code that asks the operator.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vexa::test {

class ScriptedPrompter : public Prompter {
public:
    // Answers are taken in order; with none left, askText cancels and askYesNoCancel says No.
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<Answer> buttonAnswers;

    struct Seen {
        std::string kind;  // "text", "question" or "message"
        std::string text;
        std::string proposalOrCaption;
    };
    std::vector<Seen> seen;

    std::optional<std::string> askText(std::string_view prompt, std::string_view proposal) override
    {
        seen.push_back({"text", std::string(prompt), std::string(proposal)});
        if (textAnswers.empty()) return std::nullopt;
        auto a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
    Answer askYesNoCancel(std::string_view text, std::string_view caption) override
    {
        seen.push_back({"question", std::string(text), std::string(caption)});
        if (buttonAnswers.empty()) return Answer::No;
        const Answer a = buttonAnswers.front();
        buttonAnswers.pop_front();
        return a;
    }
    void inform(std::string_view text, std::string_view caption) override
    {
        seen.push_back({"message", std::string(text), std::string(caption)});
    }
};

}  // namespace vexa::test
