#pragma once

#include <string>

class QWidget;

namespace vel::lumo {

// Tells the user that a command failed, in one message box over owner
// captioned with the product: what failed, the file where there is one, as
// the user sees its name, and the reason in the user's words (lower case,
// without a full stop).
void ShowFailure(QWidget* owner, const std::string& headline, const std::string& path,
                 const std::string& reason);

} // namespace vel::lumo
