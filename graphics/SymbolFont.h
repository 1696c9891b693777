#pragma once

#include <QFont>
#include <QString>
#include <string>

namespace vel::graphics {

// The symbol font the program's glyph codes are written for, and the face
// that stands in for it (the font itself is not on Linux machines).
inline constexpr const char* SymbolFace = "Webdings";
inline constexpr const char* SymbolStandIn = "Symbola";

// The symbol font's codes the program uses, as the Unicode symbols that
// stand in for them; other characters stay as they are.
QString SymbolText(const std::u16string& text);
// The font, set in the face that stands in for the symbol font.
QFont SymbolFont(QFont font);

} // namespace vel::graphics
