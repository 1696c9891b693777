#pragma once

#include <QString>

namespace vel::lumo {

// A file or folder that comes with the program: the one installed under
// share/lumo beside the program's folder, else the one in the source tree it
// was built from; its canonical path, empty when there is neither.
QString FindProgramFile(const QString& installed, const QString& inSources);

// The folder of the starter faces, empty when it is not there.
QString StarterTemplateFolder();

} // namespace vel::lumo
