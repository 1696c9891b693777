#pragma once

#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/shell/RecoveryStore.h"
#include "apps/lumo/shell/RecoveryWriter.h"

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
// it).
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
    // Copies the document now and drops the copy another run left, whose
    // work it holds: it is ours from now on.
    void TakeOver(const std::string& copyId);
    // Removes the copy: the work is saved or given up.
    void Discard();
    // Waits until the worker has written and removed all it was asked to.
    void Finish() { writer_->Finish(); }

    const std::string& Id() const { return id_; }
    const RecoveryStore& Store() const { return store_; }

private:
    void OnDocumentChange(Document* document, uint32_t changes) override;
    void Copy();
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
    QTimer timer_;
    std::unique_ptr<RecoveryWriter> writer_;
};

} // namespace vel::lumo
