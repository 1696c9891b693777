#pragma once

#include <QList>
#include <QString>
#include <cstdint>

class QScreen;

namespace vel::wingui {
class SettingsKey;
}

namespace vel::lumo {

// The screen the last show was started on from the main window's menu: its
// name, and its number from 1 in the desktop's order, as screens may share a
// name. Empty and 0 when none was chosen.
struct ShowScreenChoice {
    QString name;
    uint32_t number = 0;
};

ShowScreenChoice LastShowScreen(const wingui::SettingsKey& settings);
void RememberShowScreen(const wingui::SettingsKey& settings, const QList<QScreen*>& screens,
                        qsizetype index);

// A screen as the show's menu names it: its name and size, "HDMI-1 (1920 × 1080)".
QString ScreenLabel(const QScreen& screen);

// The screen a show goes to: the one last chosen, if it is still there by its
// name at its number or else by its name alone; else the only one; else the
// first that does not hold the editor, as a projector is seldom the screen
// one edits on. Null without screens.
QScreen* ChooseShowScreen(const QList<QScreen*>& screens, const ShowScreenChoice& last,
                          const QScreen* editor);

} // namespace vel::lumo
