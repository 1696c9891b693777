#include "apps/lumo/dialogs/AnimateDlg.h"

#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/animate/BlinkGenerator.h"
#include "apps/lumo/animate/FlickerGenerator.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/Timecode.h"
#include "wingui/UpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace vel::lumo {

namespace {

// The Lip Sync dialog's languages: the first recognises English speech, the
// second reads the mouth from the sound of a voice in any language.
const char* const EnglishItem = "English (recognise the phonemes)";
const char* const AnyItem = "Any language (from the sound)";
const char* const TextPlaceholder = "optional: the words spoken, for a closer fit";
const char* const EnglishOnlyPlaceholder = "read only with English: any language goes by the sound";

std::string KnobNames(const LumoDocument& document, const std::vector<KnobKey>& keys) {
    std::string names;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Knob knob = document.GetKnob(keys[i]);
        const std::string name = knob.name.empty() ? keys[i].Text() : knob.name;
        names += (i == 0 ? "" : i + 1 == keys.size() ? " and " : ", ") + name;
    }
    return names;
}

} // namespace

AnimateDlg::AnimateDlg(QWidget* owner, const LumoDocument& document, const QString& title)
    : OptionsDlg(owner), endFrame(document.GetFrameCount()), document_(document),
      layout_(new QGridLayout(this)) {
    setWindowTitle(title);
    auto* firstEdit = new wingui::UpDownEdit(this);
    auto* endEdit = new wingui::UpDownEdit(this);
    for (wingui::UpDownEdit* edit : {firstEdit, endEdit}) {
        edit->setMinimumWidth(130);
    }
    auto* firstLabel = new QLabel(tr("F&irst frame:"), this);
    auto* endLabel = new QLabel(tr("&End frame:"), this);
    firstLabel->setBuddy(firstEdit);
    endLabel->setBuddy(endEdit);
    layout_->addWidget(firstLabel, 0, 0);
    layout_->addWidget(firstEdit, 0, 1);
    layout_->addWidget(endLabel, 0, 2);
    layout_->addWidget(endEdit, 0, 3);
    layout_->setColumnStretch(1, 1);
    layout_->setColumnStretch(3, 1);
    AddControl(IdFirstFrame, firstEdit);
    AddControl(IdEndFrame, endEdit);
    SetToolTips({
        {IdFirstFrame, "The first frame to animate, as a frame number or a timecode"},
        {IdEndFrame, "The frame where the animation ends; the keys in between are replaced"},
    });
}

void AnimateDlg::AddSetting(std::uint32_t controlId, const QString& label, QWidget* control) {
    if (qobject_cast<QCheckBox*>(control) != nullptr) {
        layout_->addWidget(control, nextRow_, 1, 1, 3);
    } else {
        auto* text = new QLabel(label, this);
        text->setBuddy(control);
        layout_->addWidget(text, nextRow_, 0);
        layout_->addWidget(control, nextRow_, 1, 1, 3);
    }
    ++nextRow_;
    AddControl(controlId, control);
}

void AnimateDlg::BindFields() {
    // The status line and the buttons come below the settings.
    auto* icon = new QLabel(this);
    auto* text = new QLabel(this);
    text->setWordWrap(true);
    text->setMinimumWidth(380);
    layout_->addWidget(icon, nextRow_, 0, Qt::AlignTop | Qt::AlignRight);
    layout_->addWidget(text, nextRow_, 1, 1, 3);
    layout_->addWidget(ButtonBox(), nextRow_ + 1, 0, 1, 4);
    AddControl(IdStatusIcon, icon);
    AddControl(IdStatus, text);
    Bind(IdFirstFrame, firstFrame);
    Bind(IdEndFrame, endFrame);
    Bind(IdStatus, status);
    BindSettings();
}

bool AnimateDlg::IsFieldValid(std::uint32_t controlId) const {
    if (!OptionsDlg::IsFieldValid(controlId)) {
        return false;
    }
    return controlId != IdEndFrame || firstFrame.value < endFrame.value;
}

void AnimateDlg::UpdateStatus() {
    const std::unique_ptr<KeyGenerator> generator = MakeGenerator();
    StatusIcon icon = StatusIcon::Information;
    std::string text;
    if (firstFrame.value >= endFrame.value) {
        text = "The frame range must contain at least one frame.";
    } else if (const auto problem = generator->Problem(AnimateInput::From(document_, Range()))) {
        text = *problem;
    }
    status.error = !text.empty();
    if (status.error) {
        icon = StatusIcon::Error;
    } else if (const auto wait = generator->Warning(AnimateInput::From(document_, Range()))) {
        icon = StatusIcon::Warning;
        text = *wait;
    } else if (const auto warning = MissingPoseWarning(document_, generator->Keys())) {
        icon = StatusIcon::Warning;
        text = *warning + ".";
    } else {
        text = "Keys " + KnobNames(document_, generator->Keys()) + " from " +
               Timecode::FromFrame(firstFrame.value, document_.GetFrameRate()).Format() +
               " up to " + Timecode::FromFrame(endFrame.value, document_.GetFrameRate()).Format() +
               ", replacing the keys in between.";
    }
    static_cast<QLabel*>(Control(IdStatus))->setText(QString::fromStdString(text));
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    static_cast<QLabel*>(Control(IdStatusIcon))->setPixmap(Icon(icon).pixmap(size, size));
}

