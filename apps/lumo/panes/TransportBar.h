#pragma once

#include "wingui/ButtonBar.h"

namespace vel::lumo {

// The playback buttons under the timeline and "Export Video...". The first
// five labels are codes of the symbol font.
class TransportBar : public wingui::ButtonBar {
public:
    static constexpr std::size_t PlayButton = 2;
    static inline const QString PlayGlyph = QStringLiteral("4");
    static inline const QString PauseGlyph = QStringLiteral(";");

    using ButtonBar::ButtonBar;

    void CreateButtons() override;
    void DrawButton(QPainter& painter, const wingui::Button& button) override;
    // Shows the play or the pause glyph on the play button.
    void ShowPlaying(bool playing);
};

} // namespace vel::lumo
