#pragma once

namespace vel::lumo {

class Document;
class View;

// A view's place in a document's notification list, held by the view. It
// leaves the list when destroyed or replaced, and forgets a document that
// goes first, so neither side can reach the other after its end.
class ViewRegistration {
public:
    ViewRegistration() = default;
    // Registers the view with the document; a null document registers nothing.
    ViewRegistration(Document* document, View* view);
    ~ViewRegistration();
    ViewRegistration(ViewRegistration&& other) noexcept;
    ViewRegistration& operator=(ViewRegistration&& other) noexcept;
    ViewRegistration(const ViewRegistration&) = delete;
    ViewRegistration& operator=(const ViewRegistration&) = delete;

    Document* GetDocument() const { return document_; }
    View* GetView() const { return view_; }

private:
    friend class Document;
    void Release();

    Document* document_ = nullptr;
    View* view_ = nullptr;
};

} // namespace vel::lumo
