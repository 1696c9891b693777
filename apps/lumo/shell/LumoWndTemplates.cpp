#include "apps/lumo/dialogs/FaceTemplates.h"
#include "apps/lumo/dialogs/TemplateGalleryDlg.h"
#include "apps/lumo/dialogs/TemplateNameDlg.h"
#include "apps/lumo/document/FaceTemplate.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/ProgramFiles.h"
#include "apps/lumo/shell/TemplateQuestions.h"
#include "wingui/WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

namespace vel::lumo {

int LumoWnd::OnNewFromTemplate() {
    if (!QuerySaveChanges()) {
        return 0;
    }
    TemplateGalleryDlg gallery(
        this, ListFaceTemplates(StarterTemplateFolder(), OwnTemplateFolder()),
        [this](const FaceTemplate& face) { return DeleteTemplateQuestion::Ask(this, face.name); });
    if (!gallery.Run()) {
        return 0;
    }
    if (std::unique_ptr<LumoDocument> face = gallery.ChosenFace()) {
        SetDocument(std::move(face));
    }
    return 0;
}

int LumoWnd::OnSaveAsTemplate() {
    if (!document_) {
        return 0;
    }
    const QString folder = OwnTemplateFolder();
    const std::optional<QString> name = AskTemplateName(this, folder);
    if (!name) {
        return -1;
    }
    const QString path = TemplatePath(folder, *name);
    if (QFileInfo::exists(path) && !ReplaceTemplateQuestion::Ask(this, *name)) {
        return -1;
    }
    // A folder that cannot be made fails the save below, which says why.
    QDir().mkpath(folder);
    const std::unique_ptr<LumoDocument> face = FaceTemplateOf(*document_);
    bool saved = false;
    {
        const wingui::WaitCursor wait;
        saved = face->Save(path.toStdString());
    }
    if (!saved) {
        ShowFileError("Error saving the template:", path.toStdString(), face->GetFileError(), true);
        return -1;
    }
    statusBar()->showMessage(
        QStringLiteral("Saved \"%1\": New from Template shows it among your faces.").arg(*name),
        OutcomeShownMs);
    return 0;
}

} // namespace vel::lumo
