#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/FitControls.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/ShowScreens.h"
#include "apps/lumo/shell/ShowWnd.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

namespace vel::lumo {

bool LumoWnd::IsShowing() const {
    return show_ && !show_->IsEnded();
}

int LumoWnd::OnShowOnProjector(std::optional<std::size_t> screenIndex) {
    if (!document_ || IsShowing()) {
        return 0;
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = nullptr;
    if (screenIndex) {
        if (*screenIndex >= static_cast<std::size_t>(screens.size())) {
            return 0;
        }
        screen = screens[static_cast<qsizetype>(*screenIndex)];
        RememberShowScreen(Settings(), screens, static_cast<qsizetype>(*screenIndex));
    } else {
        screen = ChooseShowScreen(screens, LastShowScreen(Settings()), this->screen());
    }
    Stop();
    show_ = std::make_unique<ShowWnd>(*document_, *clock_, [this] { OnShowEnded(); });
    show_->WatchLiveKnobs(&liveKnobs_);
    show_->SetHeldExpressions(expressions_.get());
    show_->SetLayer(std::make_unique<FitControls>(show_.get(), document_.get(), this));
    show_->Start(screen);
    return 0;
}

// Called from inside the show's own handlers, so the window goes once they
// have returned.
void LumoWnd::OnShowEnded() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (show_ && show_->IsEnded()) {
                show_.reset();
            }
        },
        Qt::QueuedConnection);
    // A show on the editor's screen covered it.
    raise();
    activateWindow();
}

void LumoWnd::UpdateShowMenu() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const QScreen* chosen = ChooseShowScreen(screens, LastShowScreen(Settings()), screen());
    const bool enabled = document_ != nullptr && !IsShowing();
    Action(IdShowOnProjector)->setEnabled(enabled);
    for (uint32_t id = IdShowScreen1; id <= IdShowScreen8; ++id) {
        const qsizetype index = id - IdShowScreen1;
        QAction* action = Action(id);
        action->setVisible(index < screens.size());
        if (index < screens.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(index + 1).arg(ScreenLabel(*screens[index])));
            action->setChecked(screens[index] == chosen);
            action->setEnabled(enabled);
        }
    }
}

} // namespace vel::lumo
