#pragma once

#include "wingui/Field.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

// A path completed as the user types it: an empty name becomes "lumo", a
// relative one lands in the default folder, one without an extension gains
// the default extension, and "." and ".." are resolved. Wildcards are refused.
class FileNameField : public wingui::Field<std::string> {
public:
    // The extension may be given with or without its dot; an empty folder
    // leaves relative paths as they are.
    FileNameField(const std::string& initial, const std::string& defaultExtension,
                  std::string defaultFolder);

    bool FromText(const std::string& text) override;
    bool IsValid() const override;

    // With its dot, as ".mp4".
    const std::string& DefaultExtension() const { return defaultExtension_; }

private:
    std::string defaultExtension_;
    std::string defaultFolder_;
};

// A whole number that the arrows move by one step, staying as it is where a
// step would leave 0 .. 4294967295.
class SteppedField : public wingui::Field<unsigned int> {
public:
    using Field::Field;
    void Step(std::int32_t delta) override;
};

// How often the range plays: at least once.
class LoopCountField : public SteppedField {
public:
    using SteppedField::SteppedField;
    bool IsValid() const override { return value > 0; }
};

// How many minutes the video plays for at least: 0 for no least length, at
// most MaximumMinutes.
class MinutesField : public SteppedField {
public:
    using SteppedField::SteppedField;
    bool IsValid() const override;
};

// A frame number shown as a 29.97 drop-frame timecode; typed as a timecode or
// a frame number. Any text reads (as frame 0 when it means nothing).
class TimecodeField : public SteppedField {
public:
    using SteppedField::SteppedField;
    std::string ToText() const override;
    bool FromText(const std::string& text) override;
};

} // namespace vel::lumo
