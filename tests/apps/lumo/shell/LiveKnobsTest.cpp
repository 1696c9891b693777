#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/render/ExportPicture.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "core/File.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QTest>
#include <optional>

namespace vel::lumo::test {
namespace {

// What the show should draw: the frame's values with the mouth wide open.
QImage OpenMouthFrame(const LumoDocument& document, uint32_t frame, QSize size) {
    KnobValues values = document.GetKnobValues(frame);
    values[MouthKey] = 1.0f;
    ExportPicture picture(size.width(), size.height(), &document.GetFit());
    picture.Draw(document.GetModel().EvaluateFrame(values), std::nullopt, document.GetFrameRate());
    return QImage(picture.Rows(), size.width(), size.height(), QImage::Format_RGB32).copy();
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int count = 0;
};

class LiveKnobsTest : public ShellTest {
protected:
    void SetUp() override { SetDocumentOf(LUMO_EXAMPLE); }
    LumoDocument& Document() const { return *window->GetDocument(); }
};

// The timeline goes on under the live mouth: every other knob at the frame
// the show is at, the mouth from the live set.
TEST_F(LiveKnobsTest, TheShowDrawsTheLiveKnobOverTheTimelineWhilePlayingAndStopped) {
    window->OnCommand(IdShowOnProjector);
    ShowWnd& show = *window->Show();
    for (int i = 0; i < 40; ++i) {
        show.PlaybackStep();
    }
    ASSERT_TRUE(show.IsPlaying());
    const QImage timeline = show.Picture();
    window->GetLiveKnobs().Set({{MouthKey, 1.0f}});
    const uint32_t frame = show.GetFrame();
    EXPECT_EQ(show.Picture(), OpenMouthFrame(Document(), frame, show.Picture().size()));
    EXPECT_NE(show.Picture(), timeline);
    show.PlaybackStep();
    EXPECT_EQ(show.Picture(), OpenMouthFrame(Document(), frame + 1, show.Picture().size()));

    QTest::keyClick(&show, Qt::Key_Space);
    ASSERT_FALSE(show.IsPlaying());
    window->GetLiveKnobs().Release({MouthKey});
    const QImage held = show.Picture();
    window->GetLiveKnobs().Set({{MouthKey, 1.0f}});
    EXPECT_EQ(show.GetFrame(), frame + 1) << "a stopped show holds its frame";
    EXPECT_EQ(show.Picture(), OpenMouthFrame(Document(), frame + 1, show.Picture().size()));
    window->GetLiveKnobs().Release({MouthKey});
    EXPECT_EQ(show.Picture(), held);
}

// A live change shows before the next frame's deadline, but the
// microphone's many small pieces never paint more than twice a frame.
TEST_F(LiveKnobsTest, ALiveChangePaintsAtOnceButAtMostTwiceAFrameInterval) {
    window->OnCommand(IdShowOnProjector);
    ShowWnd& show = *window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    PaintCounter paints(show);
    show.PlaybackStep();
    show.PlaybackStep();
    QCoreApplication::processEvents();
    ASSERT_GE(paints.count, 1);
    const auto half = std::chrono::duration_cast<PacerClock::Duration>(
        std::chrono::duration<double>(500.0 / Document().GetFrameRate()));
    clock.now += half;
    const int painted = paints.count;
    window->GetLiveKnobs().Set({{MouthKey, 1.0f}});
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, painted + 1) << "a live change waits for no deadline";
    for (const float open : {0.2f, 0.6f, 0.4f}) {
        clock.now += half / 4;
        window->GetLiveKnobs().Set({{MouthKey, open}});
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(paints.count, painted + 1) << "painted again within half a frame";
    clock.now += half;
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count == painted + 2; }, 1000));
    QTest::qWait(50);
    EXPECT_EQ(paints.count, painted + 2) << "the last change is painted once";
}

TEST_F(LiveKnobsTest, ThePreviewRepaintsWithTheLiveKnobAndBackWhenItIsReleased) {
    window->show();
    PreviewWnd& preview = *window->Preview();
    window->SetFrame(30);
    const QImage before = preview.grab().toImage();
    window->GetLiveKnobs().Set({{MouthKey, 1.0f}});
    EXPECT_NE(preview.grab().toImage(), before);
    EXPECT_EQ(preview.GetFrame(), 30u);
    window->GetLiveKnobs().Release({MouthKey});
    EXPECT_EQ(preview.grab().toImage(), before);
}

} // namespace
} // namespace vel::lumo::test
