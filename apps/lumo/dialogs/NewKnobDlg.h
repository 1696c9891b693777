#pragma once

#include "apps/lumo/dialogs/IntentField.h"
#include "apps/lumo/dialogs/KnobKeyField.h"
#include "apps/lumo/dialogs/NewKnobRules.h"
#include "apps/lumo/model/Knob.h"
#include "wingui/Field.h"
#include "wingui/OptionsDlg.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QListWidget;

namespace vel::lumo {

class LumoDocument;

// The dialog in which the user defines a knob the document does not have
// yet. It changes nothing itself: after OK the caller reads GetKnob.
class NewKnobDlg : public wingui::OptionsDlg<NewKnobDlg> {
public:
    enum ControlId : std::uint32_t {
        IdName = 11001,
        IdKey = 11002,
        IdIntent = 11003,
        IdTypical = 11004,
        IdMaxLabel = 11005,
        IdMaxValue = 11006,
        IdMinLabel = 11007,
        IdMinValue = 11008,
        IdStandardKnobs = 11009,
        IdStatusText = 10011,
        IdStatusIcon = 10012,
    };
    // Bit 0 of the mode word: the knob is for a pose, so it interpolates.
    static constexpr std::uint32_t PoseMode = 1;

    NewKnobDlg(QWidget* owner, const LumoDocument& document, std::uint32_t mode);

    Knob GetKnob() const;
    bool IsFieldValid(std::uint32_t controlId) const override;

    // Shows the dialog through the dialog runner; true on OK.
    bool Run();

protected:
    void BindFields() override;
    void UpdateStatus() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsPoseMode() const { return (mode_ & PoseMode) != 0; }
    std::array<std::pair<std::uint32_t, wingui::FieldBase*>, 8> Fields();
    void BuildControls();
    void FillStandardKnobs();
    void ChooseStandardKnob();
    bool HasFocusWithText(std::uint32_t controlId, const char* text) const;

    std::uint32_t mode_;
    std::vector<Knob> standardKnobs_;
    NewKnobRules rules_;

    wingui::Field<std::string> name_{"New Knob"};
    KnobKeyField key_{"newknob"};
    wingui::Field<Knob::Intent> intent_{Knob::Intent::Interpolate};
    wingui::Field<std::string> maxLabel_{"max"};
    wingui::Field<float> maxValue_{1.0f};
    wingui::Field<float> typical_{0.5f};
    wingui::Field<std::string> minLabel_{"min"};
    wingui::Field<float> minValue_{0.0f};

    QListWidget* standardList_ = nullptr;
    QLabel* statusText_ = nullptr;
    QLabel* statusIcon_ = nullptr;
};

// Asks for a knob the document does not have; the knob on OK, none on Cancel.
std::optional<Knob> AskNewKnob(QWidget* owner, const LumoDocument& document, std::uint32_t mode);

// The New Knob command: asks for a knob and adds it to the document as one
// undoable step. Answers whether a knob was added.
bool AddNewKnob(QWidget* owner, LumoDocument& document);

} // namespace vel::lumo
