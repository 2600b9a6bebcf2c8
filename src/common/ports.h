// Small interfaces through which the core reaches the screen and the wall clock. The Qt
// shell implements them over real widgets; tests use in-memory fakes (tests/support).
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// A rich-text window as the core sees it: single-byte text, one selection, a caret.
// Positions are character offsets from the start of the text.
class TextWindow {
public:
    virtual ~TextWindow() = default;
    virtual std::string text() const = 0;
    virtual int length() const = 0;
    virtual int caret() const = 0;                // == selection end
    virtual void select(int start, int end) = 0;  // caret goes to end
    virtual int selectionStart() const = 0;
    virtual int selectionEnd() const = 0;
    virtual void replaceSelection(std::string_view text) = 0;
    virtual bool hasFocus() const = 0;
    // Backspaces typed where they could only erase text already sent (into an empty window
    // or with the caret at the start). The keyboard window counts them; the transmit
    // buffer sends one backspace for each and takes the count down.
    virtual int pendingBackspaces() const { return 0; }
    virtual void setPendingBackspaces(int count) { static_cast<void>(count); }
};

// Modal questions and messages.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~Prompter() = default;
    // The input box: nullopt when cancelled.
    virtual std::optional<std::string> askText(std::string_view prompt, std::string_view proposal) = 0;
    virtual Answer askYesNoCancel(std::string_view text, std::string_view caption) = 0;
    virtual void inform(std::string_view text, std::string_view caption) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::time_t now() const = 0;  // seconds since the epoch
};

}  // namespace vexa
