#pragma once

#include "wingui/DragState.h"

#include <QPoint>
#include <cstdint>
#include <memory>

namespace vel::wingui {

// The window a ButtonBar reports to (its parent in the window tree).
class ButtonBarTarget {
public:
    virtual ~ButtonBarTarget() = default;

    // A button fired its command.
    virtual void OnBarCommand(std::uint32_t commandId) = 0;

    // A joystick button was pressed: the answer is the drag state that the
    // joystick's virtual mouse drives, or none. The target may set the virtual
    // position the joystick starts from.
    virtual std::unique_ptr<DragState> OnVirtJoystick(std::uint32_t commandId,
                                                      QPoint& virtualPosition) {
        (void)commandId;
        (void)virtualPosition;
        return nullptr;
    }
};

} // namespace vel::wingui
