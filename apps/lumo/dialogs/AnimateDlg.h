#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/dialogs/ExportFields.h"
#include "wingui/OptionsDlg.h"

#include <cstdint>
#include <memory>
#include <string>

class QGridLayout;

namespace vel::lumo {

class LumoDocument;

// The status line: what the command will do, a warning, or why it cannot
// run, in which case OK stays disabled.
class StatusField : public wingui::Field<std::string> {
public:
    bool IsValid() const override { return !error; }
    bool FromText(const std::string&) override { return IsValid(); }

    bool error = false;
};

// What the three Animate dialogs share: the frame range (the whole
// animation unless changed), their own few settings, and a status line that
// says what the keys will do, warns of knobs that drive no pose yet and
// refuses a range or document the command cannot work on.
class AnimateDlg : public wingui::OptionsDlg<AnimateDlg> {
public:
    enum : std::uint32_t {
        IdFirstFrame = 10101,
        IdEndFrame = 10102,
        IdStatus = 10103,
        IdStatusIcon = 10104,
        // Each dialog's own settings take the ids from here on.
        IdFirstSetting = 10110,
    };

    bool IsFieldValid(std::uint32_t controlId) const override;

    FrameRange Range() const { return {firstFrame.value, endFrame.value}; }
    // The generator with the settings chosen.
    virtual std::unique_ptr<KeyGenerator> MakeGenerator() const = 0;

    TimecodeField firstFrame{0};
    TimecodeField endFrame;
    StatusField status;

protected:
    AnimateDlg(QWidget* owner, const LumoDocument& document, const QString& title);

    // Adds a labelled setting on the next row of the layout.
    void AddSetting(std::uint32_t controlId, const QString& label, QWidget* control);
    void BindFields() override;
    void UpdateStatus() override;
    // Binds the dialog's own settings.
    virtual void BindSettings() = 0;

private:
    const LumoDocument& document_;
    QGridLayout* layout_;
    int nextRow_ = 1;
};

// Lip Sync from Audio: sensitivity, smoothing, the language (English
// recognised, or any read from the sound) and the spoken text, which only
// English reads.
class LipSyncDlg : public AnimateDlg {
public:
    enum : std::uint32_t {
        IdSensitivity = IdFirstSetting,
        IdSmoothing,
        IdLanguage,
        IdTranscript,
    };

    LipSyncDlg(QWidget* owner, const LumoDocument& document);
    std::unique_ptr<KeyGenerator> MakeGenerator() const override;

    wingui::Field<float> sensitivity{1.0f};
    wingui::Field<float> smoothing{0.5f};
    // The language's item as the list shows it; the first word will do.
    wingui::Field<std::string> language{"English"};
    wingui::Field<std::string> transcript;

protected:
    void BindSettings() override;
    void UpdateStatus() override;

private:
    bool Recognises() const;
};

// Add Blinks: how many a minute, and the seed.
class BlinksDlg : public AnimateDlg {
public:
    enum : std::uint32_t { IdRate = IdFirstSetting, IdSeed };

    BlinksDlg(QWidget* owner, const LumoDocument& document);
    std::unique_ptr<KeyGenerator> MakeGenerator() const override;

    wingui::Field<float> perMinute{15.0f};
    SteppedField seed{1};

protected:
    void BindSettings() override;
};

// Candle Flicker: amount, speed, whether the hue wanders too, and the seed.
class FlickerDlg : public AnimateDlg {
public:
    enum : std::uint32_t { IdAmount = IdFirstSetting, IdSpeed, IdHue, IdSeed };

    FlickerDlg(QWidget* owner, const LumoDocument& document);
    std::unique_ptr<KeyGenerator> MakeGenerator() const override;

    wingui::Field<float> amount{0.1f};
    wingui::Field<float> speed{1.0f};
    wingui::Field<bool> hue{false};
    SteppedField seed{1};

protected:
    void BindSettings() override;
};

} // namespace vel::lumo
