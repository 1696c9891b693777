#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"

#include "apps/lumo/dialogs/ExportFolderCheck.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/Timecode.h"
#include "apps/lumo/model/TimecodeMeaning.h"
#include "apps/lumo/render/VideoSizes.h"
#include "wingui/ControlText.h"
#include "wingui/FileDialog.h"
#include "wingui/NumberText.h"
#include "wingui/UpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vel::lumo {

namespace {

// The row of the summary and its icon.
constexpr int SummaryRow = 5;

std::string InitialName(const LumoDocument& document) {
    return std::filesystem::path(document.GetPath()).stem().string();
}

// The timecode, and the same time in plain seconds for those who read it
// as minutes.
std::string Duration(uint64_t frames) {
    constexpr double framesPerSecond = DefaultFrameRate / 1000.0;
    return Timecode::FromFrame(static_cast<uint32_t>(frames), DefaultFrameRate).Format() + " (" +
           wingui::NumberText(static_cast<double>(frames) / framesPerSecond, 2) + " seconds)";
}

} // namespace

std::string ExportVideoOptionsDlg::VideosFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
    }
    return folder.toStdString();
}

ExportVideoOptionsDlg::ExportVideoOptionsDlg(QWidget* owner, const LumoDocument& document,
                                             const ExportChoices& start)
    : OptionsDlg(owner),
      fileName(InitialName(document), "mp4", start.folder.empty() ? VideosFolder() : start.folder),
      loops(start.loops), minutes(start.minutes), endFrame(document.GetFrameCount()),
      size(start.size), fitted(start.fitted), fileEdit_(new QLineEdit(this)),
      frameRate_(document.GetFrameRate()) {
    setWindowTitle(tr("Export Video"));
    auto* layout = new QGridLayout(this);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* loopsEdit = new wingui::UpDownEdit(this);
    auto* minutesEdit = new wingui::UpDownEdit(this);
    auto* firstEdit = new wingui::UpDownEdit(this);
    auto* endEdit = new wingui::UpDownEdit(this);
    auto* sizeBox = new QComboBox(this);
    for (const VideoSizeChoice& choice : VideoSizes()) {
        sizeBox->addItem(QString::fromStdString(VideoSizeLabel(choice)));
    }
    auto* burnInBox = new QCheckBox(tr("Burn in the frame &counter (not recommended)"), this);
    auto* fittedBox = new QCheckBox(tr("Fitted to the &pumpkin"), this);
    auto* fileStatus = new QLabel(this);
    auto* summary = new QLabel(this);
    fileStatus->setWordWrap(true);
    summary->setWordWrap(true);
    // Wide enough for a timecode of the first hours.
    const int timecodeWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00:00;00")) +
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent) * 2;
    for (wingui::UpDownEdit* edit : {loopsEdit, minutesEdit, firstEdit, endEdit}) {
        edit->setMinimumWidth(timecodeWidth);
    }

    // Each label's mnemonic leads to its edit.
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* result = new QLabel(text, this);
        result->setBuddy(buddy);
        return result;
    };
    layout->addWidget(label(tr("&File name:"), fileEdit_), 0, 0);
    layout->addWidget(fileEdit_, 0, 1, 1, 3);
    layout->addWidget(browse, 0, 4);
    layout->addWidget(new QLabel(this), 1, 0);
    layout->addWidget(fileStatus, 1, 1, 1, 4);
    layout->addWidget(label(tr("&Loops:"), loopsEdit), 2, 0);
    layout->addWidget(loopsEdit, 2, 1);
    layout->addWidget(label(tr("Play at le&ast:"), minutesEdit), 2, 2);
    layout->addWidget(minutesEdit, 2, 3);
    layout->addWidget(new QLabel(tr("minutes"), this), 2, 4);
    layout->addWidget(label(tr("F&irst frame:"), firstEdit), 3, 0);
    layout->addWidget(firstEdit, 3, 1);
    layout->addWidget(label(tr("&End frame:"), endEdit), 3, 2);
    layout->addWidget(endEdit, 3, 3);
    layout->addWidget(label(tr("Picture si&ze:"), sizeBox), 4, 0);
    layout->addWidget(sizeBox, 4, 1, 1, 3);
    layout->addWidget(new QLabel(this), SummaryRow, 0);
    layout->addWidget(summary, SummaryRow, 1, 1, 4);
    layout->addWidget(burnInBox, 6, 1, 1, 4);
    layout->addWidget(fittedBox, 7, 1, 1, 4);
    layout->addWidget(ButtonBox(), 8, 0, 1, 5);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);

    AddControl(IdFileName, fileEdit_);
    AddControl(IdFileStatus, fileStatus);
    AddControl(IdFileIcon, layout->itemAtPosition(1, 0)->widget());
    AddControl(IdBrowse, browse);
    AddControl(IdLoops, loopsEdit);
    AddControl(IdMinutes, minutesEdit);
    AddControl(IdFirstFrame, firstEdit);
    AddControl(IdEndFrame, endEdit);
    AddControl(IdSize, sizeBox);
    AddControl(IdSummary, summary);
    AddControl(IdSummaryIcon, layout->itemAtPosition(SummaryRow, 0)->widget());
    AddControl(IdBurnIn, burnInBox);
    AddControl(IdFitted, fittedBox);
    connect(browse, &QPushButton::clicked, this, &ExportVideoOptionsDlg::Browse);
    SetToolTips({
        {IdFileName, "The video file to write: a name without a folder goes to the Videos "
                     "folder, and one without an extension gains .mp4"},
        {IdBrowse, "Choose the folder and the name in a file dialog"},
        {IdLoops, "How many times the frames play one after the other in the video"},
        {IdMinutes, "Loops the frames on until the video plays for at least this many minutes, "
                    "for a show that runs all evening; 0 leaves it to the Loops"},
        {IdSize, "The picture size the video's player or projector takes; the face keeps its "
                 "shape, with black bars where the size is narrower or taller"},
        {IdFirstFrame, "The first frame of the video, as a frame number or a timecode "
                       "(seconds;frames)"},
        {IdEndFrame, "The frame where the video ends, as a frame number or a timecode "
                     "(seconds;frames)"},
        {IdSummary, TimecodeMeaning},
        {IdBurnIn, "Writes the frame counter into the picture, for checking the timing"},
        {IdFitted, "Draws every frame as the document's fit puts it on the real pumpkin, for a "
                   "projector that plays the video by itself"},
    });
}

