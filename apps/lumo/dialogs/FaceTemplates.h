#pragma once

#include <QString>
#include <vector>

namespace vel::lumo {

// One face that a new document can start from.
struct FaceTemplate {
    QString name;
    QString path;
    // The user's own, saved with Save as Template; only these may be deleted.
    bool own = false;
};

// The starter faces in the order and under the names of the folder's
// faces.txt (its lines: file name, a tab, the face's name), then the user's
// own faces by name. A missing folder contributes nothing.
std::vector<FaceTemplate> ListFaceTemplates(const QString& starterFolder, const QString& ownFolder);

// Where the user's own faces are kept, in the user's data folder.
QString OwnTemplateFolder();

// Whether the name can be the file name of one of the user's own faces:
// not empty, not starting with a dot, with no slash or control character.
bool IsTemplateNameAcceptable(const QString& name);
// The file of the user's own face of that name in the folder.
QString TemplatePath(const QString& folder, const QString& name);

} // namespace vel::lumo
