// A prompter for tests: answers questions from a queue and records every message shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vexa::test {

class ScriptedPrompter final : public Prompter {
public:
    std::vector<Answer> answers;
    std::vector<std::string> texts;  // queued input-box answers
    std::vector<std::string> shown;  // every question and message, in order

    std::optional<std::string> askText(std::string_view prompt, std::string_view) override
    {
        shown.emplace_back(prompt);
        if (texts.empty()) return std::nullopt;
        std::string t = texts.front();
        texts.erase(texts.begin());
        return t;
    }
    Answer askYesNoCancel(std::string_view text, std::string_view) override
    {
        shown.emplace_back(text);
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void inform(std::string_view text, std::string_view) override { shown.emplace_back(text); }
};

}  // namespace vexa::test
