#include "apps/lumo/dialogs/TemplateGalleryDlg.h"

#include "apps/lumo/dialogs/FacePicture.h"
#include "apps/lumo/dialogs/FaceTemplates.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportPicture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vel::lumo {
namespace {

const QString Starters = QStringLiteral(LUMO_TEMPLATES);

QStringList Names(const QListWidget& list) {
    QStringList names;
    for (int i = 0; i < list.count(); ++i) {
        names.append(list.item(i)->text());
    }
    return names;
}

class TemplateGalleryDlgTest : public ::testing::Test {
protected:
    void Open(const QString& starters, const QString& own) {
        owner.setGeometry(100, 80, 900, 700);
        owner.show();
        dlg = std::make_unique<TemplateGalleryDlg>(&owner, ListFaceTemplates(starters, own),
                                                   [this](const FaceTemplate& face) {
                                                       asked.push_back(face.name);
                                                       return answer;
                                                   });
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        dlg->Faces()->setFocus();
    }
    void Press(Qt::Key key) { QTest::keyClick(dlg->Faces(), key); }
    // A face of the user's own, copied from a starter face.
    std::string SaveOwn(const std::string& name) {
        const std::string path = own / (name + ".glw");
        std::filesystem::copy_file(Starters.toStdString() + "/cute.glw", path);
        return path;
    }

    testing::TempFolder own;
    QWidget owner;
    std::unique_ptr<TemplateGalleryDlg> dlg;
    std::vector<QString> asked;
    bool answer = false;
};

TEST_F(TemplateGalleryDlgTest, ListsTheStarterFacesInOrderThenTheUsersOwnByName) {
    SaveOwn("zebra");
    SaveOwn("Apple");
    Open(Starters, QString::fromStdString(own.Path().string()));
    const QStringList names = Names(*dlg->Faces());
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names.front(), "Classic Grin");
    EXPECT_EQ(names[7], "Trio for Three Pumpkins");
    EXPECT_EQ(names[8], "Apple");
    EXPECT_EQ(names[9], "zebra");
    EXPECT_EQ(dlg->Faces()->viewMode(), QListView::IconMode);
    EXPECT_FALSE(dlg->Faces()->item(0)->icon().isNull());
    EXPECT_TRUE(dlg->Faces()->item(0)->toolTip().contains("starter face"));
    EXPECT_TRUE(dlg->Faces()->item(8)->toolTip().contains("Delete removes it"));
}

TEST_F(TemplateGalleryDlgTest, FourFacesFitSideBySideBesideTheScrollBar) {
    SaveOwn("own");
    Open(Starters, QString::fromStdString(own.Path().string()));
    const QListWidget& faces = *dlg->Faces();
    const QRect viewport = faces.viewport()->rect();
    for (int i = 0; i < 4; ++i) {
        const QRect cell = faces.visualItemRect(faces.item(i));
        EXPECT_TRUE(viewport.contains(cell)) << i;
        EXPECT_EQ(cell.top(), faces.visualItemRect(faces.item(0)).top()) << i;
    }
}

TEST_F(TemplateGalleryDlgTest, ArrowKeysMoveAndEnterChoosesACopyWithoutAPath) {
    Open(Starters, {});
    EXPECT_EQ(dlg->Faces()->currentRow(), 0);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    EXPECT_EQ(dlg->Faces()->currentRow(), 2);
    EXPECT_TRUE(dlg->StatusText().startsWith("Cute:"));
    Press(Qt::Key_Left);
    EXPECT_EQ(dlg->Faces()->currentRow(), 1);
    Press(Qt::Key_Return);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const std::unique_ptr<LumoDocument> face = dlg->ChosenFace();
    ASSERT_TRUE(face);
    EXPECT_TRUE(face->GetPath().empty());
    EXPECT_FALSE(face->IsModified());
    EXPECT_GT(face->GetModel().GetShapeCount(), 0U);
}

TEST_F(TemplateGalleryDlgTest, DoubleClickChoosesTheFace) {
    Open(Starters, {});
    QListWidget* list = dlg->Faces();
    const QRect fourth = list->visualItemRect(list->item(3));
    // A real double-click presses first: the view opens only the face it was pressed on.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, fourth.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, fourth.center());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(list->currentRow(), 3);
}

// The picture shows the face talking, not the shut mouth of its first frame.
TEST_F(TemplateGalleryDlgTest, PictureShowsTheMouthOpen) {
    core::FileError error;
    const auto face = LumoDocument::Open(Starters.toStdString() + "/classic-grin.glw", error);
    ASSERT_TRUE(face);
    const QSize size(192, 144);
    const QImage open = FacePicture(*face, size);
    ExportPicture firstFrame(size.width(), size.height());
    firstFrame.Draw(face->EvaluateFrame(0), std::nullopt, face->GetFrameRate());
    const QImage shut(firstFrame.Rows(), size.width(), size.height(), QImage::Format_RGB32);
    EXPECT_EQ(open.size(), size);
    EXPECT_NE(open, shut.convertToFormat(open.format()));
}

TEST_F(TemplateGalleryDlgTest, DeleteAsksAndRemovesOnlyTheUsersOwn) {
    const std::string mine = SaveOwn("Mine");
    Open(Starters, QString::fromStdString(own.Path().string()));
    Press(Qt::Key_Delete);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(dlg->StatusText().contains("starter face, which cannot be deleted"));
    EXPECT_EQ(dlg->Faces()->count(), 9);

    Press(Qt::Key_End);
    ASSERT_EQ(dlg->Faces()->currentItem()->text(), "Mine");
    answer = false;
    Press(Qt::Key_Delete);
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked.back(), "Mine");
    EXPECT_TRUE(std::filesystem::exists(mine));
    EXPECT_EQ(dlg->Faces()->count(), 9);

    answer = true;
    Press(Qt::Key_Delete);
    EXPECT_FALSE(std::filesystem::exists(mine));
    EXPECT_EQ(dlg->Faces()->count(), 8);
    EXPECT_TRUE(dlg->StatusText().startsWith("Mine is deleted."));
    EXPECT_EQ(dlg->result(), 0) << "deleting does not end the gallery";
}

TEST_F(TemplateGalleryDlgTest, DamagedFaceIsLeftOutWithANoteAndTheOthersShow) {
    SaveOwn("Good");
    testing::WriteWhole(own / "Broken.glw", "not a face at all");
    Open(Starters, QString::fromStdString(own.Path().string()));
    const QStringList names = Names(*dlg->Faces());
    EXPECT_EQ(names.size(), 9);
    EXPECT_TRUE(names.contains("Good"));
    EXPECT_FALSE(names.contains("Broken"));
    EXPECT_TRUE(dlg->StatusText().contains("Left out, since they cannot be read: Broken"))
        << dlg->StatusText().toStdString();
}

TEST_F(TemplateGalleryDlgTest, MissingFoldersOpenAnEmptyGalleryThatSaysWhy) {
    Open(QString::fromStdString(own / "no-starters"), QString::fromStdString(own / "no-own"));
    EXPECT_EQ(dlg->Faces()->count(), 0);
    EXPECT_TRUE(dlg->StatusText().startsWith("There are no faces to start from"));
    Press(Qt::Key_Return);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->ChosenFace());
}

} // namespace
} // namespace vel::lumo
