// Drives the real main window on a document with random clicks, drags, keys,
// pop-up menu choices, dialog answers and undo/redo for a given time. Every
// hundred actions it saves a copy of the document and checks that the file
// opens and saves back byte for byte; at the end it undoes everything and
// checks that shapes, poses, knobs, anchors and audio are the document's
// again. Prints what it did; exits non-zero on a finding. A process that
// hangs is ended by an alarm.
//
//   lumo-monkey DOCUMENT [SECONDS] [SEED]

#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PopupMenu.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/render/TargetMapping.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "tests/support/InstalledRunner.h"
#include "wingui/DialogRunner.h"
#include "wingui/FileDialog.h"
#include "wingui/InplaceEditBox.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <unistd.h>

namespace vel::lumo {
namespace {

using Clock = std::chrono::steady_clock;

class Monkey : public PopupMenuRunner,
               public wingui::DialogRunner,
               public wingui::FileDialogRunner {
public:
    Monkey(LumoWnd& window, std::uint32_t seed, QString folder)
        : window_(window), random_(seed), folder_(std::move(folder)) {}
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    void Act();
    bool CheckFile();

    // A random leaf of the menu, or none now and then.
    QAction* Run(QMenu& menu, QPoint) override {
        std::vector<QAction*> leaves;
        CollectLeaves(menu, leaves);
        if (leaves.empty() || Chance(5)) {
            return nullptr;
        }
        return leaves[Below(leaves.size())];
    }
    // A New Knob dialog gets a standard knob or a random key; a message is
    // read; anything else is cancelled.
    int Run(QDialog& dialog) override {
        if (qobject_cast<QMessageBox*>(&dialog) != nullptr) {
            ++messages;
            return QMessageBox::Ok;
        }
        auto* knob = dynamic_cast<NewKnobDlg*>(&dialog);
        if (knob == nullptr) {
            return QDialog::Rejected;
        }
        knob->show();
        auto* list = static_cast<QListWidget*>(knob->Control(NewKnobDlg::IdStandardKnobs));
        if (Chance(2) && list->count() > 0) {
            list->setCurrentRow(int(Below(std::size_t(list->count()))));
        } else {
            auto* key = static_cast<QLineEdit*>(knob->Control(NewKnobDlg::IdKey));
            key->selectAll();
            QTest::keyClicks(key, QString::fromStdString(Letters(1 + Below(8))));
        }
        if (Chance(4)) {
            knob->reject();
            return QDialog::Rejected;
        }
        QTest::mouseClick(knob->OkButton(), Qt::LeftButton);
        knob->hide();
        return knob->result();
    }
    bool Run(QFileDialog&) override { return false; }

    int messages = 0;
    int saves = 0;

private:
    testing::InstalledRunner<PopupMenuRunner> installedMenus_{this};
    testing::InstalledRunner<wingui::DialogRunner> installedDialogs_{this};
    testing::InstalledRunner<wingui::BasicFileDialog> installedFiles_{this};

    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    bool Chance(int oneIn) { return Below(std::size_t(oneIn)) == 0; }
    std::string Letters(std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            text += char('a' + Below(26));
        }
        return text;
    }
    // The show on the projector is left out: it would cover the editor and
    // hold its playback for the rest of the run.
    static bool StartsAShow(const QAction* action) {
        const uint32_t id = action->data().toUInt();
        return id == IdShowOnProjector || (id >= IdShowScreen1 && id <= IdShowScreen8);
    }
    static void CollectLeaves(QMenu& menu, std::vector<QAction*>& leaves) {
        for (QAction* action : menu.actions()) {
            if (action->menu() != nullptr) {
                CollectLeaves(*action->menu(), leaves);
            } else if (!action->isSeparator() && !StartsAShow(action)) {
                leaves.push_back(action);
            }
        }
    }
    QPoint Anywhere(const QWidget* pane) {
        return {int(Below(std::size_t(std::max(pane->width(), 1)))),
                int(Below(std::size_t(std::max(pane->height(), 1))))};
    }
    // A point of some shape, so that points are hit and dragged.
    QPoint NearAPoint() {
        const PreviewWnd* preview = window_.Preview();
        const Model& model = window_.GetDocument()->GetModel();
        if (model.GetShapeCount() == 0) {
            return Anywhere(preview);
        }
        const std::uint64_t shape = Below(model.GetShapeCount());
        const std::vector<Point> points =
            model.GetPosePoints(shape, Below(model.GetPoseCount(shape) + 1));
        if (points.empty()) {
            return Anywhere(preview);
        }
        const graphics::PointF p = TargetMapping(float(preview->width()), float(preview->height()))
                                       .ToTarget(points[Below(points.size())]);
        if (!(std::abs(p.x) < 1e6f && std::abs(p.y) < 1e6f)) {
            return Anywhere(preview);
        }
        return {int(p.x), int(p.y)};
    }
    Qt::KeyboardModifiers Modifiers() { return Chance(3) ? Qt::ShiftModifier : Qt::NoModifier; }
    void Click(QWidget* pane, QPoint p, Qt::MouseButton button) {
        QTest::mouseClick(pane, button, Modifiers(), p);
        if (button == Qt::RightButton) {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, p, pane->mapToGlobal(p));
            QApplication::sendEvent(pane, &menu);
        }
    }
    void Drag(QWidget* pane, QPoint from) {
        const Qt::KeyboardModifiers modifiers = Modifiers();
        QTest::mousePress(pane, Qt::LeftButton, modifiers, from);
        QPoint at = from;
        for (std::size_t i = 0, n = 1 + Below(6); i < n; ++i) {
            at += QPoint(int(Below(81)) - 40, int(Below(81)) - 40);
            QTest::mouseMove(pane, at);
        }
        if (Chance(6)) {
            QTest::keyClick(pane, Qt::Key_Escape);
        }
        QTest::mouseRelease(pane, Qt::LeftButton, modifiers, at);
    }
    void Key(QWidget* pane) {
        static const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Delete, Qt::Key_Escape, Qt::Key_Left,
                                       Qt::Key_Right, Qt::Key_Home,   Qt::Key_End,    Qt::Key_A};
        QTest::keyClick(pane, keys[Below(std::size(keys))]);
    }
    void OnShapes();

    LumoWnd& window_;
    std::mt19937 random_;
    QString folder_;
};

