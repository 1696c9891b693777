#pragma once

#include "apps/lumo/model/Knob.h"

#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// One line of the New Knob dialog's status: what is wrong or what to do next.
struct KnobStatus {
    enum class Icon { Information, Warning, Error };
    Icon icon = Icon::Information;
    std::string text;
};

// What the New Knob dialog knows about the user's attention while it judges:
// whether the typical value is acceptable and which default text the user is
// looking at.
struct KnobStatusContext {
    bool typicalValid = true;
    bool nameHintDue = false; // the name box has the focus and holds the default
    bool keyHintDue = false;  // the key box has the focus and holds the default
};

// Judges a knob the user is defining against the knobs of the document and
// the standard knobs. A knob that shares a name or a key with a standard knob
// must be that standard knob in every field; a knob must not share its key
// with a knob of the document (the model would refuse it) nor its name with a
// different knob of the document (the two could not be told apart in menus).
class NewKnobRules {
public:
    NewKnobRules(std::vector<Knob> documentKnobs, std::vector<Knob> standardKnobs);

    bool IsNameAcceptable(const Knob& knob) const;
    bool IsKeyAcceptable(const Knob& knob) const;
    // Between the two end values, both included, whichever is the larger.
    static bool IsTypicalAcceptable(const Knob& knob);

    // The first status that applies, in the dialog's order; none when all is well.
    std::optional<KnobStatus> Status(const Knob& knob, const KnobStatusContext& context) const;

private:
    const Knob* StandardNamed(const std::string& name) const;
    const Knob* StandardKeyed(const KnobKey& key) const;
    const Knob* DocumentNamed(const std::string& name) const;
    bool DocumentHasKey(const KnobKey& key) const;

    std::vector<Knob> documentKnobs_;
    std::vector<Knob> standardKnobs_;
};

} // namespace vel::lumo
