#pragma once

#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/render/TargetMapping.h"
#include "tests/apps/lumo/panes/RightClick.h"
#include "tests/support/PaneTestHost.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vel::lumo::test {

constexpr int Width = 400;
constexpr int Height = 300;

// The preview's parent: keys the preview passes on arrive here.
class KeyRecorder : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

// Offsets taken back come back up to float rounding.
inline void ExpectNear(const std::vector<Point>& actual, const std::vector<Point>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-6) << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-6) << i;
    }
}

class PreviewWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(Width, Height + 40);
        preview = new PreviewWnd(&window, &host);
        preview->setGeometry(0, 0, Width, Height);
        other = new QLineEdit(&window);
        other->setGeometry(0, Height + 5, Width, 30);
        host.Add(preview, preview);
        preview->SetDocument(document.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        preview->setFocus();
    }

    static Point ToModel(QPoint p) {
        return TargetMapping(Width, Height).ToModel({float(p.x()), float(p.y())});
    }
    static QPoint At(float x, float y) {
        const graphics::PointF p = TargetMapping(Width, Height).ToTarget({x, y});
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void Click(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(preview, Qt::LeftButton, modifiers, p);
    }
    // Presses, moves past the drag distance and on to the target; Escape
    // before the release when asked.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}, bool escape = false) {
        QTest::mousePress(preview, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(preview, from + QPoint(8, 8));
        QTest::mouseMove(preview, to);
        if (escape)
            QTest::keyClick(preview, Qt::Key_Escape);
        QTest::mouseRelease(preview, Qt::LeftButton, modifiers, to);
    }
    void Wheel(QPoint p, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(p, preview->mapToGlobal(p), {}, {0, delta}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview, &event);
    }
    // The press selects; the window system then asks for the context menu.
    void RightClick(QPoint p) { RightClickThroughWindow(preview, p); }
    void Select(Selection selection) { host.RequestSelection(selection); }
    Selection Selected() const { return preview->GetSelection(); }
    const lumo::Model& TheModel() const { return document->GetModel(); }
    std::vector<Point> Points(uint64_t shape, uint64_t pose = 0) const {
        return document->GetPosePoints(shape, pose);
    }
    // Three triangles side by side: x around -0.8, 0 and 0.8.
    void AddTriangles(int count) {
        for (int i = 0; i < count; ++i) {
            const float cx = -0.8f + 0.8f * float(i);
            AddShape(*document, {{{cx - 0.3f, -0.3f}, {cx + 0.3f, -0.3f}, {cx, 0.3f}}});
        }
    }
    static int Distance(const QImage& image, QPoint centre, QRgb wanted) {
        return NearestColour(image, QRect(centre - QPoint(2, 2), QSize(5, 5)), wanted);
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    PaneTestHost host;
    KeyRecorder window;
    PreviewWnd* preview = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace vel::lumo::test
