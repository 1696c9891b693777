#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/PopupMenu.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/panes/ViewWithSelection.h"
#include "tests/support/InstalledRunner.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace vel::lumo::test {

// Does what the main window does with the panes' requests: stores the
// selection in every selection pane, repaints them and focuses the first;
// hands a new frame to the timeline.
class PaneTestHost : public PaneHost {
public:
    void Add(ViewWithSelection* view, QWidget* widget) {
        views.push_back(view);
        widgets.push_back(widget);
    }
    void RequestFrame(uint32_t newFrame) override {
        frame = newFrame;
        if (timeline) {
            timeline->SetFrame(newFrame);
        }
    }
    void RequestSelection(const Selection& selection) override {
        for (ViewWithSelection* view : views) {
            view->StoreSelection(selection);
        }
        for (QWidget* widget : widgets) {
            widget->update();
        }
        if (!widgets.empty()) {
            widgets.front()->setFocus();
        }
        ++selectionRequests;
    }
    int OnCommand(uint32_t id) override {
        commands.push_back(id);
        return 0;
    }
    uint32_t GetFrame() const override { return frame; }

    std::vector<ViewWithSelection*> views;
    std::vector<QWidget*> widgets;
    std::vector<uint32_t> commands;
    uint32_t frame = 0;
    int selectionRequests = 0;
    TimelineWnd* timeline = nullptr;
};

// Answers popup menus at once: records every item ("Illumination/Dark" for
// a submenu's) and the disabled ones, and chooses the one named unless it is
// disabled, as a user could.
class ChoosingMenuRunner : public PopupMenuRunner {
public:
    explicit ChoosingMenuRunner(QString choice) : choice_(std::move(choice)) {}
    ChoosingMenuRunner(const ChoosingMenuRunner&) = delete;
    ChoosingMenuRunner& operator=(const ChoosingMenuRunner&) = delete;

    QAction* Run(QMenu& menu, QPoint position) override {
        ++shown;
        lastPosition = position;
        items.clear();
        disabled.clear();
        return Walk(menu, QString());
    }

    QStringList items;
    QStringList disabled;
    QPoint lastPosition;
    int shown = 0;

private:
    QAction* Walk(QMenu& menu, const QString& prefix) {
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            if (action->isSeparator()) {
                items << prefix + "-";
                continue;
            }
            const QString path = prefix + action->text();
            items << path;
            if (!action->isEnabled()) {
                disabled << path;
            }
            if (action->menu() != nullptr) {
                if (QAction* inner = Walk(*action->menu(), path + "/")) {
                    chosen = inner;
                }
            } else if (path == choice_ && action->isEnabled()) {
                chosen = action;
            }
        }
        return chosen;
    }

    QString choice_;
    testing::InstalledRunner<PopupMenuRunner> installed_{this};
};

// How near the picture comes to the colour inside the cell, as the largest
// channel difference of its nearest pixel (outlines are anti-aliased).
inline int NearestColour(const QImage& image, QRect cell, QRgb wanted) {
    int best = 255;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            best = std::min(best, std::max({std::abs(qRed(c) - qRed(wanted)),
                                            std::abs(qGreen(c) - qGreen(wanted)),
                                            std::abs(qBlue(c) - qBlue(wanted))}));
        }
    }
    return best;
}

// A shape given straight to the model, as a loaded file would.
inline void AddShape(LumoDocument& document, std::vector<std::vector<Point>> poses,
                     uint32_t illumination = Shape::CandleColor, std::string name = "Shape") {
    Shape shape;
    shape.illumination = illumination;
    shape.name = std::move(name);
    for (std::size_t i = 0; i < poses.size(); ++i) {
        shape.poses.push_back(Pose{KnobKey(i == 0 ? "first" : "eyeblink"), std::move(poses[i])});
    }
    document.GetModel().InsertShape(document.GetModel().GetShapeCount(), shape);
}

} // namespace vel::lumo::test
