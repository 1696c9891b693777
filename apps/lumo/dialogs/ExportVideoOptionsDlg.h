#pragma once

#include "apps/lumo/dialogs/ExportChoices.h"
#include "apps/lumo/dialogs/ExportFields.h"
#include "apps/lumo/dialogs/VideoSizeField.h"
#include "apps/lumo/render/ExportOptions.h"
#include "wingui/OptionsDlg.h"

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;

namespace vel::lumo {

class LumoDocument;

// Asks where to write the video, how often (or for how many minutes at
// least) to loop which frame range, at which picture size, whether to burn in
// a frame counter and whether to fit the picture to the pumpkin, and says
// what will happen: an
// overwritten file, an unusual extension, a folder that cannot take the
// video, the total running time.
class ExportVideoOptionsDlg : public wingui::OptionsDlg<ExportVideoOptionsDlg> {
public:
    enum : std::uint32_t {
        IdFileName = 10001,
        IdFileStatus = 10002,
        IdFileIcon = 10003,
        IdBrowse = 10004,
        IdLoops = 10005,
        IdFirstFrame = 10007,
        IdEndFrame = 10009,
        IdSummary = 10011,
        IdSummaryIcon = 10012,
        IdBurnIn = 10013,
        IdFitted = 10014,
        IdMinutes = 10015,
        IdSize = 10016,
    };

    // Proposes the document's name in the folder, and the loop count,
    // fitting, size and minutes of start.
    ExportVideoOptionsDlg(QWidget* owner, const LumoDocument& document,
                          const ExportChoices& start = {});

    bool IsFieldValid(std::uint32_t controlId) const override;
    // What the user chose; read after the dialog ended with OK.
    ExportOptions Options() const;
    // What the next export starts from after this one.
    ExportChoices Choices() const;
    QSize sizeHint() const override;

    // The user's videos folder, made when it is missing.
    static std::string VideosFolder();

    FileNameField fileName;
    LoopCountField loops;
    MinutesField minutes;
    TimecodeField firstFrame{0};
    TimecodeField endFrame;
    wingui::Field<CanvasSize> size;
    wingui::Field<bool> burnIn{false};
    wingui::Field<bool> fitted;

protected:
    void BindFields() override;
    void UpdateStatus() override;

private:
    void Browse();
    void ShowStatus(std::uint32_t textId, std::uint32_t iconId, const QString& text,
                    StatusIcon icon);
    std::string FileStatus(StatusIcon& icon) const;
    std::string Summary(StatusIcon& icon) const;

    QLineEdit* fileEdit_;
    uint32_t frameRate_; // the document's, in frames per 1000 seconds
};

} // namespace vel::lumo
