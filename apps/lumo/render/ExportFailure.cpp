#include "apps/lumo/render/ExportFailure.h"

#include "core/UserFailure.h"
#include "video/XVideoWriter.h"

namespace vel::lumo {

std::string ExportFailureReason(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const video::XVideoWriter& e) {
        return e.CodeText();
    } catch (...) {
        return core::FailureReason(std::current_exception(), core::FileOperation::Writing);
    }
}

} // namespace vel::lumo
