#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

class QFileDialog;
class QWidget;

namespace vel::wingui {

// Shows a configured file dialog and answers whether the user chose a file.
// The default shows it modally; tests install one that answers at once.
class FileDialogRunner {
public:
    virtual ~FileDialogRunner() = default;
    virtual bool Run(QFileDialog& dialog) = 0;
};

// What an open or save dialog asks and, after a successful showing, the path
// the user chose, as the file system's bytes.
class BasicFileDialog {
public:
    virtual ~BasicFileDialog() = default;

    // Shows the dialog over the owner: true when the user chose a file, which
    // is then in ChosenPath; false when cancelled, leaving ChosenPath as it was.
    virtual bool Show(QWidget* owner) = 0;

    const std::string& ChosenPath() const { return chosenPath_; }
    void SetTitle(const QString& title) { title_ = title; }
    // Without the dot; appended to a name typed without an extension.
    void SetDefaultExtension(const QString& extension) { defaultExtension_ = extension; }
    // A path as the file system's bytes; choosing it unchanged gives them back.
    void SetInitialName(const std::string& path) { initialName_ = path; }
    // Description and pattern, for example ("MPEG-4", "*.mp4"); the first is selected.
    void AddFilter(const QString& description, const QString& pattern);

    // Replaces the runner every file dialog uses; null restores the modal one.
    // Answers the previous runner.
    static FileDialogRunner* SetRunner(FileDialogRunner* runner);

protected:
    enum class Mode { Open, Save };
    bool ShowAs(Mode mode, QWidget* owner);

private:
    std::string chosenPath_;
    QString title_;
    QString defaultExtension_;
    std::string initialName_;
    std::vector<std::pair<QString, QString>> filters_;
};

class FileOpenDialog : public BasicFileDialog {
public:
    bool Show(QWidget* owner) override { return ShowAs(Mode::Open, owner); }
};

class FileSaveDialog : public BasicFileDialog {
public:
    bool Show(QWidget* owner) override { return ShowAs(Mode::Save, owner); }
};

} // namespace vel::wingui