void Monkey::OnShapes() {
    ShapeWnd* shapes = window_.Shapes();
    const std::uint64_t lines = window_.GetDocument()->GetModel().GetShapeCount() + 2;
    const QPoint line =
        Chance(2) ? shapes->ShapeLine(Below(lines)) : shapes->PoseLine(Below(6), int(Below(3)));
    switch (Below(4)) {
    case 0:
        Click(shapes, line, Qt::LeftButton);
        break;
    case 1:
        Click(shapes, line, Qt::RightButton);
        break;
    case 2:
        QTest::mouseDClick(shapes, Qt::LeftButton, {}, line);
        break;
    default:
        Key(shapes);
        break;
    }
    // A rename in progress is finished or abandoned.
    auto* box = shapes->findChild<wingui::InplaceEditBox*>();
    if (box != nullptr && box->isVisible()) {
        if (Chance(3)) {
            box->selectAll();
        }
        QTest::keyClicks(box, QString::fromStdString(Letters(Below(5))));
        QTest::keyClick(box, Chance(4) ? Qt::Key_Escape : Qt::Key_Return);
    }
}

void Monkey::Act() {
    PreviewWnd* preview = window_.Preview();
    TimelineWnd* timeline = window_.Timeline();
    switch (Below(12)) {
    case 0:
    case 1:
        Click(preview, Chance(2) ? NearAPoint() : Anywhere(preview), Qt::LeftButton);
        break;
    case 2:
    case 3:
        Drag(preview, Chance(3) ? Anywhere(preview) : NearAPoint());
        break;
    case 4:
        Click(preview, Chance(2) ? NearAPoint() : Anywhere(preview), Qt::RightButton);
        break;
    case 5:
        Key(preview);
        break;
    case 6:
    case 7:
        OnShapes();
        break;
    case 8:
        Click(timeline, Anywhere(timeline), Chance(3) ? Qt::RightButton : Qt::LeftButton);
        break;
    case 9:
        Drag(timeline, Anywhere(timeline));
        break;
    case 10:
        window_.OnCommand(IdUndo);
        break;
    default:
        window_.OnCommand(IdRedo);
        break;
    }
    QApplication::processEvents();
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves the document and opens the file again; null when either fails.
std::unique_ptr<LumoDocument> SaveAndOpen(const LumoDocument& document, const std::string& path) {
    LumoDocument copy(document);
    core::FileError error;
    if (!copy.Save(path)) {
        std::cerr << "saving " << path << " failed\n";
        return nullptr;
    }
    auto reopened = LumoDocument::Open(path, error);
    if (!reopened) {
        std::cerr << path << " does not open (error " << error.Code() << ")\n";
    }
    return reopened;
}

// Loading starts from the three candle knobs, so a document whose knob list
// does not begin with them comes back in that order; and the frame count is
// worked out afresh on loading, so one that kept the length of a deleted last
// anchor comes back shorter. Such a file settles after one round. Every
// other file must save back byte for byte.
bool StartsWithCandleKnobs(const LumoDocument& document) {
    const std::vector<Knob> knobs = document.GetKnobs();
    const std::vector<Knob>& standard = document.GetStandardKnobs();
    return knobs.size() >= 3 && knobs[0].key == standard[0].key &&
           knobs[1].key == standard[1].key && knobs[2].key == standard[2].key;
}

bool Monkey::CheckFile() {
    ++saves;
    const std::string paths[3] = {(folder_ + "/first.glw").toStdString(),
                                  (folder_ + "/second.glw").toStdString(),
                                  (folder_ + "/third.glw").toStdString()};
    const auto second = SaveAndOpen(*window_.GetDocument(), paths[0]);
    const auto third = second ? SaveAndOpen(*second, paths[1]) : nullptr;
    if (!third || !LumoDocument(*third).Save(paths[2])) {
        return false;
    }
    const LumoDocument& document = *window_.GetDocument();
    const bool settled =
        StartsWithCandleKnobs(document) && document.GetFrameCount() == second->GetFrameCount();
    const std::size_t from = settled ? 0 : 1;
    for (std::size_t i = from; i < 2; ++i) {
        if (Contents(QString::fromStdString(paths[i])) !=
            Contents(QString::fromStdString(paths[i + 1]))) {
            std::cerr << "a saved file saves back different bytes (round " << i + 1 << ")\n";
            return false;
        }
    }
    return true;
}

// Knobs compare by key: undoing a knob's deletion puts it back at the end of
// the list.
std::vector<Knob> KnobsByKey(const LumoDocument& document) {
    std::vector<Knob> knobs = document.GetKnobs();
    std::sort(knobs.begin(), knobs.end(),
              [](const Knob& a, const Knob& b) { return a.key < b.key; });
    return knobs;
}

// Names what differs between the two documents' contents; empty when nothing.
std::string Difference(const LumoDocument& a, const LumoDocument& b) {
    const Model& ma = a.GetModel();
    const Model& mb = b.GetModel();
    if (ma.GetShapeCount() != mb.GetShapeCount()) {
        return "shape count";
    }
    for (std::uint64_t i = 0; i < ma.GetShapeCount(); ++i) {
        if (!(a.GetShape(i) == b.GetShape(i))) {
            return "shape " + std::to_string(i);
        }
    }
    if (KnobsByKey(a) != KnobsByKey(b)) {
        return "knobs";
    }
    if (a.GetTimeline().GetTracks() != b.GetTimeline().GetTracks()) {
        return "anchors";
    }
    if (!(a.GetAudio() == b.GetAudio())) {
        return "audio";
    }
    return {};
}

int RunMonkey(const std::string& path, int seconds, std::uint32_t seed) {
    QTemporaryDir folder;
    const QString working = folder.path() + "/monkey.glw";
    if (!QFile::copy(QString::fromStdString(path), working)) {
        std::cerr << "cannot copy " << path << "\n";
        return 2;
    }
    core::FileError error;
    const auto original = LumoDocument::Open(path, error);
    if (!original) {
        std::cerr << "cannot open " << path << "\n";
        return 2;
    }
    // Said first, so that a run the sanitizers end can be repeated.
    std::cout << "seed " << seed << std::endl;
    LumoWnd window;
    window.resize(1200, 860);
    if (!window.OpenFile(working.toStdString())) {
        return 2;
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::cerr << "the window does not show\n";
        return 2;
    }
    Monkey monkey(window, seed, folder.path());

    long actions = 0;
    int findings = monkey.CheckFile() ? 0 : 1;
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        monkey.Act();
        if (++actions % 100 == 0 && !monkey.CheckFile()) {
            ++findings;
        }
    }
    window.Preview()->CancelMode();
    window.Timeline()->CancelMode();
    const std::size_t edits = window.GetDocument()->GetUndoCount();
    while (window.GetDocument()->GetUndoCount() > 0) {
        const std::size_t before = window.GetDocument()->GetUndoCount();
        window.OnCommand(IdUndo);
        if (window.GetDocument()->GetUndoCount() >= before) {
            std::cerr << "an undo did not go back\n";
            ++findings;
            break;
        }
    }
    if (const std::string difference = Difference(*window.GetDocument(), *original);
        !difference.empty()) {
        std::cerr << "undoing everything did not bring back the " << difference << "\n";
        ++findings;
    }
    std::cout << "seed " << seed << ": " << actions << " actions, " << monkey.saves
              << " save checks, " << edits << " edits undone at the end, " << monkey.messages
              << " messages, " << findings << " findings" << std::endl;
    return findings == 0 ? 0 : 1;
}

} // namespace
} // namespace vel::lumo

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: lumo-monkey DOCUMENT [SECONDS] [SEED]\n";
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    const auto seed = argc > 3 ? std::uint32_t(std::strtoul(argv[3], nullptr, 10))
                               : std::uint32_t(std::random_device{}());
    // A hung window ends the run instead of stalling the tests.
    alarm(unsigned(seconds) * 2 + 120);
    // Settings, autosaved copies and document locks of the run stay out of
    // the user's own folders.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_STATE_HOME", (home.path() + "/state").toUtf8());
    QApplication app(argc, argv);
    return vel::lumo::RunMonkey(argv[1], seconds, seed);
}
