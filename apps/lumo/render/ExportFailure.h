#pragma once

#include <exception>
#include <string>

namespace vel::lumo {

// Why an export failed, from what RunExport threw, in words for the user
// that start in lower case and end without a full stop ("the folder does not
// exist", "No space left on device", "there is not enough memory"): the
// video writer's code in FFmpeg's words, otherwise as for every command.
// Every message about a failed export quotes it. Rethrows what is not a
// standard exception.
std::string ExportFailureReason(const std::exception_ptr& failure);

} // namespace vel::lumo
