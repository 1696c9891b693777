#include "apps/lumo/model/LiveKnobs.h"

#include <algorithm>
#include <utility>

namespace vel::lumo {

LiveKnobs::Watching::Watching(LiveKnobs* knobs, Watcher* watcher)
    : knobs_(knobs), watcher_(watcher) {
    if (knobs_ != nullptr) {
        knobs_->watchings_.push_back(this);
    }
}

LiveKnobs::Watching::~Watching() {
    Release();
}

LiveKnobs::Watching::Watching(Watching&& other) noexcept
    : knobs_(std::exchange(other.knobs_, nullptr)),
      watcher_(std::exchange(other.watcher_, nullptr)) {
    if (knobs_ != nullptr) {
        std::replace(knobs_->watchings_.begin(), knobs_->watchings_.end(), &other, this);
    }
}

LiveKnobs::Watching& LiveKnobs::Watching::operator=(Watching&& other) noexcept {
    if (this != &other) {
        Release();
        knobs_ = std::exchange(other.knobs_, nullptr);
        watcher_ = std::exchange(other.watcher_, nullptr);
        if (knobs_ != nullptr) {
            std::replace(knobs_->watchings_.begin(), knobs_->watchings_.end(), &other, this);
        }
    }
    return *this;
}

void LiveKnobs::Watching::Release() {
    if (knobs_ != nullptr) {
        std::erase(std::exchange(knobs_, nullptr)->watchings_, this);
    }
    watcher_ = nullptr;
}

LiveKnobs::~LiveKnobs() {
    for (Watching* watching : watchings_) {
        watching->knobs_ = nullptr;
    }
}

void LiveKnobs::Set(const KnobValues& values) {
    bool changed = false;
    for (const auto& [key, value] : values) {
        auto [at, added] = values_.try_emplace(key, value);
        if (added || at->second != value) {
            at->second = value;
            changed = true;
        }
    }
    if (changed) {
        Notify();
    }
}

void LiveKnobs::Release(const std::vector<KnobKey>& keys) {
    bool changed = false;
    for (const KnobKey& key : keys) {
        changed = values_.erase(key) != 0 || changed;
    }
    if (changed) {
        Notify();
    }
}

std::optional<float> LiveKnobs::Get(const KnobKey& key) const {
    const auto at = values_.find(key);
    return at != values_.end() ? std::optional<float>(at->second) : std::nullopt;
}

KnobValues LiveKnobs::Over(KnobValues frame) const {
    for (const auto& [key, value] : values_) {
        if (auto at = frame.find(key); at != frame.end()) {
            at->second = value;
        }
    }
    return frame;
}

// A copy, since a watcher may stop watching while it hears.
void LiveKnobs::Notify() const {
    const std::vector<Watching*> watchings = watchings_;
    for (Watching* watching : watchings) {
        if (std::find(watchings_.begin(), watchings_.end(), watching) != watchings_.end()) {
            watching->watcher_->OnLiveKnobsChange();
        }
    }
}

} // namespace vel::lumo
