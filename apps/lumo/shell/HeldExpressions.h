#pragma once

#include "apps/lumo/animate/ExpressionEase.h"
#include "apps/lumo/model/ExpressionKeys.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

namespace vel::lumo {

class LiveKnobs;
class LumoDocument;

// The keys 1 to 9 while the face is shown: each holds its knob at the far
// value while pressed, easing there over a few drawn frames and back after
// release, through the live knobs, so every other knob keeps following the
// timeline underneath. Released keys give their knob back to the timeline
// once they are at rest. The owner keeps it on its document.
class HeldExpressions : public QObject {
public:
    // The frame that the face shows now, where the timeline's values come from.
    using FrameSource = std::function<std::uint32_t()>;
    // Says in the status line what a pressed key does.
    using Tell = std::function<void(const QString&)>;

    HeldExpressions(LiveKnobs& knobs, FrameSource frame, Tell tell = {});
    ~HeldExpressions() override;
    HeldExpressions(const HeldExpressions&) = delete;
    HeldExpressions& operator=(const HeldExpressions&) = delete;

    // Lets go of every knob at once: they belonged to the document before.
    void SetDocument(const LumoDocument* document);

    // A press or release of a key 1 to 9 without Ctrl, Alt or Meta; answers
    // whether it was one. A key that holds no knob, or one the document no
    // longer has, does nothing.
    bool OnKey(const QKeyEvent& event);

    // Every held key eases back, as when the window loses the keyboard and
    // would not hear the release.
    void ReleaseAll();

    // One drawn frame on for every key that moves; a timer calls it at the
    // document's frame rate while any does.
    void Step();
    bool IsMoving() const;
    // Whether a key moves the knob now, held or easing back.
    bool Holds(const KnobKey& key) const;

private:
    void Press(std::size_t index);
    void Release(std::size_t index);
    void Say(std::size_t index, const std::optional<Knob>& knob) const;
    // Puts the keys' knobs where their eases have got to.
    void Apply();
    void Drop();

    LiveKnobs* knobs_;
    FrameSource frame_;
    Tell tell_;
    const LumoDocument* document_ = nullptr;
    std::array<ExpressionEase, ExpressionKeyCount> eases_{};
    // The knob each key moves, taken at its press, until it is at rest.
    ExpressionKeys moving_{};
    QTimer timer_;
};

} // namespace vel::lumo
