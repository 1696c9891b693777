#pragma once

#include "wingui/Field.h"

#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QList>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>

class QPushButton;

namespace vel::wingui {

// A modal dialog whose controls are bound by id to fields. It keeps controls
// and fields in step on every change, paints unacceptable edits light pink,
// enables OK only while every field is acceptable and opens centred over its
// owner, inside the screen, with the focus in its first field. Concrete
// dialogs add their controls, place the OK/Cancel box and bind their fields in
// BindFields.
class OptionsDlgBase : public QDialog {
public:
    enum class StatusIcon { Information, Warning, Error };
    static constexpr std::uint32_t kOk = 1;
    static constexpr std::uint32_t kCancel = 2;
    static constexpr QColor kErrorColor{255, 204, 204};

    explicit OptionsDlgBase(QWidget* owner);
    ~OptionsDlgBase() override;

    void setVisible(bool visible) override;
    // Ends with OK only while every field is acceptable.
    void accept() override;
    void done(int result) override;

    // Whether the field bound to the control is acceptable; false for a
    // control without a field. Dialogs may add conditions.
    virtual bool IsFieldValid(std::uint32_t controlId) const;
    bool AllFieldsValid() const;

    QIcon Icon(StatusIcon icon) const;
    QWidget* Control(std::uint32_t controlId) const;
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

protected:
    // Called while the dialog opens: bind the fields and prepare the controls.
    virtual void BindFields() = 0;
    // Called when the dialog has ended.
    virtual void OnClose() {}
    // Called after every change: refresh explanatory texts.
    virtual void UpdateStatus() {}

    // Registers a control under its id (check box, combo box, line edit,
    // UpDownEdit or label). Controls are children of the dialog.
    void AddControl(std::uint32_t controlId, QWidget* control);
    // Gives registered controls their tooltips: what each field means.
    void SetToolTips(std::initializer_list<std::pair<std::uint32_t, const char*>> tips);
    // Binding an id again replaces its field. The field outlives the dialog window.
    void Bind(std::uint32_t controlId, FieldBase& field);
    QDialogButtonBox* ButtonBox() const { return buttons_; }
    // Brings the status, OK and the error colours up to date, as after a change.
    void Refresh();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Open();
    QList<QWidget*> FocusableFields() const;
    void OrderFocus(const QList<QWidget*>& fields);
    void FitAndCentre();
    void FitInto(const QSize& room);
    void OnControlChanged(std::uint32_t controlId);
    void OnStep(std::uint32_t controlId, int delta);
    FieldBase* BoundField(std::uint32_t controlId) const;

    std::map<std::uint32_t, FieldBase*> bindings_;
    std::map<std::uint32_t, QWidget*> controls_;
    std::map<QObject*, std::uint32_t> editIds_;
    std::array<QIcon, 3> icons_;
    QDialogButtonBox* buttons_;
    bool open_ = false;
};

// The options dialog template: T is the concrete dialog.
template <class T> class OptionsDlg : public OptionsDlgBase {
public:
    using OptionsDlgBase::OptionsDlgBase;
};

} // namespace vel::wingui
