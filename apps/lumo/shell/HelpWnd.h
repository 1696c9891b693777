#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace vel::lumo {

// The program's own help window: the tutorial with its pictures, or the list
// of keys and gestures, read and drawn inside the program so that it never
// depends on which viewer the desktop would pick. It is a window of its own,
// not kept above the main one, so the user can follow it and work in turn.
class HelpWnd : public QDialog {
public:
    // Sized for the screen the owner is on.
    explicit HelpWnd(const QWidget* owner);

    void ShowTutorial();
    void ShowShortcuts();
    QTextBrowser* Browser() const { return browser_; }

    // The tutorial installed with the program, else the one beside its
    // sources; empty when there is neither.
    static QString TutorialPath();

protected:
    // Fits the pictures again whenever the page changes width.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Present(const QString& title);
    // Narrows the pictures wider than the page to its width.
    void FitPictures();

    QTextBrowser* browser_;
};

} // namespace vel::lumo
