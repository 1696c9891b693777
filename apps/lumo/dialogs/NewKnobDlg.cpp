#include "apps/lumo/dialogs/NewKnobDlg.h"

#include "apps/lumo/document/KnobEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "wingui/ControlText.h"
#include "wingui/DialogRunner.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>

namespace vel::lumo {

namespace {

// Places controls in dialog units: a quarter of the average character width
// across, an eighth of the line height down.
class DialogUnits {
public:
    // The width is the mean width of the letters, as dialog templates count it.
    explicit DialogUnits(const QWidget* dialog) {
        const QFontMetrics metrics(dialog->font());
        const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        x_ = metrics.horizontalAdvance(letters) / 52.0 / 4.0;
        y_ = metrics.height() / 8.0;
    }
    QRect Rect(int x, int y, int w, int h) const {
        return {qRound(x * x_), qRound(y * y_), qRound(w * x_), qRound(h * y_)};
    }
    template <class W> W* Place(W* widget, int x, int y, int w, int h) const {
        widget->setGeometry(Rect(x, y, w, h));
        return widget;
    }

private:
    double x_ = 1;
    double y_ = 1;
};

} // namespace

NewKnobDlg::NewKnobDlg(QWidget* owner, const LumoDocument& document, std::uint32_t mode)
    : OptionsDlg(owner), mode_(mode), standardKnobs_(document.GetStandardKnobs()),
      rules_(document.GetKnobs(), standardKnobs_) {
    setWindowTitle(QStringLiteral("New Knob"));
    BuildControls();
}

// The hints about the default texts follow the focus.
bool NewKnobDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool eaten = OptionsDlg::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        UpdateStatus();
    }
    return eaten;
}

void NewKnobDlg::BuildControls() {
    const DialogUnits du(this);
    setFixedSize(du.Rect(0, 0, 286, 186).size());

    auto* frame = du.Place(new QWidget(this), 0, 0, 286, 160);
    frame->setAutoFillBackground(true);
    QPalette white = frame->palette();
    white.setColor(QPalette::Window, Qt::white);
    frame->setPalette(white);

    const auto label = [&](const char* text, int x, int y, int w, int h) {
        return du.Place(new QLabel(QString::fromUtf8(text), this), x, y, w, h);
    };
    const auto edit = [&](std::uint32_t id, int x, int y, int w, int h) {
        auto* box = du.Place(new QLineEdit(this), x, y, w, h);
        AddControl(id, box);
        return box;
    };
    label("&Name:", 8, 8, 24, 8)->setBuddy(edit(IdName, 36, 8, 120, 10));
    QLineEdit* key = edit(IdKey, 36, 24, 40, 10);
    key->setMaxLength(KnobKeyField::MaxLength);
    key->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9]{0,8}"), key));
    label("&Key:", 8, 24, 24, 8)->setBuddy(key);
    auto* intent = du.Place(new QComboBox(this), 36, 40, 56, 10);
    AddControl(IdIntent, intent);
    label("&Intent:", 8, 40, 24, 8)->setBuddy(intent);
    edit(IdMaxLabel, 36, 64, 40, 10);
    label("Value:", 94, 64, 20, 8);
    edit(IdMaxValue, 116, 64, 40, 10);
    label("&Typical:", 36, 80, 56, 8)->setBuddy(edit(IdTypical, 116, 80, 40, 10));
    edit(IdMinLabel, 36, 96, 40, 10);
    label("Value:", 94, 96, 20, 8);
    edit(IdMinValue, 116, 96, 40, 10);
    standardList_ = du.Place(new QListWidget(this), 180, 16, 100, 144);
    AddControl(IdStandardKnobs, standardList_);
    label("&Standard Knobs:", 180, 8, 100, 8)->setBuddy(standardList_);
    connect(standardList_, &QListWidget::itemSelectionChanged, this,
            &NewKnobDlg::ChooseStandardKnob);

    statusText_ = label("", 28, 112, 144, 48);
    statusText_->setWordWrap(true);
    statusText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AddControl(IdStatusText, statusText_);
    statusIcon_ = label("", 8, 112, 16, 16);
    AddControl(IdStatusIcon, statusIcon_);
    du.Place(ButtonBox(), 170, 166, 108, 14);
    SetToolTips({
        {IdName, "The knob's name, as the timeline's row and the pose menus show it"},
        {IdKey, "Up to 8 letters and digits, different from every other knob's; the file "
                "and the poses know the knob by it"},
        {IdIntent, "What the knob is for: only an Interpolate knob can drive a pose, blending "
                   "the shape toward it"},
        {IdMaxLabel, "The name of the knob's one end, such as Open"},
        {IdMaxValue, "The value at that end; its pose shows the shape there"},
        {IdTypical, "The value the knob's row starts with, at frame 0, before any spider"},
        {IdMinLabel, "The name of the knob's other end, such as Closed"},
        {IdMinValue, "The value at the other end"},
        {IdStandardKnobs, "Ready-made knobs: choosing one fills in every field"},
    });
}

