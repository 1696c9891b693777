#include "apps/lumo/dialogs/VideoSizeField.h"

#include "apps/lumo/render/VideoSizes.h"

namespace vel::wingui {

template <> std::string Field<lumo::CanvasSize>::ToText() const {
    for (const lumo::VideoSizeChoice& choice : lumo::VideoSizes()) {
        if (choice.size == value) {
            return lumo::VideoSizeLabel(choice);
        }
    }
    return lumo::VideoSizeName(value);
}

template <> bool Field<lumo::CanvasSize>::FromText(const std::string& text) {
    for (const lumo::VideoSizeChoice& choice : lumo::VideoSizes()) {
        if (lumo::VideoSizeLabel(choice) == text) {
            value = choice.size;
        }
    }
    return IsValid();
}

template class Field<lumo::CanvasSize>;

} // namespace vel::wingui
