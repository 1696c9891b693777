#include "apps/lumo/shell/Autosaver.h"

#include "apps/lumo/document/LumoDocument.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "wingui/NativePath.h"
#include "wingui/PostToThread.h"

#include <QGuiApplication>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <new>

namespace vel::lumo {

namespace {

// Unique among the runs of this boot and the windows of this run, and never
// the name of a copy an earlier run with the same process id left behind.
std::string NewId() {
    static std::atomic<int> windows = 0;
    return std::to_string(std::time(nullptr)) + "-" +
           std::to_string(ProcessIdentity::Current().pid) + "-" + std::to_string(++windows);
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace

Autosaver::Autosaver(RecoveryStore store, std::chrono::seconds interval, Report report)
    : store_(std::move(store)), report_(std::move(report)), id_(NewId()),
      writer_(std::make_unique<RecoveryWriter>(
          store_, [this](const std::string&, const core::FileError& error) {
              wingui::PostToThread(this, [this, error] { OnWritten(error); });
          })) {
    connect(&timer_, &QTimer::timeout, this, &Autosaver::Tick);
    if (interval.count() > 0 && FolderUsable()) {
        timer_.start(std::chrono::duration_cast<std::chrono::milliseconds>(interval));
    }
}

Autosaver::~Autosaver() {
    Discard();
}

void Autosaver::SetDocument(LumoDocument* document) {
    Discard();
    registration_ = ViewRegistration();
    document_ = document;
    name_.clear();
    registration_ = ViewRegistration(document, this);
}

void Autosaver::OnDocumentChange(Document*, uint32_t changes) {
    if (changes != ChangeBits::Modified) {
        edited_ = true;
    }
}

void Autosaver::Tick() {
    if (document_ == nullptr) {
        return;
    }
    if (!document_->IsModified()) {
        // Nothing is at risk: the file holds the work.
        Discard();
        return;
    }
    // A live drag changes the pumpkin before any command describes the change.
    if (edited_ && QGuiApplication::mouseButtons() == Qt::NoButton) {
        Copy();
    }
}

void Autosaver::TakeOver(const std::string& copyId) {
    replaced_ = copyId;
    // Until ours is written, the work is in that copy.
    goodCopy_ = true;
    if (document_ != nullptr && timer_.isActive()) {
        Copy();
    }
}

bool Autosaver::FolderUsable() {
    if (off_) {
        return false;
    }
    const std::optional<std::string> fault = store_.Fault();
    if (!fault) {
        return true;
    }
    off_ = true;
    timer_.stop();
    report_(QStringLiteral("Autosave is off: the recovery folder %1 %2.")
                .arg(wingui::DisplayPath(store_.Folder()), QString::fromStdString(*fault)));
    return false;
}

void Autosaver::Copy() {
    try {
        if (!FolderUsable()) {
            return;
        }
        RecoveryRecord record;
        record.document = !document_->GetPath().empty() ? Absolute(document_->GetPath())
                          : !name_.empty()              ? name_
                                                        : RecoveryRecord::Untitled;
        record.time = std::time(nullptr);
        record.owner = ProcessIdentity::Current();
        // The copy shares the clip's samples, which never change, so taking it
        // costs the window the pumpkin and its keys alone.
        writer_->Write(id_, std::make_unique<const LumoDocument>(*document_), std::move(record),
                       replaced_);
    } catch (const std::bad_alloc&) {
        // A copy too large for the memory left fails as a full disk would:
        // the last good copy stays, and the next change tries again.
        OnWritten(core::FileError::FromErrno(ENOMEM));
        return;
    }
    edited_ = false;
    hasCopy_ = true;
}

void Autosaver::Discard() {
    edited_ = false;
    goodCopy_ = false;
    EndFailure();
    if (hasCopy_) {
        writer_->Remove(id_);
        hasCopy_ = false;
    }
    if (!replaced_.empty()) {
        writer_->Remove(replaced_);
        replaced_.clear();
    }
}

void Autosaver::OnWritten(const core::FileError& error) {
    if (error.Code() == core::File::NoError && error.System() == 0) {
        goodCopy_ = true;
        EndFailure();
        return;
    }
    failing_ = true;
    QString status =
        QStringLiteral("Autosave failed: %1.")
            .arg(QString::fromStdString(core::FileErrorText(error, core::FileOperation::Writing)));
    if (goodCopy_) {
        status += QStringLiteral(" The last recovery copy is kept.");
    }
    report_(status);
}

void Autosaver::EndFailure() {
    if (failing_) {
        failing_ = false;
        report_({});
    }
}

} // namespace vel::lumo
