#pragma once

#include "apps/lumo/model/KnobKey.h"
#include "wingui/Field.h"

namespace vel::lumo {

// The text of a knob key: one to eight ASCII letters and digits, so that it
// fits a key's eight bytes without being cut and stays readable in menus.
class KnobKeyField : public wingui::Field<std::string> {
public:
    static constexpr int MaxLength = static_cast<int>(KnobKey::Size);

    using Field::Field;
    bool IsValid() const override;
    KnobKey Key() const { return KnobKey(value); }
};

} // namespace vel::lumo
