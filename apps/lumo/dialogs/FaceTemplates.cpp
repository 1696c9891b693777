#include "apps/lumo/dialogs/FaceTemplates.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>

namespace vel::lumo {

namespace {

const QString TemplateExtension = QStringLiteral(".glw");

std::vector<FaceTemplate> ListStarterFaces(const QString& folder) {
    std::vector<FaceTemplate> faces;
    if (folder.isEmpty()) {
        return faces;
    }
    const QDir dir(folder);
    QFile list(dir.filePath(QStringLiteral("faces.txt")));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return faces;
    }
    QTextStream lines(&list);
    while (!lines.atEnd()) {
        const QStringList fields = lines.readLine().split(QLatin1Char('\t'));
        if (fields.size() == 2 && !fields[0].isEmpty()) {
            faces.push_back({fields[1], dir.filePath(fields[0]), false});
        }
    }
    return faces;
}

std::vector<FaceTemplate> ListOwnFaces(const QString& folder) {
    std::vector<FaceTemplate> faces;
    if (folder.isEmpty()) {
        return faces;
    }
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({QLatin1Char('*') + TemplateExtension},
                                                   QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        faces.push_back({file.completeBaseName(), file.filePath(), true});
    }
    return faces;
}

} // namespace

std::vector<FaceTemplate> ListFaceTemplates(const QString& starterFolder,
                                            const QString& ownFolder) {
    std::vector<FaceTemplate> faces = ListStarterFaces(starterFolder);
    for (FaceTemplate& face : ListOwnFaces(ownFolder)) {
        faces.push_back(std::move(face));
    }
    return faces;
}

QString OwnTemplateFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lumo/templates");
}

bool IsTemplateNameAcceptable(const QString& name) {
    return !name.trimmed().isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           std::none_of(name.begin(), name.end(), [](QChar c) {
               return c == QLatin1Char('/') || c == QLatin1Char('\\') ||
                      c.category() == QChar::Other_Control;
           });
}

QString TemplatePath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + TemplateExtension);
}

} // namespace vel::lumo
