#include "graphics/SymbolFont.h"

#include <algorithm>
#include <array>

namespace vel::graphics {

namespace {

// The symbol font's codes that the program uses, and the Unicode symbols
// that stand in for them (the font itself is not on Linux machines).
struct SymbolCode {
    char16_t code;
    char32_t symbol;
};
constexpr std::array<SymbolCode, 8> SymbolCodes{{
    {u'"', U'\U0001F578'}, // web
    {u'!', U'\U0001F577'}, // spider
    {u'4', U'\u25B6'},     // play
    {u';', U'\u23F8'},     // pause
    {u'9', U'\u23EE'},     // skip back
    {u'7', U'\u23EA'},     // rewind
    {u'8', U'\u23E9'},     // fast forward
    {u':', U'\u23ED'},     // skip forward
}};

} // namespace

QString SymbolText(const std::u16string& text) {
    QString out;
    for (char16_t c : text) {
        auto found = std::find_if(SymbolCodes.begin(), SymbolCodes.end(),
                                  [c](const SymbolCode& s) { return s.code == c; });
        if (found == SymbolCodes.end()) {
            out += QChar(c);
        } else {
            const char32_t symbol = found->symbol;
            out += QString::fromUcs4(&symbol, 1);
        }
    }
    return out;
}

QFont SymbolFont(QFont font) {
    font.setFamily(QString::fromLatin1(SymbolStandIn));
    return font;
}

} // namespace vel::graphics
