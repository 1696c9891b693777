#pragma once

#include "apps/lumo/model/Knob.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vel::wingui {
class InplaceEditBox;
}

namespace vel::lumo {

class LumoDocument;
class TimelineWnd;
struct TimelineHit;

// A spider's value typed as a number: a double-click on the spider opens an
// edit over it showing its value in the user's number format. Enter, Tab or
// a click elsewhere sets the typed value, kept inside the knob's range, as
// one undoable step; Escape leaves the spider as it was.
class AnchorValueEdit {
public:
    explicit AnchorValueEdit(TimelineWnd* pane);

    // A left press on a knob row, which may be the first click of a
    // double-click.
    void OnPress(const TimelineHit& hit);
    // The left button's release: the press has made its step, if any.
    void OnRelease();
    // A press that focused the pane was eaten: what it pressed before then
    // is no double-click's first click.
    void OnFocusLost() { press_.reset(); }
    // Opens the edit when the double-click is on a spider, starting from the
    // value the user double-clicked.
    void OnDoubleClick(const TimelineHit& hit);

private:
    struct Press {
        std::size_t row;
        std::uint32_t frame;
        bool onSpider;
        std::size_t undoCount;
        // The history's size just after the press's own step, when it made one.
        std::optional<std::size_t> ownStep;
        bool released;
    };
    struct Target {
        LumoDocument* document;
        Knob knob;
        std::uint32_t frame;
    };

    void Begin(std::size_t row, std::uint32_t frame);
    void End();

    TimelineWnd* pane_;
    wingui::InplaceEditBox* box_;
    std::optional<Press> press_;
    std::optional<Target> target_;
};

} // namespace vel::lumo
