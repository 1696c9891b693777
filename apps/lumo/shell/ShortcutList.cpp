#include "apps/lumo/shell/ShortcutList.h"

#include "apps/lumo/shell/KeyTable.h"

#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace vel::lumo {

namespace {

constexpr std::array PreviewKeys{
    PaneKey{Qt::Key_Space, Qt::NoModifier,
            "Start a new shape; the next click places its first web"},
    PaneKey{Qt::Key_0, Qt::ControlModifier, "Show the whole picture again (Fit Preview)"},
    PaneKey{Qt::Key_BracketLeft, Qt::NoModifier, "Make the photo to trace fainter"},
    PaneKey{Qt::Key_BracketRight, Qt::NoModifier, "Make the photo to trace stronger"},
};

constexpr std::array PreviewGestures{
    Gesture{"Click",
            "Add a web (a point) to the selected shape; with no shape selected, start one"},
    Gesture{"Click inside another shape", "Select that shape"},
    Gesture{"Drag a web", "Move that point, in the pose being edited"},
    Gesture{"Shift+drag inside the selected shape",
            "Move the whole shape, or its outline in the pose being edited"},
    Gesture{"Right-click a shape", "Delete Shape, Illumination (Candle Color or Dark)"},
    Gesture{"Right-click a web", "Delete Web"},
    Gesture{"Ctrl+wheel", "Zoom in and out around the mouse"},
    Gesture{"Middle-drag, or Alt+drag", "Pan the zoomed picture"},
    Gesture{"Ctrl+drag", "Move the photo to trace (File > Trace Photo)"},
    Gesture{"Shift+wheel", "Make the photo to trace larger or smaller"},
    Gesture{"First click while the pane is not active", "Only activates the pane"},
    Gesture{"Escape while dragging", "Put everything back as it was"},
};

constexpr std::array<PaneKey, 0> ShapeKeys{};

constexpr std::array ShapeGestures{
    Gesture{"Click a shape's name", "Select the shape"},
    Gesture{"Click a pose's name", "Edit that pose alone"},
    Gesture{"Click a pose's first star", "Edit that pose, keeping the reference pose"},
    Gesture{"Click a pose's second star",
            "Make it the reference pose: its webs show in blue, for comparison"},
    Gesture{"Click New Shape", "Start a new shape"},
    Gesture{"Click New Pose...", "Give the shape a pose for a knob of your choice"},
    Gesture{"Double-click a shape's name", "Rename it: Enter keeps the name, Escape cancels"},
    Gesture{"Right-click a shape", "Delete Shape, Rename Shape"},
    Gesture{"Right-click a pose", "Change its knob, Delete Pose"},
};

constexpr std::array TimelineKeys{
    PaneKey{Qt::Key_Up, Qt::NoModifier, "Scroll the rows up by one"},
    PaneKey{Qt::Key_Down, Qt::NoModifier, "Scroll the rows down by one"},
    PaneKey{Qt::Key_PageUp, Qt::NoModifier, "Scroll the rows up by a page"},
    PaneKey{Qt::Key_PageDown, Qt::NoModifier, "Scroll the rows down by a page"},
    PaneKey{Qt::Key_Up, Qt::ControlModifier, "Scroll the rows up by a page"},
    PaneKey{Qt::Key_Down, Qt::ControlModifier, "Scroll the rows down by a page"},
    PaneKey{Qt::Key_Plus, Qt::ControlModifier, "Zoom in"},
    PaneKey{Qt::Key_Equal, Qt::ControlModifier, "Zoom in"},
    PaneKey{Qt::Key_Minus, Qt::NoModifier, "Zoom out"},
    PaneKey{Qt::Key_0, Qt::ControlModifier, "Back to the usual zoom"},
};

constexpr std::array TimelineGestures{
    Gesture{"Click a knob's row", "Set a spider (a key value) at that frame"},
    Gesture{"Drag a spider", "Up and down: change its value; left and right: move it in time"},
    Gesture{"Double-click a spider",
            "Type its value: Enter sets it within the knob's range, Escape cancels"},
    Gesture{"Click or drag the ruler", "Move the frame cursor"},
    Gesture{"Right-click", "Delete Spider, New Knob, Delete Knob, Zoom In, Zoom Out"},
    Gesture{"Double-click the sound strip", "Load Audio"},
    Gesture{"Wheel", "Scroll the rows"},
    Gesture{"Ctrl+wheel", "Zoom in and out"},
    Gesture{"First click while the pane is not active", "Only activates the pane"},
    Gesture{"Escape while dragging", "Put the spider back as it was"},
};

// The show's handles answer only while F shows them, so that a stray key
// cannot change a running show.
constexpr std::array ShowKeys{
    PaneKey{Qt::Key_Space, Qt::NoModifier, "Pause the show, or play on"},
    PaneKey{Qt::Key_Escape, Qt::NoModifier, "End the show"},
    PaneKey{Qt::Key_F11, Qt::NoModifier, "End the show"},
    PaneKey{Qt::Key_F, Qt::NoModifier, "Show or hide the fit's handles"},
    PaneKey{Qt::Key_Tab, Qt::NoModifier, "Select the next handle"},
    PaneKey{Qt::Key_Tab, Qt::ShiftModifier, "Select the handle before"},
    PaneKey{Qt::Key_Left, Qt::NoModifier, "Move the selected handle by a screen pixel"},
    PaneKey{Qt::Key_Right, Qt::NoModifier, "Move the selected handle by a screen pixel"},
    PaneKey{Qt::Key_Up, Qt::NoModifier, "Move the selected handle by a screen pixel"},
    PaneKey{Qt::Key_Down, Qt::NoModifier, "Move the selected handle by a screen pixel"},
    PaneKey{Qt::Key_Left, Qt::ShiftModifier, "Move the selected handle by ten screen pixels"},
    PaneKey{Qt::Key_Right, Qt::ShiftModifier, "Move the selected handle by ten screen pixels"},
    PaneKey{Qt::Key_Up, Qt::ShiftModifier, "Move the selected handle by ten screen pixels"},
    PaneKey{Qt::Key_Down, Qt::ShiftModifier, "Move the selected handle by ten screen pixels"},
    PaneKey{Qt::Key_G, Qt::NoModifier, "Bend the face with a 3 × 3 grid of handles, or not"},
    PaneKey{Qt::Key_R, Qt::NoModifier,
            "Reset the fit while F shows the handles, else record a take or end it"},
    PaneKey{Qt::Key_T, Qt::NoModifier, "A test pattern to aim the projector (any key ends it)"},
    PaneKey{Qt::Key_W, Qt::NoModifier, "A white screen to aim the projector (any key ends it)"},
    PaneKey{Qt::Key_Z, Qt::ControlModifier, "Undo"},
    PaneKey{Qt::Key_Y, Qt::ControlModifier, "Redo"},
    PaneKey{Qt::Key_S, Qt::ControlModifier, "Save"},
    PaneKey{Qt::Key_L, Qt::NoModifier, "Live voice: the microphone moves the mouth, or not"},
    PaneKey{Qt::Key_Q, Qt::NoModifier, "Quiet now: live voice learns the room's noise again"},
};

// Held rather than pressed, so they stand apart from the key tables.
constexpr const char* ExpressionKeysKey = "1 … 9";
constexpr const char* ExpressionKeysText =
    "Hold an expression: the key's knob goes to its far end while held "
    "(Animate > Expression Keys)";

constexpr std::array ShowGestures{
    Gesture{"Drag a handle", "Fit the face to the pumpkin; one undoable step"},
    Gesture{"Escape while dragging", "Put the handle back as it was"},
    Gesture{"Move the mouse", "Show the pointer, which hides after a second"},
};

constexpr std::array Panes{
    PaneShortcuts{"Preview", PreviewKeys, PreviewGestures},
    PaneShortcuts{"Shapes and poses", ShapeKeys, ShapeGestures},
    PaneShortcuts{"Timeline", TimelineKeys, TimelineGestures},
};

// The show is a window of its own, listed after the panes.
constexpr PaneShortcuts Show{"Show on Projector (View menu, F11)", ShowKeys, ShowGestures};

constexpr std::array MainGestures{
    Gesture{"Click a transport button", "Play or pause, go to the first frame, 30 frames back, "
                                        "30 frames forward, go to the last frame"},
    Gesture{"Hold 30 frames back or forward", "Repeat the step until released"},
    Gesture{"Drag a splitter", "Share the window between the panes"},
};

using Rows = std::vector<std::pair<QString, QString>>;

// Keys with the same meaning share a row.
void AddRow(Rows& rows, const QString& key, const QString& text) {
    for (auto& row : rows) {
        if (row.second == text) {
            row.first += QStringLiteral(", ") + key;
            return;
        }
    }
    rows.emplace_back(key, text);
}

QString Table(const QString& heading, const Rows& rows) {
    QString html =
        QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
                       "<tr><th align=\"left\">%1</th><th align=\"left\">What it does</th></tr>")
            .arg(heading);
    for (const auto& [key, text] : rows) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(key.toHtmlEscaped(), text.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

Rows GestureRows(std::span<const Gesture> gestures) {
    Rows rows;
    for (const Gesture& gesture : gestures) {
        AddRow(rows, QString::fromUtf8(gesture.gesture), QString::fromUtf8(gesture.text));
    }
    return rows;
}

// A window's or a pane's keys, with its gestures beside them.
QString Section(const QString& name, const Rows& keys, std::span<const Gesture> gestures) {
    const QString keyTable = keys.empty() ? QStringLiteral("<p>No keys of its own.</p>")
                                          : Table(QStringLiteral("Key"), keys);
    return QStringLiteral("<h2>%1</h2><table cellpadding=\"0\" cellspacing=\"12\"><tr>"
                          "<td valign=\"top\">%2</td><td valign=\"top\">%3</td></tr></table>")
        .arg(name.toHtmlEscaped(), keyTable, Table(QStringLiteral("Mouse"), GestureRows(gestures)));
}

Rows KeyRows(const PaneShortcuts& pane) {
    Rows keys;
    for (const PaneKey& key : pane.keys) {
        AddRow(keys, KeyText(key.key, key.modifiers), QString::fromUtf8(key.text));
    }
    return keys;
}

QString Section(const PaneShortcuts& pane) {
    return Section(QString::fromUtf8(pane.name), KeyRows(pane), pane.gestures);
}

} // namespace

std::span<const PaneShortcuts> PaneShortcutTables() {
    return Panes;
}

std::span<const Gesture> WindowGestures() {
    return MainGestures;
}

QString ShortcutPage() {
    Rows windowKeys;
    for (const KeyBinding& binding : WindowKeys()) {
        AddRow(windowKeys, KeyText(binding), QString::fromUtf8(binding.text));
    }
    AddRow(windowKeys, QString::fromUtf8(ExpressionKeysKey), QString::fromUtf8(ExpressionKeysText));
    QString html =
        QStringLiteral("<h1>Keyboard Shortcuts</h1>") +
        Section(QStringLiteral("Main window, whichever pane is active"), windowKeys, MainGestures);
    for (const PaneShortcuts& pane : Panes) {
        html += Section(pane);
    }
    Rows showKeys = KeyRows(Show);
    AddRow(showKeys, QString::fromUtf8(ExpressionKeysKey), QString::fromUtf8(ExpressionKeysText));
    return html + Section(QString::fromUtf8(Show.name), showKeys, Show.gestures);
}

} // namespace vel::lumo