void NewKnobDlg::BindFields() {
    for (const auto& [id, field] : Fields()) {
        Bind(id, *field);
    }

    auto* intent = static_cast<QComboBox*>(Control(IdIntent));
    intent->clear();
    for (std::string_view name : KnobIntentNames()) {
        intent->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    intent->setEnabled(!IsPoseMode());
    FillStandardKnobs();
}

void NewKnobDlg::FillStandardKnobs() {
    const QSignalBlocker quiet(standardList_);
    standardList_->clear();
    for (std::size_t i = 0; i < standardKnobs_.size(); ++i) {
        const Knob& knob = standardKnobs_[i];
        if (IsPoseMode() && knob.intent != Knob::Intent::Interpolate) {
            continue;
        }
        auto* item = new QListWidgetItem(QString::fromStdString(knob.name), standardList_);
        item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    }
}

// The intent comes along too, so that a standard knob taken from the list is
// that standard knob in every field.
void NewKnobDlg::ChooseStandardKnob() {
    const QList<QListWidgetItem*> chosen = standardList_->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const Knob& knob = standardKnobs_.at(chosen.front()->data(Qt::UserRole).toULongLong());
    key_.value = knob.key.Text();
    name_.value = knob.name;
    intent_.value = knob.intent;
    typical_.value = knob.typical;
    maxLabel_.value = knob.maxLabel;
    maxValue_.value = knob.maxValue;
    minLabel_.value = knob.minLabel;
    minValue_.value = knob.minValue;
    for (const auto& [id, field] : Fields()) {
        const QSignalBlocker quiet(Control(id));
        wingui::ShowControlText(Control(id), field->ToText());
    }
    Refresh();
}

// In the order the controls are bound.
std::array<std::pair<std::uint32_t, wingui::FieldBase*>, 8> NewKnobDlg::Fields() {
    return {{{IdName, &name_},
             {IdKey, &key_},
             {IdIntent, &intent_},
             {IdMaxLabel, &maxLabel_},
             {IdMaxValue, &maxValue_},
             {IdTypical, &typical_},
             {IdMinLabel, &minLabel_},
             {IdMinValue, &minValue_}}};
}

Knob NewKnobDlg::GetKnob() const {
    return Knob{key_.Key(),      name_.value,     typical_.value,  minLabel_.value,
                minValue_.value, maxLabel_.value, maxValue_.value, intent_.value};
}

bool NewKnobDlg::IsFieldValid(std::uint32_t controlId) const {
    if (!OptionsDlgBase::IsFieldValid(controlId)) {
        return false;
    }
    switch (controlId) {
    case IdName:
        return rules_.IsNameAcceptable(GetKnob());
    case IdKey:
        return rules_.IsKeyAcceptable(GetKnob());
    case IdTypical:
        return NewKnobRules::IsTypicalAcceptable(GetKnob());
    default:
        return true;
    }
}

bool NewKnobDlg::HasFocusWithText(std::uint32_t controlId, const char* text) const {
    const auto* box = static_cast<const QLineEdit*>(Control(controlId));
    return box->hasFocus() && box->text() == QString::fromUtf8(text);
}

void NewKnobDlg::UpdateStatus() {
    const KnobStatusContext context{IsFieldValid(IdTypical), HasFocusWithText(IdName, "New Knob"),
                                    HasFocusWithText(IdKey, "newknob")};
    const std::optional<KnobStatus> status = rules_.Status(GetKnob(), context);
    statusText_->setVisible(status.has_value());
    statusIcon_->setVisible(status.has_value());
    if (!status) {
        return;
    }
    statusText_->setText(QString::fromStdString(status->text));
    const int side = statusIcon_->width();
    statusIcon_->setPixmap(
        Icon(static_cast<StatusIcon>(static_cast<int>(status->icon))).pixmap(side, side));
}

bool NewKnobDlg::Run() {
    return wingui::DialogRunner::Exec(*this) == QDialog::Accepted;
}

std::optional<Knob> AskNewKnob(QWidget* owner, const LumoDocument& document, std::uint32_t mode) {
    NewKnobDlg dialog(owner, document, mode);
    if (!dialog.Run()) {
        return std::nullopt;
    }
    return dialog.GetKnob();
}

bool AddNewKnob(QWidget* owner, LumoDocument& document) {
    const std::optional<Knob> knob = AskNewKnob(owner, document, 0);
    return knob && AddKnob(document, *knob);
}

} // namespace vel::lumo
