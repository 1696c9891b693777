#include "apps/lumo/panes/KnobMenu.h"

#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PopupMenu.h"

#include <QMenu>

namespace vel::lumo {

KnobMenu::KnobMenu(const LumoDocument& document)
    : document_(document), documentKnobs_(document.GetKnobs()),
      standardKnobs_(document.GetStandardKnobs()) {}

void KnobMenu::Fill(QMenu& menu, std::uint32_t baseId, std::uint32_t lastId) const {
    const auto add = [&](const std::string& name, std::uint64_t offset) {
        if (offset <= lastId - baseId) {
            AddMenuItem(menu, QString::fromStdString(name), baseId + std::uint32_t(offset));
        }
    };
    const std::uint64_t knobs = documentKnobs_.size();
    bool added = false;
    for (std::uint64_t i = 0; i < knobs; ++i) {
        if (documentKnobs_[i].intent == Knob::Intent::Interpolate) {
            add(documentKnobs_[i].name, i);
            added = true;
        }
    }
    if (added) {
        menu.addSeparator();
    }
    added = false;
    for (std::uint64_t j = 0; j < standardKnobs_.size(); ++j) {
        const Knob& knob = standardKnobs_[j];
        if (knob.intent == Knob::Intent::Interpolate && !document_.GetModel().HasKnob(knob.key)) {
            add(knob.name, knobs + j);
            added = true;
        }
    }
    if (added) {
        menu.addSeparator();
    }
    add("New Knob...", knobs + standardKnobs_.size());
}

std::optional<KnobMenu::Choice> KnobMenu::Resolve(std::uint32_t offset, QWidget* owner) const {
    const std::uint64_t knobs = documentKnobs_.size();
    if (offset < knobs) {
        return Choice{documentKnobs_[offset].key, std::nullopt};
    }
    if (offset < knobs + standardKnobs_.size()) {
        const Knob& knob = standardKnobs_[offset - knobs];
        return Choice{knob.key, knob};
    }
    if (offset == knobs + standardKnobs_.size()) {
        if (std::optional<Knob> knob = AskNewKnob(owner, document_, NewKnobDlg::PoseMode)) {
            return Choice{knob->key, *knob};
        }
    }
    return std::nullopt;
}

} // namespace vel::lumo
