#pragma once

#include "apps/lumo/model/ExpressionKeys.h"
#include "wingui/Field.h"
#include "wingui/OptionsDlg.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// Which knob each of the keys 1 to 9 holds, chosen from the document's
// knobs or none. It changes nothing itself: after OK the caller reads Keys.
class ExpressionKeysDlg : public wingui::OptionsDlg<ExpressionKeysDlg> {
public:
    // The keys' lists take the ids from here on, key 1 first.
    static constexpr std::uint32_t IdFirstKey = 12001;
    // The list's first item.
    static constexpr const char* NoKnob = "(none)";

    ExpressionKeysDlg(QWidget* owner, const LumoDocument& document);

    ExpressionKeys Keys() const;
    // Shows the dialog through the dialog runner; true on OK.
    bool Run();

protected:
    void BindFields() override;

private:
    // Each knob's item in the lists, with the knob's key beside its name, so
    // that two knobs of one name stay apart.
    std::vector<std::pair<std::string, KnobKey>> choices_;
    std::array<wingui::Field<std::string>, ExpressionKeyCount> fields_;
};

// The Expression Keys command: asks which knobs the keys hold and gives them
// to the document as one undoable step. Answers whether anything changed.
bool ChooseExpressionKeys(QWidget* owner, LumoDocument& document);

} // namespace vel::lumo
