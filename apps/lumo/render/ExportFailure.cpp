#include "apps/lumo/render/ExportFailure.h"

#include "core/FileErrorText.h"
#include "video/XVideoWriter.h"

#include <new>

namespace vel::lumo {

std::string ExportFailureReason(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const core::FileError& e) {
        return core::FileErrorText(e, core::FileOperation::Writing);
    } catch (const video::XVideoWriter& e) {
        return e.CodeText();
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace vel::lumo