// Room for a long path where the screen has it; a small screen may make the
// dialog narrower.
QSize ExportVideoOptionsDlg::sizeHint() const {
    constexpr int kFileEditWidth = 420;
    return OptionsDlg::sizeHint() +
           QSize(std::max(0, kFileEditWidth - fileEdit_->sizeHint().width()), 0);
}

void ExportVideoOptionsDlg::BindFields() {
    Bind(IdFileName, fileName);
    Bind(IdLoops, loops);
    Bind(IdMinutes, minutes);
    Bind(IdFirstFrame, firstFrame);
    Bind(IdEndFrame, endFrame);
    Bind(IdSize, size);
    Bind(IdBurnIn, burnIn);
    Bind(IdFitted, fitted);
}

bool ExportVideoOptionsDlg::IsFieldValid(std::uint32_t controlId) const {
    if (!OptionsDlg::IsFieldValid(controlId)) {
        return false;
    }
    if (controlId == IdFileName) {
        return ExportFolderProblem(fileName.value).empty();
    }
    return controlId != IdEndFrame || firstFrame.value < endFrame.value;
}

ExportOptions ExportVideoOptionsDlg::Options() const {
    return {fileName.value, firstFrame.value, endFrame.value, loops.value,
            burnIn.value,   fitted.value,     size.value,     minutes.value};
}

ExportChoices ExportVideoOptionsDlg::Choices() const {
    return {std::filesystem::path(fileName.value).parent_path().string(), loops.value, fitted.value,
            size.value, minutes.value};
}

