// Shows a button bar with one button held down and an options dialog with one
// unacceptable entry, then saves a picture of the whole screen. Run it under
// a real display server, for example: xvfb-run -s "-screen 0 900x420x24" wingui_screenshot out.png
#include "wingui/ButtonBar.h"
#include "wingui/OptionsDlg.h"
#include "wingui/UpDownEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

using namespace vel::wingui;

class LoopCount : public Field<unsigned int> {
public:
    using Field::Field;
    bool IsValid() const override { return value >= 1 && value <= 999; }
    void Step(std::int32_t delta) override { value += static_cast<unsigned>(delta); }
};

enum : std::uint32_t { kName = 10001, kLoops = 10005, kIntent = 10009, kBurn = 10013 };

class SampleDlg : public OptionsDlg<SampleDlg> {
public:
    explicit SampleDlg(QWidget* owner) : OptionsDlg(owner) {
        setWindowTitle("Sample Options");
        auto* form = new QFormLayout(this);
        auto* name = new QLineEdit(this);
        loops_ = new UpDownEdit(this);
        auto* intent = new QComboBox(this);
        intent->addItems({"Interpolate", "Rotate", "Hue", "Saturation", "Lightness"});
        auto* burn = new QCheckBox("Burn in the frame &counter", this);
        icon_ = new QLabel(this);
        status_ = new QLabel(this);
        auto* statusRow = new QHBoxLayout;
        statusRow->addWidget(icon_);
        statusRow->addWidget(status_, 1);
        form->addRow("&Name:", name);
        form->addRow("&Loops:", loops_);
        form->addRow("&Intent:", intent);
        form->addRow(burn);
        form->addRow(statusRow);
        form->addRow(ButtonBox());
        AddControl(kName, name);
        AddControl(kLoops, loops_);
        AddControl(kIntent, intent);
        AddControl(kBurn, burn);
    }

    UpDownEdit* Loops() const { return loops_; }

protected:
    void BindFields() override {
        Bind(kName, name_);
        Bind(kLoops, loops_field_);
        Bind(kIntent, intent_);
        Bind(kBurn, burn_);
    }
    void UpdateStatus() override {
        const bool ok = loops_field_.IsValid();
        const StatusIcon kind = ok ? StatusIcon::Information : StatusIcon::Error;
        icon_->setPixmap(Icon(kind).pixmap(16, 16));
        status_->setText(ok ? "Ready." : "The number of loops must be between 1 and 999.");
    }

private:
    Field<std::string> name_{"Mouth OOO"};
    LoopCount loops_field_{1};
    Field<std::string> intent_{"Interpolate"};
    Field<bool> burn_{false};
    UpDownEdit* loops_;
    QLabel* icon_;
    QLabel* status_;
};

class Commands : public ButtonBarTarget {
public:
    void OnBarCommand(std::uint32_t) override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "wingui.png";

    QMainWindow window;
    window.setWindowTitle("Button Bar");
    Commands commands;
    auto* bar = new ButtonBar(&window, &commands);
    bar->AddButton(301, "|<", ButtonKind::Push);
    bar->AddButton(302, "<<", ButtonKind::Autorepeat);
    bar->AddButton(303, ">", ButtonKind::Push);
    bar->AddButton(304, ">>", ButtonKind::Autorepeat);
    bar->AddButton(305, ">|", ButtonKind::Push);
    bar->AddButton(106, "Export Video...", ButtonKind::Push);
    bar->Create();
    window.setCentralWidget(new QWidget(&window));
    window.setMenuWidget(bar);
    bar->setFixedHeight(28);
    window.setGeometry(20, 20, 380, 120);
    window.show();

    SampleDlg dialog(&window);
    dialog.show();
    dialog.move(430, 20);

    QTimer::singleShot(500, [&] {
        // Hold the third button down with a real press, and type an
        // unacceptable loop count.
        const QPoint p = bar->Buttons()[2].rect.center();
        QMouseEvent press(QEvent::MouseButtonPress, p, bar->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        dialog.Loops()->Edit()->setText("0");
    });
    QTimer::singleShot(1200, [&] {
        const bool saved = window.screen()->grabWindow(0).save(out);
        std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
