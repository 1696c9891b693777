#include "apps/lumo/document/ViewRegistration.h"

#include "apps/lumo/document/Document.h"

#include <utility>

namespace vel::lumo {

ViewRegistration::ViewRegistration(Document* document, View* view)
    : document_(document), view_(view) {
    if (document_ != nullptr) {
        document_->Attach(this);
    }
}

ViewRegistration::~ViewRegistration() {
    Release();
}

ViewRegistration::ViewRegistration(ViewRegistration&& other) noexcept
    : document_(std::exchange(other.document_, nullptr)),
      view_(std::exchange(other.view_, nullptr)) {
    if (document_ != nullptr) {
        document_->Replace(&other, this);
    }
}

ViewRegistration& ViewRegistration::operator=(ViewRegistration&& other) noexcept {
    if (this != &other) {
        Release();
        document_ = std::exchange(other.document_, nullptr);
        view_ = std::exchange(other.view_, nullptr);
        if (document_ != nullptr) {
            document_->Replace(&other, this);
        }
    }
    return *this;
}

void ViewRegistration::Release() {
    if (document_ != nullptr) {
        std::exchange(document_, nullptr)->Detach(this);
    }
    view_ = nullptr;
}

} // namespace vel::lumo
