#include "apps/lumo/dialogs/KnobKeyField.h"

#include <algorithm>

namespace vel::lumo {

bool KnobKeyField::IsValid() const {
    const auto isAsciiAlnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    return !value.empty() && value.size() <= KnobKey::Size &&
           std::all_of(value.begin(), value.end(), isAsciiAlnum);
}

} // namespace vel::lumo
