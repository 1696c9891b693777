#include "apps/lumo/model/KnobKey.h"

#include <algorithm>

namespace vel::lumo {

std::string KnobKey::Text() const {
    return std::string(bytes_.begin(), std::find(bytes_.begin(), bytes_.end(), '\0'));
}

} // namespace vel::lumo
