#pragma once

#include "apps/lumo/model/KnobKey.h"
#include "apps/lumo/model/KnobValues.h"

#include <optional>
#include <vector>

namespace vel::lumo {

// Knob values that come from outside the timeline while the face is shown:
// the microphone's mouth, a held expression key. A knob set here overrides
// the timeline's value wherever a frame is drawn for the eye (the show, the
// preview); every other knob keeps following the timeline, so a playing
// document goes on underneath, and a stopped one holds its frame while only
// these knobs move. Nothing here is ever saved or exported. The main window
// owns the one set; whoever draws watches it through a Watching and draws
// again on each change.
class LiveKnobs {
public:
    class Watcher {
    public:
        virtual ~Watcher() = default;
        virtual void OnLiveKnobsChange() = 0;

    protected:
        Watcher() = default;
        Watcher(const Watcher&) = default;
        Watcher& operator=(const Watcher&) = default;
    };

    // A watcher's place in the set's list, held by the watcher. It leaves the
    // list when destroyed or replaced, and forgets a set that goes first.
    class Watching {
    public:
        Watching() = default;
        // A null set watches nothing.
        Watching(LiveKnobs* knobs, Watcher* watcher);
        ~Watching();
        Watching(Watching&& other) noexcept;
        Watching& operator=(Watching&& other) noexcept;
        Watching(const Watching&) = delete;
        Watching& operator=(const Watching&) = delete;

        LiveKnobs* GetKnobs() const { return knobs_; }

    private:
        friend class LiveKnobs;
        void Release();

        LiveKnobs* knobs_ = nullptr;
        Watcher* watcher_ = nullptr;
    };

    LiveKnobs() = default;
    ~LiveKnobs();
    LiveKnobs(const LiveKnobs&) = delete;
    LiveKnobs& operator=(const LiveKnobs&) = delete;

    // Overrides the knobs by these values, the others left as they are; the
    // watchers hear once, and only when a value changed.
    void Set(const KnobValues& values);
    // Gives the knobs back to the timeline.
    void Release(const std::vector<KnobKey>& keys);

    std::optional<float> Get(const KnobKey& key) const;
    // Every knob set live, with its value.
    const KnobValues& Values() const { return values_; }
    bool IsEmpty() const { return values_.empty(); }
    // A frame's values from the timeline with the live ones put over them;
    // a live knob the frame does not have is left out, since it is no knob
    // of the document.
    KnobValues Over(KnobValues frame) const;

private:
    void Notify() const;

    KnobValues values_;
    std::vector<Watching*> watchings_;
};

} // namespace vel::lumo
