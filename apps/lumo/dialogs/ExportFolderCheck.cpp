#include "apps/lumo/dialogs/ExportFolderCheck.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace vel::lumo {

std::string ExportFolderProblem(const std::string& file) {
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return "The folder of the file does not exist.";
    }
    // The video is made beside its final name and renamed into place, so the
    // folder must take new files: the same check the system makes then.
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "The folder of the file cannot be written to.";
    }
    if (std::filesystem::is_directory(file, error)) {
        return "A folder has that name: the video needs a name of its own.";
    }
    return {};
}

} // namespace vel::lumo