LipSyncDlg::LipSyncDlg(QWidget* owner, const LumoDocument& document)
    : AnimateDlg(owner, document, tr("Lip Sync from Audio")) {
    AddSetting(IdSensitivity, tr("&Sensitivity:"), new QLineEdit(this));
    AddSetting(IdSmoothing, tr("S&moothing:"), new QLineEdit(this));
    auto* languages = new QComboBox(this);
    languages->addItems({tr(EnglishItem), tr(AnyItem)});
    AddSetting(IdLanguage, tr("&Language:"), languages);
    AddSetting(IdTranscript, tr("Spoken &text:"), new QLineEdit(this));
    SetToolTips({
        {IdSensitivity, "How readily the mouth opens with the voice: 1 is usual, 2 opens a "
                        "quiet voice as far as a loud one"},
        {IdSmoothing, "0 follows every sound of the speech; 1 blends neighbouring ones into a "
                      "lazy mouth"},
        {IdLanguage, "English shapes the mouth after the sounds recognised in the speech; any "
                     "language shapes it after the vowels heard and the loudness"},
        {IdTranscript, "The English words spoken, if you know them: the recognition then fits "
                       "closer"},
    });
}

void LipSyncDlg::BindSettings() {
    Bind(IdSensitivity, sensitivity);
    Bind(IdSmoothing, smoothing);
    Bind(IdLanguage, language);
    Bind(IdTranscript, transcript);
}

bool LipSyncDlg::Recognises() const {
    return language.value.rfind("Any", 0) != 0;
}

void LipSyncDlg::UpdateStatus() {
    AnimateDlg::UpdateStatus();
    // The spoken text is matched to English phonemes, so it has no say otherwise.
    auto* text = static_cast<QLineEdit*>(Control(IdTranscript));
    text->setEnabled(Recognises());
    text->setPlaceholderText(tr(Recognises() ? TextPlaceholder : EnglishOnlyPlaceholder));
}

std::unique_ptr<KeyGenerator> LipSyncDlg::MakeGenerator() const {
    return std::make_unique<LipSyncGenerator>(
        LipSyncSettings{sensitivity.value, smoothing.value, Recognises(),
                        Recognises() ? transcript.value : std::string()});
}

BlinksDlg::BlinksDlg(QWidget* owner, const LumoDocument& document)
    : AnimateDlg(owner, document, tr("Add Blinks")) {
    AddSetting(IdRate, tr("Blinks a &minute:"), new QLineEdit(this));
    AddSetting(IdSeed, tr("&Seed:"), new wingui::UpDownEdit(this));
    SetToolTips({
        {IdRate, "Blinks a minute on average; the gaps between them vary"},
        {IdSeed, "Another number gives other moments for the blinks; the same number gives "
                 "the same ones"},
    });
}

void BlinksDlg::BindSettings() {
    Bind(IdRate, perMinute);
    Bind(IdSeed, seed);
}

std::unique_ptr<KeyGenerator> BlinksDlg::MakeGenerator() const {
    return std::make_unique<BlinkGenerator>(BlinkSettings{perMinute.value, seed.value});
}

FlickerDlg::FlickerDlg(QWidget* owner, const LumoDocument& document)
    : AnimateDlg(owner, document, tr("Candle Flicker")) {
    AddSetting(IdAmount, tr("&Amount:"), new QLineEdit(this));
    AddSetting(IdSpeed, tr("S&peed:"), new QLineEdit(this));
    AddSetting(IdHue, {}, new QCheckBox(tr("Let the &hue wander too"), this));
    AddSetting(IdSeed, tr("&Seed:"), new wingui::UpDownEdit(this));
    SetToolTips({
        {IdAmount, "How far the candle's light strays from its value, in lightness units"},
        {IdSpeed, "1 is a calm candle; 2 wanders and flickers twice as often"},
        {IdHue, "The flame's colour wanders a little too"},
        {IdSeed, "Another number gives another flame; the same number gives the same one"},
    });
}

void FlickerDlg::BindSettings() {
    Bind(IdAmount, amount);
    Bind(IdSpeed, speed);
    Bind(IdHue, hue);
    Bind(IdSeed, seed);
}

std::unique_ptr<KeyGenerator> FlickerDlg::MakeGenerator() const {
    return std::make_unique<FlickerGenerator>(
        FlickerSettings{amount.value, speed.value, hue.value, seed.value});
}

} // namespace vel::lumo
