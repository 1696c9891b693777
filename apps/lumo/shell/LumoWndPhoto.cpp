#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/document/PhotoEdits.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PhotoImage.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "core/UserFailure.h"
#include "wingui/FileDialog.h"

#include <QAction>
#include <exception>
#include <utility>
#include <vector>

namespace vel::lumo {

// A photo that cannot be read, or is no PNG or JPEG image, is refused with
// the reason; the document stays as it was.
int LumoWnd::OnTracePhoto() {
    if (!document_) {
        return 0;
    }
    wingui::FileOpenDialog dialog;
    dialog.SetTitle(QStringLiteral("Trace Photo"));
    dialog.AddFilter(QStringLiteral("Photos (PNG, JPEG)"), QStringLiteral("*.png *.jpg *.jpeg"));
    dialog.AddFilter(QStringLiteral("All Files"), QStringLiteral("*.*"));
    if (!dialog.Show(this)) {
        return 0;
    }
    const std::string path = dialog.ChosenPath();
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadPhotoFile(path);
    } catch (const std::exception&) {
        ShowFailure(this, "Error loading photo:", path,
                    core::FailureReason(std::current_exception()));
        return 0;
    }
    TracePhoto(*document_, std::move(bytes));
    // A photo just traced shows, whatever View > Photo said before.
    preview_->ShowPhoto(true);
    return 0;
}

int LumoWnd::OnRemovePhoto() {
    if (document_) {
        RemovePhoto(*document_);
    }
    return 0;
}

int LumoWnd::OnViewPhoto() {
    preview_->ShowPhoto(!preview_->IsPhotoShown());
    return 0;
}

void LumoWnd::UpdatePhotoMenuState() {
    const bool hasPhoto = document_ && !document_->GetPhoto().IsEmpty();
    Action(IdTracePhoto)->setEnabled(document_ != nullptr);
    Action(IdRemovePhoto)->setEnabled(hasPhoto);
    Action(IdViewPhoto)->setEnabled(hasPhoto);
    Action(IdViewPhoto)->setChecked(preview_->IsPhotoShown());
}

} // namespace vel::lumo
