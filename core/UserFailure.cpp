#include "core/UserFailure.h"

#include "core/FailureMessage.h"

#include <new>

namespace vel::core {

std::string FailureReason(const std::exception_ptr& failure, FileOperation operation) {
    try {
        std::rethrow_exception(failure);
    } catch (const UserFailure& e) {
        if (*e.Detail() != '\0') {
            ReportToStandardError(e.Detail());
        }
        return e.what();
    } catch (const FileError& e) {
        return FileErrorText(e, operation);
    } catch (const std::bad_alloc&) {
        return "there is not enough memory";
    } catch (const std::exception& e) {
        ReportToStandardError(e.what());
        return "an internal error stopped the work";
    }
}

void ReportToStandardError(const std::string& text) {
    Fail({}, text);
}

} // namespace vel::core
