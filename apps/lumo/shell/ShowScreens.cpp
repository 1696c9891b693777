#include "apps/lumo/shell/ShowScreens.h"

#include "wingui/SettingsKey.h"

#include <QScreen>
#include <algorithm>

namespace vel::lumo {

namespace {

const QString ShowScreenSetting = QStringLiteral("ShowScreen");

} // namespace

QString LastShowScreen(const wingui::SettingsKey& settings) {
    return settings.ReadString(ShowScreenSetting).value_or(QString());
}

void RememberShowScreen(const wingui::SettingsKey& settings, const QScreen& screen) {
    settings.WriteString(ShowScreenSetting, screen.name());
}

QString ScreenLabel(const QScreen& screen) {
    const QSize size = screen.size();
    return QStringLiteral("%1 (%2 \u00d7 %3)")
        .arg(screen.name())
        .arg(size.width())
        .arg(size.height());
}

QScreen* ChooseShowScreen(const QList<QScreen*>& screens, const QString& lastChosen,
                          const QScreen* editor) {
    if (screens.isEmpty()) {
        return nullptr;
    }
    const auto named = std::find_if(screens.begin(), screens.end(), [&](const QScreen* screen) {
        return !lastChosen.isEmpty() && screen->name() == lastChosen;
    });
    if (named != screens.end()) {
        return *named;
    }
    const auto other = std::find_if(screens.begin(), screens.end(),
                                    [&](const QScreen* screen) { return screen != editor; });
    return other != screens.end() ? *other : screens.front();
}

} // namespace vel::lumo
