#include "app/receive_text_flow.h"

#include <algorithm>
#include <cctype>

#include "country/is_callsign_like.h"

namespace vexa::app {

namespace {

bool containsIgnoringCase(std::string_view haystack, std::string_view needle)
{
    if (needle.empty()) return false;
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    return it != haystack.end();
}

}  // namespace

void ReceiveTextFlow::showSecondChannel(std::string& buffer, TextWindow& alertLine)
{
    if (buffer.empty()) return;
    m_tail += buffer;
    buffer.clear();
    if (m_tail.size() > kTailLength) m_tail.erase(0, m_tail.size() - kTailLength);
    for (char& c : m_tail) {
        if (c == '\t')
            c = ' ';
        else if (c == '\r' || c == '\n')
            c = '_';
    }
    alertLine.select(0, alertLine.length());
    alertLine.replaceSelection(m_tail);
}

void ReceiveTextFlow::endWord(std::string_view stationCall)
{
    // A word with our own call in it is us being called or our own echo, never the partner.
    if (!m_word.empty() && !containsIgnoringCase(m_word, stationCall) && country::IsCallsignLike(m_word)) {
        m_capturedCall = m_word;
    }
    m_word.clear();
}

bool ReceiveTextFlow::moveReceivedText(std::string& buffer, TextWindow& receiveWindow,
                                       std::string_view stationCall, int wrapColumn, bool paused)
{
    if (paused || buffer.empty() || receiveWindow.hasFocus()) return false;

    // Characters are collected and inserted in runs; only a backspace needs the window itself.
    std::string run;
    auto flush = [&] {
        if (run.empty()) return;
        const int end = receiveWindow.length();
        receiveWindow.select(end, end);
        receiveWindow.replaceSelection(run);
        run.clear();
    };

    for (const char ch : buffer) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 8) {
            if (m_column > 0) --m_column;
            flush();
            const int end = receiveWindow.length();
            if (end > 0) {
                receiveWindow.select(end - 1, end);
                receiveWindow.replaceSelection("");
            }
            if (!m_word.empty()) m_word.pop_back();
            m_previous = c;
            continue;
        }

        ++m_column;
        if (c > 32 && c < 128)
            m_word.push_back(ch);
        else
            endWord(stationCall);

        if (c == '\n') {
            if (m_previous != '\r') run.push_back('\n');
            m_column = 0;
        } else if (c == '\r') {
            run.push_back('\n');
            m_column = 0;
        } else {
            run.push_back(ch);
            // Break at the first blank or control character once the line is full; a long
            // word is never split.
            if (m_column >= wrapColumn && (c <= 32 || c >= 128)) {
                m_column = 0;
                run.push_back('\n');
            }
        }
        m_previous = c;
    }
    flush();
    buffer.clear();
    return true;
}

}  // namespace vexa::app
