#pragma once

#include <exception>
#include <string>

namespace vel::lumo {

// Why an export failed, from what RunExport threw, in words for the user
// that start in lower case and end without a full stop ("the folder does not
// exist", "No space left on device", "out of memory"). Every message about a
// failed export quotes it. Rethrows what is not a standard exception.
std::string ExportFailureReason(const std::exception_ptr& failure);

} // namespace vel::lumo
