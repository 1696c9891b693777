#pragma once

#include <cstdint>

namespace vel::lumo {

class Document;

// What a notification says changed. No bit set means only the unsaved
// changes state flipped.
struct ChangeBits {
    static constexpr uint32_t Modified = 0;
    static constexpr uint32_t Audio = 1;
    static constexpr uint32_t Model = 2;
    static constexpr uint32_t Timeline = 4;
    // How the face is fitted to the pumpkin.
    static constexpr uint32_t Fit = 8;
    // The photo to trace in the preview, or where it lies.
    static constexpr uint32_t Photo = 16;
};

// An observer of a document: a pane or the main window.
class View {
public:
    virtual ~View() = default;
    virtual void OnDocumentChange(Document* document, uint32_t changes) = 0;

protected:
    View() = default;
    View(const View&) = default;
    View& operator=(const View&) = default;
};

} // namespace vel::lumo
