#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/HeldExpressions.h"
#include "apps/lumo/shell/LiveMicrophone.h"
#include "apps/lumo/shell/LumoWnd.h"

#include <QAction>
#include <QList>
#include <QMediaDevices>
#include <QRandomGenerator>

namespace vel::lumo {

namespace {

const QString LiveInputSetting = QStringLiteral("LiveVoiceInput");
const QString LearningText =
    QStringLiteral("Live voice is on: a second of quiet now, while it learns the room's noise. "
                   "R records a take.");

// The microphone chosen before while it is still there, else the system's own.
QAudioDevice ChosenInput(const wingui::SettingsKey& settings) {
    const QByteArray chosen = settings.ReadString(LiveInputSetting).value_or(QString()).toUtf8();
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    for (const QAudioDevice& input : inputs) {
        if (!chosen.isEmpty() && input.id() == chosen) {
            return input;
        }
    }
    return QMediaDevices::defaultAudioInput();
}

} // namespace

bool LumoWnd::IsLive() const {
    return microphone_ && microphone_->IsHearing();
}

// Each time anew, so that turning it on again retries a microphone that failed.
int LumoWnd::OnLiveVoice() {
    if (!document_) {
        return 0;
    }
    if (IsLive()) {
        const QString off = QStringLiteral("Live voice is off.");
        if (IsRecording()) {
            EndTake(off);
        } else {
            ShowStatus(off);
        }
        microphone_.reset();
        return 0;
    }
    microphone_ = std::make_unique<LiveMicrophone>(
        liveKnobs_,
        LiveLife(*document_, static_cast<uint32_t>(QRandomGenerator::global()->generate())),
        [this](const QString& message) { OnLiveVoiceFailed(message); },
        [this](const KnobKey& key) { return expressions_->Holds(key); });
    if (microphone_->Start(ChosenInput(Settings()))) {
        ShowStatus(LearningText);
    }
    return 0;
}

int LumoWnd::OnLiveInput(std::size_t index) {
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (index >= static_cast<std::size_t>(inputs.size())) {
        return 0;
    }
    Settings().WriteString(LiveInputSetting,
                           QString::fromUtf8(inputs[static_cast<qsizetype>(index)].id()));
    if (IsLive()) {
        EndTake(QString());
        microphone_.reset();
        OnLiveVoice();
    }
    return 0;
}

int LumoWnd::OnQuietNow() {
    if (IsLive()) {
        microphone_->LearnQuiet();
        ShowStatus(LearningText);
    }
    return 0;
}

// Told from inside the microphone's own handlers, so it goes once they have
// returned; the message stays until the user acts.
void LumoWnd::OnLiveVoiceFailed(const QString& message) {
    if (IsRecording()) {
        EndTake(message + QStringLiteral(" The take ends with what was heard."));
    } else {
        ShowStatus(message);
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (microphone_ && !microphone_->IsHearing()) {
                microphone_.reset();
            }
        },
        Qt::QueuedConnection);
}

void LumoWnd::UpdateLiveVoiceMenu() {
    Action(IdLiveVoice)->setChecked(IsLive());
    Action(IdQuietNow)->setEnabled(IsLive());
    Action(IdRecordTake)->setEnabled(document_ != nullptr);
    Action(IdRecordTake)->setChecked(IsRecording());
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    const QAudioDevice chosen = ChosenInput(Settings());
    for (uint32_t id = IdLiveInput1; id <= IdLiveInput8; ++id) {
        const qsizetype index = id - IdLiveInput1;
        QAction* action = Action(id);
        action->setVisible(index < inputs.size());
        if (index < inputs.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(index + 1).arg(inputs[index].description()));
            action->setChecked(inputs[index] == chosen);
        }
    }
}

} // namespace vel::lumo
