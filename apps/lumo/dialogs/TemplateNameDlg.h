#pragma once

#include "wingui/Field.h"
#include "wingui/OptionsDlg.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

class QLabel;

namespace vel::lumo {

// Asks the name under which Save as Template keeps the face among the
// user's own. It changes nothing itself: after OK the caller reads GetName.
class TemplateNameDlg : public wingui::OptionsDlg<TemplateNameDlg> {
public:
    enum ControlId : std::uint32_t { IdName = 13001, IdStatusText = 13002 };

    // The folder decides which names are taken already.
    TemplateNameDlg(QWidget* owner, QString folder);

    QString GetName() const;
    bool IsFieldValid(std::uint32_t controlId) const override;

    // Shows the dialog through the dialog runner; true on OK.
    bool Run();

protected:
    void BindFields() override;
    void UpdateStatus() override;

private:
    QString folder_;
    wingui::Field<std::string> name_{"My Face"};
    QLabel* statusText_ = nullptr;
};

// The name for Save as Template, or none on Cancel.
std::optional<QString> AskTemplateName(QWidget* owner, const QString& folder);

} // namespace vel::lumo
