#include "apps/lumo/shell/HeldExpressions.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/LiveKnobs.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vel::lumo {

namespace {

constexpr Qt::KeyboardModifiers CommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

std::optional<std::size_t> KeyIndex(const QKeyEvent& event) {
    if ((event.modifiers() & CommandModifiers) != 0 || event.key() < Qt::Key_1 ||
        event.key() > Qt::Key_9) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(event.key() - Qt::Key_1);
}

std::optional<Knob> FindKnob(const LumoDocument& document, const KnobKey& key) {
    const std::vector<Knob> knobs = document.GetKnobs();
    const auto found =
        std::find_if(knobs.begin(), knobs.end(), [&key](const Knob& k) { return k.key == key; });
    return found == knobs.end() ? std::nullopt : std::optional<Knob>(*found);
}

// Frame rates are in frames per 1000 seconds.
constexpr double MsPerThousandSeconds = 1'000'000.0;

int FrameMs(const LumoDocument& document) {
    return std::max(1, static_cast<int>(std::lround(MsPerThousandSeconds /
                                                    std::max(document.GetFrameRate(), 1U))));
}

} // namespace

HeldExpressions::HeldExpressions(LiveKnobs& knobs, FrameSource frame, Tell tell)
    : knobs_(&knobs), frame_(std::move(frame)), tell_(std::move(tell)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::focusWindowChanged, this, [this] { ReleaseAll(); });
    }
}

HeldExpressions::~HeldExpressions() {
    Drop();
}

void HeldExpressions::SetDocument(const LumoDocument* document) {
    Drop();
    document_ = document;
}

void HeldExpressions::Drop() {
    std::vector<KnobKey> held;
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        if (moving_[index]) {
            held.push_back(*moving_[index]);
        }
        moving_[index].reset();
        eases_[index] = ExpressionEase();
    }
    knobs_->Release(held);
    timer_.stop();
}

// The window system repeats a held key as releases and presses marked as
// repeated; they change nothing.
bool HeldExpressions::OnKey(const QKeyEvent& event) {
    const std::optional<std::size_t> index = KeyIndex(event);
    if (!index || document_ == nullptr) {
        return false;
    }
    if (!event.isAutoRepeat()) {
        if (event.type() == QEvent::KeyPress) {
            Press(*index);
        } else {
            Release(*index);
        }
    }
    return true;
}

void HeldExpressions::Press(std::size_t index) {
    if (!moving_[index]) {
        const std::optional<KnobKey> key = document_->GetExpressionKeys()[index];
        const std::optional<Knob> knob = key ? FindKnob(*document_, *key) : std::nullopt;
        Say(index, knob);
        if (!knob) {
            return;
        }
        moving_[index] = key;
    }
    eases_[index].Press();
    eases_[index].Step();
    Apply();
}

void HeldExpressions::Say(std::size_t index, const std::optional<Knob>& knob) const {
    if (!tell_) {
        return;
    }
    const QString key = QString::number(index + 1);
    if (!knob) {
        tell_(QStringLiteral("Key %1 holds no knob: Animate > Expression Keys gives it one.")
                  .arg(key));
        return;
    }
    const float far = FarValue(*knob);
    const std::string& end = far == knob->minValue ? knob->minLabel : knob->maxLabel;
    tell_(QStringLiteral("Key %1 holds %2%3 while pressed.")
              .arg(key, QString::fromStdString(knob->name),
                   end.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(end)));
}

void HeldExpressions::Release(std::size_t index) {
    eases_[index].Release();
    if (moving_[index]) {
        eases_[index].Step();
        Apply();
    }
}

void HeldExpressions::ReleaseAll() {
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        Release(index);
    }
}

bool HeldExpressions::IsMoving() const {
    return std::any_of(eases_.begin(), eases_.end(),
                       [](const ExpressionEase& ease) { return ease.IsMoving(); });
}

bool HeldExpressions::Holds(const KnobKey& key) const {
    return std::any_of(moving_.begin(), moving_.end(),
                       [&key](const std::optional<KnobKey>& moved) { return moved == key; });
}

void HeldExpressions::Step() {
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        if (moving_[index]) {
            eases_[index].Step();
        }
    }
    Apply();
}

// Eases from the timeline's value at the frame shown, so a knob that the
// document animates lands back where the timeline has got to.
void HeldExpressions::Apply() {
    if (document_ == nullptr) {
        return;
    }
    const KnobValues frame = document_->GetKnobValues(frame_());
    KnobValues values;
    std::vector<KnobKey> done;
    for (std::size_t index = 0; index < ExpressionKeyCount; ++index) {
        if (!moving_[index]) {
            continue;
        }
        const float weight = eases_[index].Weight();
        const std::optional<Knob> knob = FindKnob(*document_, *moving_[index]);
        const auto base = frame.find(*moving_[index]);
        if (eases_[index].IsAtRest() || !knob || base == frame.end()) {
            done.push_back(*moving_[index]);
            moving_[index].reset();
            eases_[index] = ExpressionEase();
            continue;
        }
        values[knob->key] = base->second + weight * (FarValue(*knob) - base->second);
    }
    knobs_->Release(done);
    knobs_->Set(values);
    if (IsMoving()) {
        timer_.start(FrameMs(*document_));
    } else {
        timer_.stop();
    }
}

} // namespace vel::lumo
