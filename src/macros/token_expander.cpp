// Token expansion of macro texts and sent files.
#include "macros/token_expander.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "common/version.h"
#include "macros/text_file_pieces.h"

namespace vexa::macros {

namespace {
bool contains(std::string_view text, std::string_view token)
{
    return text.find(token) != std::string_view::npos;
}

// Removes every occurrence; true when there was one.
bool take(std::string& text, std::string_view token)
{
    return replaceAll(text, token, "") > 0;
}

std::string utcHoursMinutes(std::time_t now)
{
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%H:%M", &tm);
    return buffer;
}
}  // namespace

TokenExpander::TokenExpander(const MacroTable& macros, ContactFields& fields, MacroActions& actions,
                             const Clock& clock, TextWindow& keyboardWindow)
    : m_macros(macros), m_fields(fields), m_actions(actions), m_clock(clock), m_keyboard(keyboardWindow)
{
}

std::string TokenExpander::ExpandToken(std::string_view input)
{
    std::string text(input);
    ++m_depth;

    for (int k = 0; k <= 9; ++k)
        if (take(text, bragToken(k))) sendBrag(k);

    for (int pass = 0; pass < kMacroPasses; ++pass) {
        int replaced = 0;
        for (const std::string& token : MacroTable::passOrderTokens())
            replaced += replaceAll(text, token, m_macros.text(*MacroTable::slotOfToken(token)));
        if (replaced == 0) break;
    }

    replaceAll(text, "<CR>", "\r");
    replaceAll(text, "<LF>", "\n");
    replaceAll(text, "<SP>", " ");

    if (contains(text, "<MYCALL>") || contains(text, "<MYNAME>") || contains(text, "<MYQTH>")) {
        const StationIdentity station = m_actions.station();
        replaceAll(text, "<MYCALL>", station.call);
        replaceAll(text, "<MYNAME>", station.name);
        replaceAll(text, "<MYQTH>", station.qth);
    }

    replaceAll(text, "<RX>", "\xAE");
    replaceAll(text, "<CWID>", "\xA9");
    replaceAll(text, "<VER>", kVersionString);
    if (contains(text, "<GMT>")) replaceAll(text, "<GMT>", utcHoursMinutes(m_clock.now()));

    using Provider = std::string (ContactFields::*)();
    static constexpr std::pair<std::string_view, Provider> kFields[] = {
        {"<NAME>", &ContactFields::name},   {"<RST>", &ContactFields::rst},
        {"<MYRST>", &ContactFields::myRst}, {"<CALL>", &ContactFields::call},
        {"<QTH>", &ContactFields::qth},     {"<BAND>", &ContactFields::band},
        {"<MODE>", &ContactFields::mode},   {"<FQ>", &ContactFields::frequency},
    };
    for (const auto& [token, provider] : kFields)
        if (contains(text, token)) replaceAll(text, token, (m_fields.*provider)());

    if (take(text, "<TX>") && !m_actions.transmitting()) m_actions.startTransmit();
    if (take(text, "<SAVE>")) m_actions.saveEntry();
    if (take(text, "<CLEAR>")) m_actions.clearEntry();
    if (take(text, "<TIMESTAMP>")) m_actions.timeStampEntry();

    if (--m_depth == 0) m_bragsInChain.clear();
    return text;
}

void TokenExpander::insert(std::string_view text)
{
    if (m_bragOutput.empty())
        m_keyboard.replaceSelection(text);
    else
        m_bragOutput.back() += text;
}

void TokenExpander::sendBrag(int k)
{
    // A brag file that names itself, directly or through others, goes out once.
    if (!m_bragsInChain.insert(k).second) return;

    const std::string name = bragFileName(k);
    const std::filesystem::path path =
        m_bragDirectory.empty() ? std::filesystem::path(name) : std::filesystem::path(m_bragDirectory) / name;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;  // no brag file: nothing to send

    const auto refuse = [&](std::string_view why) {
        m_actions.reportLine(name + " not sent: " + std::string(why));
    };
    if (!std::filesystem::is_regular_file(path, ec)) return refuse("it is not a file");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return refuse("it cannot be read");
    const std::string tooLarge =
        "it is larger than the keyboard window holds (" + std::to_string(m_bragLimit) + " characters)";
    if (size > m_bragLimit) return refuse(tooLarge);

    // The whole file is expanded before any of it reaches the window, so that a file that
    // fails half-way leaves nothing behind.
    m_bragOutput.emplace_back();
    const TextFileRead result = ReadTextPieces(path.string(), [this](const std::string& piece) {
        const std::string expanded = ExpandToken(piece);
        m_bragOutput.back() += expanded;
    });
    std::string output = std::move(m_bragOutput.back());
    m_bragOutput.pop_back();
    if (result == TextFileRead::CannotOpen) return refuse("it cannot be read");
    if (result == TextFileRead::ReadError) return refuse("reading it failed");
    if (output.size() > m_bragLimit) return refuse(tooLarge);
    insert(output);
}

}  // namespace vexa::macros
