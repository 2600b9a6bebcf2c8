// Text files in pieces for the keyboard window.
#include "macros/text_file_pieces.h"

#include <fstream>

namespace vexa::macros {

TextFileRead ReadTextPieces(const std::string& path, const std::function<void(const std::string&)>& deliver)
{
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return TextFileRead::CannotOpen;
    std::string piece;
    const auto flush = [&] {
        if (piece.empty()) return;
        deliver(piece);
        piece.clear();
    };
    char c;
    bool pendingCr = false;
    while (in.get(c)) {
        if (pendingCr) {
            pendingCr = false;
            if (c != '\n') {
                piece.push_back('\r');
                if (piece.size() == kTextPieceLength) flush();
            }
        }
        if (c == '\r') {
            pendingCr = true;
            continue;
        }
        piece.push_back(c);
        if (c == '\n' || piece.size() == kTextPieceLength) flush();
    }
    if (pendingCr) piece.push_back('\r');
    if (in.bad()) return TextFileRead::ReadError;
    flush();
    return TextFileRead::Ok;
}

}  // namespace vexa::macros
