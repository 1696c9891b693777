#pragma once

#include "apps/lumo/model/Knob.h"

#include <cstdint>
#include <optional>
#include <vector>

class QMenu;
class QWidget;

namespace vel::lumo {

class LumoDocument;

// The menu of knobs a pose can follow: the document's interpolating knobs,
// the interpolating standard knobs it lacks, and "New Knob...". Items are
// numbered from a base id: document knob i is base + i, standard knob j is
// base + (document knobs) + j, "New Knob..." comes after every standard knob.
class KnobMenu {
public:
    // What an item stands for: the key the pose takes, and the knob the
    // document must gain first, if any.
    struct Choice {
        KnobKey key;
        std::optional<Knob> added;
    };

    explicit KnobMenu(const LumoDocument& document);

    // Items past the last id the base can reach are left out.
    void Fill(QMenu& menu, std::uint32_t baseId, std::uint32_t lastId) const;
    // The item at the offset from the base id; "New Knob..." asks the user
    // over the owner. Nothing for an unknown offset or a cancelled dialog.
    std::optional<Choice> Resolve(std::uint32_t offset, QWidget* owner) const;

private:
    const LumoDocument& document_;
    std::vector<Knob> documentKnobs_;
    std::vector<Knob> standardKnobs_;
};

} // namespace vel::lumo
