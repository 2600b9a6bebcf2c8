// ADIF tokens: "<NAME:LENGTH[:TYPE]>DATA" and the bare "<EOH>" and "<EOR>". The length is in
// characters; some programs count bytes instead, so when the two differ in a UTF-8 file the
// reading that ends where the next tag begins is taken.
#include "log/adif_reader.h"

#include <algorithm>
#include <cctype>

#include "log/utf8_text.h"

namespace vexa::log {

namespace {

std::string upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view what)
{
    const auto it = std::search(text.begin(), text.end(), what.begin(), what.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

bool endsAtTag(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    return pos >= text.size() || text[pos] == '<';
}

}  // namespace

int ReadAdifRecords(std::string_view text, const std::function<void(const AdifFields&, int line)>& onRecord)
{
    std::size_t pos = 0;
    // A file that does not begin with "<" has a header, ended by <EOH>.
    if (!text.empty() && text.front() != '<') {
        const std::size_t eoh = findIgnoringCase(text, "<EOH>");
        if (eoh != std::string_view::npos) pos = eoh + 5;
    }
    int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(pos), '\n'));
    std::size_t counted = pos;
    const auto lineAt = [&](std::size_t p) {
        line += static_cast<int>(
            std::count(text.begin() + static_cast<long>(counted), text.begin() + static_cast<long>(p), '\n'));
        counted = p;
        return line;
    };

    int records = 0;
    AdifFields fields;
    int recordLine = 0;
    while (pos < text.size()) {
        const std::size_t lt = text.find('<', pos);
        if (lt == std::string_view::npos) break;
        const std::size_t gt = text.find('>', lt + 1);
        if (gt == std::string_view::npos) break;
        const std::string_view spec = text.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        const std::size_t colon = spec.find(':');
        const std::string name = upper(spec.substr(0, colon));
        if (colon == std::string_view::npos) {
            if (name == "EOR") {
                if (!fields.empty()) {
                    onRecord(fields, recordLine);
                    ++records;
                }
                fields.clear();
            } else if (name == "EOH") {
                fields.clear();  // a header that began with "<": whatever came before was header
            }
            continue;
        }
        std::string_view lengthText = spec.substr(colon + 1);
        lengthText = lengthText.substr(0, lengthText.find(':'));
        std::size_t length = 0;
        bool numeric = !lengthText.empty();
        for (const char c : lengthText) {
            if (c < '0' || c > '9') {
                numeric = false;
                break;
            }
            length = length * 10 + static_cast<std::size_t>(c - '0');
            if (length > text.size()) break;
        }
        if (!numeric || name.empty()) continue;

        std::size_t end = Utf8Advance(text, pos, length);
        const std::size_t byteEnd = std::min(text.size(), pos + length);
        if (end != byteEnd && !endsAtTag(text, end) && endsAtTag(text, byteEnd)) end = byteEnd;
        if (fields.empty()) recordLine = lineAt(lt);
        fields[name] = std::string(text.substr(pos, end - pos));
        pos = end;
    }
    return records;
}

}  // namespace vexa::log
