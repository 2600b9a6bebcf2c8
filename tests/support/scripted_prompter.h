// A Prompter that answers the input box from a queue and records every prompt and message it
// was shown, with its caption, for tests of commands that ask the operator.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vexa::test {

class ScriptedPrompter final : public Prompter {
public:
    struct Shown {
        std::string kind;   // "ask", "yesno" or "inform"
        std::string text;   // the prompt or message
        std::string extra;  // the proposal or the caption
    };

    std::deque<std::optional<std::string>> textAnswers;  // empty queue: cancelled
    std::deque<Answer> answers;                          // empty queue: whenNoAnswer
    Answer whenNoAnswer = Answer::Cancel;
    std::vector<Shown> shown;

    std::optional<std::string> askText(std::string_view prompt, std::string_view proposal) override
    {
        shown.push_back({"ask", std::string(prompt), std::string(proposal)});
        if (textAnswers.empty()) return std::nullopt;
        std::optional<std::string> a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
    Answer askYesNoCancel(std::string_view text, std::string_view caption) override
    {
        shown.push_back({"yesno", std::string(text), std::string(caption)});
        if (answers.empty()) return whenNoAnswer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void inform(std::string_view text, std::string_view caption) override
    {
        shown.push_back({"inform", std::string(text), std::string(caption)});
    }

    // The prompts and messages alone, in order.
    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> out;
        for (const Shown& s : shown) out.push_back(s.text);
        return out;
    }
};

}  // namespace vexa::test
