#pragma once

#include <QList>
#include <QString>

class QScreen;

namespace vel::wingui {
class SettingsKey;
}

namespace vel::lumo {

// The name of the screen the last show was started on, from the main window's
// menu; empty when none was chosen.
QString LastShowScreen(const wingui::SettingsKey& settings);
void RememberShowScreen(const wingui::SettingsKey& settings, const QScreen& screen);

// A screen as the show's menu names it: its name and size, "HDMI-1 (1920 × 1080)".
QString ScreenLabel(const QScreen& screen);

// The screen a show goes to: the one last chosen, found by its name; else the
// only one; else the first that does not hold the editor, as a projector is
// seldom the screen one edits on. Null without screens.
QScreen* ChooseShowScreen(const QList<QScreen*>& screens, const QString& lastChosen,
                          const QScreen* editor);

} // namespace vel::lumo
