#include "apps/lumo/shell/FileTypes.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "wingui/NativePath.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace vel::lumo {

namespace {

enum class DroppedKind { Other, Document, Sound };

struct DroppedFile {
    DroppedKind kind = DroppedKind::Other;
    std::string path;
};

// What the window takes from a drag: one local file, a document or a sound
// file of a type Load Audio offers.
DroppedFile Dropped(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
        return {};
    }
    std::string path = wingui::LocalFilePath(data->urls().front());
    const QString extension = QFileInfo(wingui::DisplayName(path)).suffix().toLower();
    if (extension == DocumentExtension) {
        return {DroppedKind::Document, std::move(path)};
    }
    if (AudioExtensions.contains(extension)) {
        return {DroppedKind::Sound, std::move(path)};
    }
    return {};
}

} // namespace

// Anything else is refused, which shows the no-drop cursor.
void LumoWnd::dragEnterEvent(QDragEnterEvent* event) {
    if (Dropped(event->mimeData()).kind == DroppedKind::Other) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

// The file is taken once the drop is over, so that the program it came from
// is not held while the unsaved-changes question waits for an answer.
void LumoWnd::dropEvent(QDropEvent* event) {
    const DroppedFile dropped = Dropped(event->mimeData());
    if (dropped.kind == DroppedKind::Other) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, dropped] {
        if (dropped.kind == DroppedKind::Sound) {
            LoadAudio(dropped.path);
        } else if (QuerySaveChanges()) {
            OpenFile(dropped.path);
        }
    });
}

} // namespace vel::lumo
