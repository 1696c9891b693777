#include "apps/lumo/panes/TransportBar.h"

#include "apps/lumo/panes/CommandIds.h"
#include "graphics/SymbolFont.h"

#include <QPainter>
#include <iterator>

namespace vel::lumo {

namespace {
constexpr std::uint32_t TextFont = 0;
}

void TransportBar::CreateButtons() {
    QFont symbols = graphics::SymbolFont(Font(TextFont));
    if (symbols.pixelSize() > 0) {
        symbols.setPixelSize(symbols.pixelSize() * 3 / 2);
    } else {
        symbols.setPointSizeF(symbols.pointSizeF() * 3 / 2);
    }
    const std::uint32_t symbolFont = AddFont(symbols);
    using wingui::ButtonKind;
    AddButton(IdHome, QStringLiteral("9"), ButtonKind::Push, symbolFont);
    AddButton(IdBack30, QStringLiteral("7"), ButtonKind::Autorepeat, symbolFont);
    AddButton(IdPlay, PlayGlyph, ButtonKind::Push, symbolFont);
    AddButton(IdForward30, QStringLiteral("8"), ButtonKind::Autorepeat, symbolFont);
    AddButton(IdEnd, QStringLiteral(":"), ButtonKind::Push, symbolFont);
    AddButton(IdExportVideo, QStringLiteral("Export Video..."), ButtonKind::Push, TextFont);
    const char* const tips[] = {
        "Go to the first frame (Home)",
        "Back 30 frames, again and again while held (Ctrl+Left)",
        "Play from the frame cursor, or pause (F5)",
        "Forward 30 frames, again and again while held (Ctrl+Right)",
        "Go to the last frame (End)",
        "Make a video of the animation (Ctrl+F5)",
    };
    for (std::size_t i = 0; i < std::size(tips); ++i) {
        SetTip(i, QString::fromUtf8(tips[i]));
    }
}

void TransportBar::DrawButton(QPainter& painter, const wingui::Button& button) {
    if (button.fontIndex == TextFont) {
        ButtonBar::DrawButton(painter, button);
        return;
    }
    wingui::Button shown = button;
    shown.label = graphics::SymbolText(button.label.toStdU16String());
    ButtonBar::DrawButton(painter, shown);
}

void TransportBar::ShowPlaying(bool playing) {
    if (Buttons().size() > PlayButton) {
        SetLabel(PlayButton, playing ? PauseGlyph : PlayGlyph);
    }
}

} // namespace vel::lumo
