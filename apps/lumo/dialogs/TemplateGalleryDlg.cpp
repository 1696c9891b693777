#include "apps/lumo/dialogs/TemplateGalleryDlg.h"

#include "apps/lumo/dialogs/FacePicture.h"
#include "apps/lumo/document/LumoDocument.h"
#include "core/FileError.h"
#include "core/FileErrorText.h"
#include "wingui/DialogRunner.h"
#include "wingui/WaitCursor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdio>

namespace vel::lumo {

namespace {

// A picture of the projector's shape, large enough to tell the faces apart.
constexpr QSize PictureSize(192, 144);
constexpr int GridPadding = 24;
constexpr int VisibleColumns = 4;
constexpr int VisibleRows = 2;

QString Tip(const FaceTemplate& face) {
    return face.own ? QStringLiteral("%1: one of your own faces. Enter or a double-click starts a "
                                     "new gourdglowlight from it; Delete removes it.")
                          .arg(face.name)
                    : QStringLiteral("%1: a starter face. Enter or a double-click starts a new "
                                     "gourdglowlight from it.")
                          .arg(face.name);
}

} // namespace

TemplateGalleryDlg::TemplateGalleryDlg(QWidget* owner, const std::vector<FaceTemplate>& faces,
                                       DeleteQuestion askDelete)
    : OptionsDlg(owner), askDelete_(std::move(askDelete)), list_(new QListWidget(this)),
      statusText_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("New from Template"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(PictureSize);
    list_->setGridSize(PictureSize + QSize(GridPadding, GridPadding + fontMetrics().height()));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setWordWrap(true);
    list_->setUniformItemSizes(true);
    // Room for the columns beside the scroll bar that a second row of faces brings.
    const int frame = 2 * list_->frameWidth();
    list_->setMinimumSize(list_->gridSize().width() * VisibleColumns + GridPadding + frame +
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                          list_->gridSize().height() * VisibleRows + GridPadding + frame);
    list_->installEventFilter(this);
    AddControl(IdFaces, list_);
    statusText_->setWordWrap(true);
    AddControl(IdStatusText, statusText_);
    OkButton()->setText(QStringLiteral("&Open"));

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Faces:"), this);
    label->setBuddy(list_);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    layout->addWidget(statusText_);
    layout->addWidget(ButtonBox());
    SetToolTips({{IdFaces, "Each face with its mouth open; choose one to start a new "
                           "gourdglowlight from a copy of it"}});

    AddFaces(faces);
    connect(list_, &QListWidget::itemActivated, this, &TemplateGalleryDlg::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TemplateGalleryDlg::accept);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        notice_.clear();
        UpdateStatus();
    });
    list_->setCurrentRow(0);
    UpdateStatus();
}

TemplateGalleryDlg::~TemplateGalleryDlg() = default;

// A face that cannot be read is left out, and the status line says so.
void TemplateGalleryDlg::AddFaces(const std::vector<FaceTemplate>& faces) {
    const wingui::WaitCursor wait;
    QStringList leftOut;
    for (const FaceTemplate& face : faces) {
        core::FileError error;
        std::unique_ptr<LumoDocument> document = LumoDocument::Open(face.path.toStdString(), error);
        if (!document) {
            leftOut.append(QStringLiteral("%1 (%2)").arg(
                face.name,
                QString::fromStdString(core::FileErrorText(error, core::FileOperation::Reading))));
            continue;
        }
        auto* item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(FacePicture(*document, PictureSize))), face.name, list_);
        item->setToolTip(Tip(face));
        shown_.push_back(face);
        documents_.push_back(std::move(document));
    }
    if (!leftOut.isEmpty()) {
        leftOut_ = QStringLiteral("Left out, since they cannot be read: %1.")
                       .arg(leftOut.join(QStringLiteral(", ")));
    }
}

std::unique_ptr<LumoDocument> TemplateGalleryDlg::ChosenFace() const {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= documents_.size()) {
        return nullptr;
    }
    return std::make_unique<LumoDocument>(*documents_[static_cast<std::size_t>(row)]);
}

QString TemplateGalleryDlg::StatusText() const {
    return statusText_->text();
}

void TemplateGalleryDlg::UpdateStatus() {
    const int row = list_->currentRow();
    QString text;
    if (!notice_.isEmpty()) {
        text = notice_;
    } else if (row >= 0) {
        text = Tip(shown_[static_cast<std::size_t>(row)]);
    } else {
        text = QStringLiteral("There are no faces to start from: the starter faces are not "
                              "installed, and Save as Template has saved none of your own.");
    }
    if (!leftOut_.isEmpty()) {
        text += QLatin1Char('\n') + leftOut_;
    }
    statusText_->setText(text);
}

void TemplateGalleryDlg::accept() {
    if (list_->currentRow() >= 0) {
        OptionsDlg::accept();
    }
}

bool TemplateGalleryDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteCurrent();
        return true;
    }
    return OptionsDlg::eventFilter(watched, event);
}

void TemplateGalleryDlg::DeleteCurrent() {
    const int row = list_->currentRow();
    if (row < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    const FaceTemplate face = shown_[index];
    if (!face.own) {
        notice_ = QStringLiteral("%1 is a starter face, which cannot be deleted; only your own "
                                 "faces can.")
                      .arg(face.name);
    } else if (askDelete_ && askDelete_(face)) {
        if (::remove(face.path.toLocal8Bit().constData()) == 0) {
            shown_.erase(shown_.begin() + row);
            documents_.erase(documents_.begin() + row);
            const QSignalBlocker quiet(list_);
            delete list_->takeItem(row);
            notice_ = QStringLiteral("%1 is deleted.").arg(face.name);
        } else {
            const std::string reason = core::FileErrorText(core::FileError::FromErrno(errno),
                                                           core::FileOperation::Writing);
            notice_ = QStringLiteral("%1 cannot be deleted: %2.")
                          .arg(face.name, QString::fromStdString(reason));
        }
    }
    UpdateStatus();
}

bool TemplateGalleryDlg::Run() {
    return wingui::DialogRunner::Exec(*this) == QDialog::Accepted;
}

} // namespace vel::lumo
