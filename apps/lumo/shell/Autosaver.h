#pragma once

#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "apps/lumo/recovery/RecoveryWriter.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace vel::lumo {

class LumoDocument;

// Keeps a recovery copy of the open document's unsaved work: at most once
// per interval, and only when something changed since the last copy. The
// window's thread copies the document, sharing its sound, which is quick, and
// a worker writes that copy; a copy that cannot be written leaves the last
// good one and is reported through the status callback (an empty text clears
// it). A recovery folder that is not what it should be turns the autosave
// off, and the status callback says why.
class Autosaver : public QObject, private View {
public:
    using Report = std::function<void(const QString& status)>;

    // An interval of 0 never copies.
    Autosaver(RecoveryStore store, std::chrono::seconds interval, Report report);
    // Removes the copy: the program ends normally.
    ~Autosaver() override;
    Autosaver(const Autosaver&) = delete;
    Autosaver& operator=(const Autosaver&) = delete;

    // Follows another document; the copy of the one before goes.
    void SetDocument(LumoDocument* document);
    // The file a document without a path of its own came from.
    void SetName(std::string name) { name_ = std::move(name); }
    // Copies the document now if it has changes that no copy holds yet.
    void Tick();
    // Copies the document, whose work another run left in a copy: that copy
    // is dropped once ours is on the disk, or when ours would be.
    void TakeOver(const std::string& copyId);
    // Removes the copy: the work is saved or given up.
    void Discard();
    // Waits until the worker has written and removed all it was asked to.
    void Finish() { writer_->Finish(); }

    // How often the document is copied; 0 when it never is.
    std::chrono::milliseconds Interval() const {
        return timer_.isActive() ? timer_.intervalAsDuration() : std::chrono::milliseconds(0);
    }
    const std::string& Id() const { return id_; }
    const RecoveryStore& Store() const { return store_; }

private:
    void OnDocumentChange(Document* document, uint32_t changes) override;
    void Copy();
    // Whether the folder can take copies; turns the autosave off if not.
    bool FolderUsable();
    void OnWritten(const core::FileError& error);
    // Takes back the report of a failed copy.
    void EndFailure();

    RecoveryStore store_;
    Report report_;
    std::string id_;
    LumoDocument* document_ = nullptr;
    std::string name_;
    ViewRegistration registration_;
    bool edited_ = false;
    bool hasCopy_ = false;
    // Whether the worker has written a copy of the document that is still there.
    bool goodCopy_ = false;
    bool failing_ = false;
    bool off_ = false;
    // The copy another run left, which our next copy on the disk replaces.
    std::string replaced_;
    QTimer timer_;
    std::unique_ptr<RecoveryWriter> writer_;
};

} // namespace vel::lumo
