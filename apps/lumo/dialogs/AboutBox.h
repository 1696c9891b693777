#pragma once

#include "apps/lumo/dialogs/VersionInfo.h"

#include <QDialog>

namespace vel::lumo {

// The product title, version, legal line, icon and notice in a small
// borderless box over the main window, which stays blocked until any click
// or key closes the box.
class AboutBox : public QDialog {
public:
    static constexpr int Width = 480;
    static constexpr int Height = 360;
    static constexpr int IconSize = 64;

    explicit AboutBox(QWidget* owner, VersionInfo version = VersionInfo::Program());

    // Shows the box over the owner until it is closed.
    static void Show(QWidget* owner);

    static QString Notice();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    VersionInfo version_;
};

} // namespace vel::lumo
