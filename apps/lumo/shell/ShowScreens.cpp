#include "apps/lumo/shell/ShowScreens.h"

#include "wingui/SettingsKey.h"

#include <QScreen>
#include <algorithm>

namespace vel::lumo {

namespace {

const QString ShowScreenSetting = QStringLiteral("ShowScreen");
const QString ShowScreenNumberSetting = QStringLiteral("ShowScreenNumber");

} // namespace

ShowScreenChoice LastShowScreen(const wingui::SettingsKey& settings) {
    return {settings.ReadString(ShowScreenSetting).value_or(QString()),
            settings.ReadDword(ShowScreenNumberSetting)};
}

void RememberShowScreen(const wingui::SettingsKey& settings, const QList<QScreen*>& screens,
                        qsizetype index) {
    settings.WriteString(ShowScreenSetting, screens[index]->name());
    settings.WriteDword(ShowScreenNumberSetting, static_cast<uint32_t>(index + 1));
}

QString ScreenLabel(const QScreen& screen) {
    const QSize size = screen.size();
    return QStringLiteral("%1 (%2 \u00d7 %3)")
        .arg(screen.name())
        .arg(size.width())
        .arg(size.height());
}

QScreen* ChooseShowScreen(const QList<QScreen*>& screens, const ShowScreenChoice& last,
                          const QScreen* editor) {
    if (screens.isEmpty()) {
        return nullptr;
    }
    if (!last.name.isEmpty()) {
        if (last.number >= 1 && last.number <= static_cast<uint32_t>(screens.size()) &&
            screens[last.number - 1]->name() == last.name) {
            return screens[last.number - 1];
        }
        const auto named = std::find_if(screens.begin(), screens.end(), [&](const QScreen* screen) {
            return screen->name() == last.name;
        });
        if (named != screens.end()) {
            return *named;
        }
    }
    const auto other = std::find_if(screens.begin(), screens.end(),
                                    [&](const QScreen* screen) { return screen != editor; });
    return other != screens.end() ? *other : screens.front();
}

} // namespace vel::lumo
