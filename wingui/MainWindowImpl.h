#pragma once

#include "wingui/SettingsKey.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>

namespace vel::wingui {

// What every main window of a program shares: its settings, the placement and
// snapped state kept from one run to the next, the child that had the focus
// when the window was deactivated, the icons, and the quit that follows when
// the window closes.
class MainWindowBase : public QMainWindow {
public:
    explicit MainWindowBase(SettingsKey settings, QWidget* parent = nullptr);
    ~MainWindowBase() override;

    const SettingsKey& Settings() const { return settings_; }
    std::uint32_t ReadDword(const QString& name) const { return settings_.ReadDword(name); }
    bool WriteDword(const QString& name, std::uint32_t value) const {
        return settings_.WriteDword(name, value);
    }

    // Places and shows the window as it was saved; false when nothing usable
    // was saved (the window is then left as it is).
    bool RestorePlacement();
    // Snaps the window again; true for a saved state of 0 to 3.
    bool RestoreSnap();
    bool SavePlacement();
    bool SaveSnap();
    void SetIcons();

    QWidget* FocusWindow() const { return focusWindow_; }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void OnClosed();
    void RestoreFocus();

    SettingsKey settings_;
    QIcon icon_;
    QPointer<QWidget> focusWindow_;
    bool closed_ = false;
};

// The main-window base of the program whose main window is T.
template <class T> class MainWindowImpl : public MainWindowBase {
public:
    using MainWindowBase::MainWindowBase;
};

} // namespace vel::wingui