void ExportVideoOptionsDlg::Browse() {
    wingui::FileSaveDialog save;
    save.SetTitle(tr("Export Video"));
    save.AddFilter(tr("MPEG-4"), QStringLiteral("*.mp4"));
    save.AddFilter(tr("All Files"), QStringLiteral("*.*"));
    save.SetDefaultExtension(QStringLiteral("mp4"));
    save.SetInitialName(fileName.value);
    if (!save.Show(this)) {
        return;
    }
    fileName.FromText(save.ChosenPath());
    wingui::ShowControlText(fileEdit_, fileName.ToText());
}

std::string ExportVideoOptionsDlg::FileStatus(StatusIcon& icon) const {
    icon = StatusIcon::Warning;
    if (!fileName.IsValid()) {
        icon = StatusIcon::Error;
        return "The file name may not contain any of these characters: < > : | ? *.";
    }
    if (std::string folder = ExportFolderProblem(fileName.value); !folder.empty()) {
        icon = StatusIcon::Error;
        return folder;
    }
    if (std::error_code unknown; std::filesystem::exists(fileName.value, unknown)) {
        return "A file with that name already exists: the export asks before replacing it.";
    }
    const QString extension =
        QString::fromStdString(std::filesystem::path(fileName.value).extension().string());
    if (extension.compare(QString::fromStdString(fileName.DefaultExtension()),
                          Qt::CaseInsensitive) != 0) {
        return "The file name should end in \"" + fileName.DefaultExtension() +
               "\" for best results.";
    }
    return {};
}

std::string ExportVideoOptionsDlg::Summary(StatusIcon& icon) const {
    icon = StatusIcon::Information;
    if (!IsFieldValid(IdFirstFrame) || !IsFieldValid(IdEndFrame)) {
        icon = StatusIcon::Error;
        return "The frame range must contain at least one frame.";
    }
    const uint64_t length = endFrame.value - firstFrame.value;
    std::string text = "Your animation is " + Duration(length) + " long";
    if (!loops.IsValid()) {
        text += ", but you must set the Loops to at least 1";
        icon = StatusIcon::Error;
    } else if (!minutes.IsValid()) {
        text += ", but a video can play for at most " + wingui::NumberText(MaximumMinutes) +
                " minutes (a day)";
        icon = StatusIcon::Error;
    } else if (const uint32_t total = TotalLoops(Options(), frameRate_); total > 1) {
        text += ", and it will loop " + wingui::NumberText(total) +
                " times for a total running time of " + Duration(length * total);
    }
    return text + ".";
}

void ExportVideoOptionsDlg::ShowStatus(std::uint32_t textId, std::uint32_t iconId,
                                       const QString& text, StatusIcon icon) {
    auto* label = static_cast<QLabel*>(Control(textId));
    auto* iconLabel = static_cast<QLabel*>(Control(iconId));
    label->setText(text);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    iconLabel->setPixmap(Icon(icon).pixmap(size, size));
    label->setVisible(!text.isEmpty());
    iconLabel->setVisible(!text.isEmpty());
    // A longer text wraps onto another line: the open dialog grows to show
    // it, within the screen, rather than cutting it off.
    const QLayout* grid = layout();
    if (isVisible() && grid != nullptr && grid->hasHeightForWidth()) {
        const int room =
            screen()->availableGeometry().height() - (frameGeometry().height() - height());
        const int needed = std::min(grid->totalHeightForWidth(width()), room);
        if (needed > height()) {
            resize(width(), needed);
        }
    }
}

void ExportVideoOptionsDlg::UpdateStatus() {
    StatusIcon icon;
    const std::string file = FileStatus(icon);
    ShowStatus(IdFileStatus, IdFileIcon, QString::fromStdString(file), icon);
    const std::string summary = Summary(icon);
    ShowStatus(IdSummary, IdSummaryIcon, QString::fromStdString(summary), icon);
}

} // namespace vel::lumo
