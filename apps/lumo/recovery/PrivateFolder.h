#pragma once

#include <optional>
#include <string>

namespace vel::lumo {

// A folder that holds the user's unsaved work and the program's locks, so
// that only the user may read it: nothing is ever written through a link
// into a folder of someone else's choosing, and a folder the user set up
// differently keeps the permissions the user gave it.

// Why the folder cannot hold such files: it is a link, not a folder at all,
// or another user's. A missing folder is no fault.
std::optional<std::string> PrivateFolderFault(const std::string& folder);

// The same, after making a missing folder (readable by the user alone; its
// parents as any other folder of the user's).
std::optional<std::string> MakePrivateFolder(const std::string& folder);

} // namespace vel::lumo
