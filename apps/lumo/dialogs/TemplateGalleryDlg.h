#pragma once

#include "apps/lumo/dialogs/FaceTemplates.h"
#include "wingui/OptionsDlg.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;

namespace vel::lumo {

class LumoDocument;

// The gallery of faces a new document can start from: a picture of each
// with its name, the starter faces first. Enter, a double-click or OK
// chooses one; Delete removes one of the user's own after the question. It
// never writes to a face; the caller takes a copy of the chosen one.
class TemplateGalleryDlg : public wingui::OptionsDlg<TemplateGalleryDlg> {
public:
    enum ControlId : std::uint32_t { IdFaces = 12001, IdStatusText = 12002 };
    // Asked before deleting one of the user's own faces; true deletes it.
    using DeleteQuestion = std::function<bool(const FaceTemplate&)>;

    TemplateGalleryDlg(QWidget* owner, const std::vector<FaceTemplate>& faces,
                       DeleteQuestion askDelete);
    ~TemplateGalleryDlg() override;

    // The chosen face as a new document: no path, a fresh history; null when
    // none is chosen.
    std::unique_ptr<LumoDocument> ChosenFace() const;
    QListWidget* Faces() const { return list_; }
    // What the status line says, as the user reads it.
    QString StatusText() const;

    // Shows the dialog through the dialog runner; true on OK.
    bool Run();
    // Ends with OK only while a face is chosen.
    void accept() override;

protected:
    void BindFields() override {}
    void UpdateStatus() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddFaces(const std::vector<FaceTemplate>& faces);
    void DeleteCurrent();

    DeleteQuestion askDelete_;
    // One per row of the list.
    std::vector<FaceTemplate> shown_;
    std::vector<std::unique_ptr<LumoDocument>> documents_;
    // The last thing done that the status line reports, until the next.
    QString notice_;
    QString leftOut_;
    QListWidget* list_ = nullptr;
    QLabel* statusText_ = nullptr;
};

} // namespace vel::lumo
