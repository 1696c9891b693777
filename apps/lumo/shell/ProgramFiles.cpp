#include "apps/lumo/shell/ProgramFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vel::lumo {

QString FindProgramFile(const QString& installed, const QString& inSources) {
    const QString paths[] = {QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/../share/lumo/") + installed,
                             QStringLiteral(LUMO_SOURCE_DIR "/") + inSources};
    for (const QString& path : paths) {
        if (QFileInfo::exists(path)) {
            return QFileInfo(path).canonicalFilePath();
        }
    }
    return {};
}

QString StarterTemplateFolder() {
    return FindProgramFile(QStringLiteral("templates"), QStringLiteral("templates"));
}

} // namespace vel::lumo
