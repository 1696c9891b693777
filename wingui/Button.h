#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

namespace vel::wingui {

enum class ButtonKind : std::uint32_t {
    Push = 0,       // fires once on release over the button
    Inert = 1,      // ignores the mouse
    Autorepeat = 2, // fires at once, then repeats while held
    Joystick = 3,   // drags something in the parent while held
};

// One button of a ButtonBar. The rect is set by the bar's Layout; right and
// bottom are exclusive, as the drawing and hit tests use them.
struct Button {
    QRect rect;
    std::uint32_t commandId = 0;
    std::uint32_t fontIndex = 0;
    QString label;
    // Shown when the mouse rests on the button; none when empty.
    QString tip;
    ButtonKind kind = ButtonKind::Push;
    bool pressed = false;
};

} // namespace vel::wingui
