// Expands the tokens of a piece of text before it is typed into the keyboard window (the
// macro tokens of the function keys). PassThroughExpander leaves the text as it is.
#pragma once

#include <string>
#include <string_view>

namespace vexa::macros {

class TextExpander {
public:
    virtual ~TextExpander() = default;
    virtual std::string ExpandText(std::string_view text) = 0;
};

class PassThroughExpander : public TextExpander {
public:
    std::string ExpandText(std::string_view text) override { return std::string(text); }
};

}  // namespace vexa::macros
