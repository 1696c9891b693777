#include "apps/lumo/model/TracingPhoto.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <filesystem>

namespace vel::lumo::test {
namespace {

class TracePhotoTest : public ShellTest {
protected:
    std::string WritePhoto(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string path = folder / name;
        vel::testing::WriteWhole(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }
    // Traces the file as the user would choose it in the dialog.
    void Trace(const std::string& path) {
        dialogs.files.push_back(path);
        window->OnCommand(IdTracePhoto);
    }
    QAction* Action(std::uint32_t id) const { return window->Action(id); }
    // The menus as they show when opened.
    void OpenMenus() const { window->UpdateMenuState(); }
    const TracingPhoto& Photo() const { return window->GetDocument()->GetPhoto(); }

    vel::testing::TempFolder folder;
};

TEST_F(TracePhotoTest, APngOrJpegIsTracedInOneStepShownAndRemovedInAnother) {
    const std::vector<uint8_t> png =
        vel::testing::Encoded(vel::testing::PumpkinPhoto(64, 48), "PNG");
    OpenMenus();
    EXPECT_FALSE(Action(IdRemovePhoto)->isEnabled());
    EXPECT_FALSE(Action(IdViewPhoto)->isEnabled());
    Trace(WritePhoto("pumpkin.png", png));
    EXPECT_EQ(dialogs.fileTitles, std::vector<std::string>{"Trace Photo"});
    EXPECT_EQ(Photo().Bytes(), png);
    EXPECT_EQ(window->GetDocument()->GetUndoName(), "Trace Photo");
    EXPECT_TRUE(window->GetDocument()->IsModified());
    OpenMenus();
    EXPECT_TRUE(Action(IdRemovePhoto)->isEnabled());
    EXPECT_TRUE(Action(IdViewPhoto)->isChecked());

    // View > Photo hides it without touching the document; tracing again
    // shows it.
    window->OnCommand(IdViewPhoto);
    EXPECT_FALSE(window->Preview()->IsPhotoShown());
    OpenMenus();
    EXPECT_FALSE(Action(IdViewPhoto)->isChecked());
    EXPECT_EQ(window->GetDocument()->GetUndoCount(), 1u);
    const std::vector<uint8_t> jpeg =
        vel::testing::Encoded(vel::testing::PumpkinPhoto(48, 64), "JPEG");
    Trace(WritePhoto("pumpkin.jpg", jpeg));
    EXPECT_EQ(Photo().Bytes(), jpeg);
    EXPECT_TRUE(window->Preview()->IsPhotoShown());

    window->OnCommand(IdRemovePhoto);
    EXPECT_TRUE(Photo().IsEmpty());
    EXPECT_EQ(window->GetDocument()->GetUndoName(), "Remove Photo");
    window->OnCommand(IdUndo);
    EXPECT_EQ(Photo().Bytes(), jpeg);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A refused file gets the reason in a message; the document stays as it was.
TEST_F(TracePhotoTest, AFileThatIsNoPngOrJpegImageOrOver20MbIsRefused) {
    const std::vector<uint8_t> png =
        vel::testing::Encoded(vel::testing::PumpkinPhoto(64, 48), "PNG");
    std::vector<uint8_t> cut = png;
    cut.resize(40);
    const std::string large = folder / "large.jpg";
    vel::testing::WriteWhole(large, "\xFF\xD8\xFF");
    std::filesystem::resize_file(large, TracingPhoto::MaxBytes + 1);
    const struct {
        std::string path;
        std::string reason;
    } refused[] = {
        {WritePhoto("notes.png", {'n', 'o', 't', 'e', 's'}),
         "The file is not a PNG or JPEG image."},
        {WritePhoto("cut.png", cut), "The file is not a PNG or JPEG image."},
        {WritePhoto("pumpkin.bmp", vel::testing::Encoded(vel::testing::PumpkinPhoto(8, 8), "BMP")),
         "The file is not a PNG or JPEG image."},
        {large, "The photo is larger than 20 MB."},
        {folder / "missing.png", "The file does not exist."},
    };
    for (const auto& file : refused) {
        dialogs.messages.clear();
        Trace(file.path);
        ASSERT_EQ(dialogs.messages.size(), 1u) << file.path;
        EXPECT_NE(dialogs.messages[0].find("Error loading photo:"), std::string::npos)
            << dialogs.messages[0];
        EXPECT_NE(dialogs.messages[0].find(file.reason), std::string::npos) << dialogs.messages[0];
        EXPECT_TRUE(Photo().IsEmpty()) << file.path;
        EXPECT_EQ(window->GetDocument()->GetUndoCount(), 0u) << file.path;
    }

    // A file of exactly the limit is not refused for its size.
    std::vector<uint8_t> full = png;
    full.resize(TracingPhoto::MaxBytes);
    dialogs.messages.clear();
    Trace(WritePhoto("full.png", full));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(Photo().Bytes().size(), TracingPhoto::MaxBytes);
}

} // namespace
} // namespace vel::lumo::test
