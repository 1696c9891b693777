#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/FrameEvaluation.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace vel::lumo {
namespace {

namespace fs = std::filesystem;

const KnobKey EyePanKey{"eyepan"};
const KnobKey LeftWinkKey{"eyelwink"};
const KnobKey RightWinkKey{"eyerwink"};

// Beside the faces: one line each, its file and its name between a tab.
constexpr const char* IndexName = "faces.txt";

// The rules a pose must keep to look right.
constexpr double VisibleChange = 0.2;
constexpr double ShutEye = 0.15;
// How far an eye may be from its full size before anything shuts it.
constexpr double OpenEye = 0.02;

struct IndexEntry {
    std::string file;
    std::string name;
};

std::vector<IndexEntry> ReadIndex(const std::string& folder) {
    std::vector<IndexEntry> entries;
    std::ifstream in(folder + "/" + IndexName);
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        entries.push_back(
            {line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1)});
    }
    return entries;
}

struct StarterFace {
    std::string name;
    std::unique_ptr<LumoDocument> document;
};

std::vector<StarterFace> LoadFaces() {
    std::vector<StarterFace> faces;
    for (const IndexEntry& entry : ReadIndex(LUMO_TEMPLATES)) {
        core::FileError error;
        faces.push_back({entry.name, LumoDocument::Open(LUMO_TEMPLATES "/" + entry.file, error)});
    }
    return faces;
}

// The shoelace formula: positive counter-clockwise.
double SignedArea(const std::vector<Point>& outline) {
    double twice = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point a = outline[i];
        const Point b = outline[(i + 1) % outline.size()];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return twice / 2;
}

double Area(const std::vector<Point>& outline) {
    return std::abs(SignedArea(outline));
}

double Width(const std::vector<Point>& outline) {
    const auto [left, right] = std::minmax_element(outline.begin(), outline.end(),
                                                   [](Point a, Point b) { return a.x < b.x; });
    return double(right->x) - left->x;
}

// Which side of the line through a and b the point c is on: -1, 0 or 1.
int Turn(Point a, Point b, Point c) {
    const double cross =
        (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
    return (cross > 0) - (cross < 0);
}

bool Between(Point a, Point b, Point c) {
    return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
           c.y <= std::max(a.y, b.y);
}

// Whether segments ab and cd cross or touch.
bool Meet(Point a, Point b, Point c, Point d) {
    const int abc = Turn(a, b, c);
    const int abd = Turn(a, b, d);
    const int cda = Turn(c, d, a);
    const int cdb = Turn(c, d, b);
    if (abc * abd < 0 && cda * cdb < 0) {
        return true;
    }
    return (abc == 0 && Between(a, b, c)) || (abd == 0 && Between(a, b, d)) ||
           (cda == 0 && Between(c, d, a)) || (cdb == 0 && Between(c, d, b));
}

// Whether two edges that do not follow one another meet.
bool CrossesItself(const std::vector<Point>& outline) {
    const std::size_t n = outline.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;
            }
            if (Meet(outline[i], outline[(i + 1) % n], outline[j], outline[(j + 1) % n])) {
                return true;
            }
        }
    }
    return false;
}

const Pose* PoseOn(const Shape& shape, const KnobKey& key) {
    for (std::size_t p = 1; p < shape.poses.size(); ++p) {
        if (shape.poses[p].key == key) {
            return &shape.poses[p];
        }
    }
    return nullptr;
}

std::vector<Shape> ShapesOf(const LumoDocument& document) {
    std::vector<Shape> shapes;
    for (uint64_t s = 0; s < document.GetModel().GetShapeCount(); ++s) {
        shapes.push_back(document.GetShape(s));
    }
    return shapes;
}

bool Differs(double changed, double base) {
    return std::abs(changed - base) >= VisibleChange * base;
}

bool MouthDiffers(const std::vector<Point>& changed, const std::vector<Point>& base) {
    return Differs(Area(changed), Area(base)) || Differs(Width(changed), Width(base));
}

class StarterFacesTest : public ::testing::Test {
protected:
    // Loaded once for all the cases, which only read them.
    const std::vector<StarterFace>& faces_ = Faces();

private:
    static const std::vector<StarterFace>& Faces() {
        static const std::vector<StarterFace> faces = LoadFaces();
        return faces;
    }
};

TEST_F(StarterFacesTest, TheIndexNamesEveryFaceInTheFolderAndEachLoads) {
    std::set<std::string> indexed;
    std::set<std::string> names;
    for (const IndexEntry& entry : ReadIndex(LUMO_TEMPLATES)) {
        indexed.insert(entry.file);
        EXPECT_FALSE(entry.name.empty()) << entry.file;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
    std::set<std::string> documents;
    for (const auto& entry : fs::directory_iterator(LUMO_TEMPLATES)) {
        if (entry.path().extension() == ".glw") {
            documents.insert(entry.path().filename().string());
        }
    }
    EXPECT_EQ(indexed, documents);
    ASSERT_GE(faces_.size(), 8u);
    for (const StarterFace& face : faces_) {
        ASSERT_TRUE(face.document) << face.name;
        EXPECT_GT(face.document->GetModel().GetShapeCount(), 0u) << face.name;
    }
}

TEST_F(StarterFacesTest, EachFaceMovesOnEveryStandardKnobAndStartsWideAwakeInWarmLight) {
    const std::vector<KnobKey> moving = {MouthKey,    MouthWideKey, MouthRoundKey, EyeBlinkKey,
                                         LeftWinkKey, RightWinkKey, EyePanKey};
    for (const StarterFace& face : faces_) {
        ASSERT_TRUE(face.document) << face.name;
        const LumoDocument& document = *face.document;
        EXPECT_EQ(document.GetKnobs(), StandardKnobs()) << face.name;
        const std::vector<Shape> shapes = ShapesOf(document);
        for (const KnobKey& key : moving) {
            EXPECT_TRUE(std::any_of(shapes.begin(), shapes.end(),
                                    [&](const Shape& shape) { return PoseOn(shape, key); }))
                << face.name << ": nothing moves on " << key.Text();
        }
        EXPECT_EQ(MissingPoseWarning(document, moving), std::nullopt) << face.name;
        const KnobValues start = document.GetKnobValues(0);
        for (const Shape& shape : shapes) {
            if (PoseOn(shape, EyeBlinkKey)) {
                EXPECT_NEAR(Area(ShapeOutline(shape, start)), Area(shape.poses.front().points),
                            OpenEye * Area(shape.poses.front().points))
                    << face.name << ": " << shape.name << " starts partly shut";
            }
        }
        const Rgba candle = CandleColorOf(start);
        EXPECT_GT(candle.red, 0.8f) << face.name;
        EXPECT_GT(candle.red, candle.green) << face.name;
        EXPECT_GT(candle.green, candle.blue) << face.name;
    }
}

TEST_F(StarterFacesTest, EveryPoseKeepsItsBasePointsAndNoOutlineCrossesItself) {
    for (const StarterFace& face : faces_) {
        ASSERT_TRUE(face.document) << face.name;
        for (const Shape& shape : ShapesOf(*face.document)) {
            const std::size_t points = shape.poses.front().points.size();
            EXPECT_GE(points, 3u) << face.name << ": " << shape.name;
            for (const Pose& pose : shape.poses) {
                const std::string where = face.name + ": " + shape.name + " " + pose.key.Text();
                EXPECT_EQ(pose.points.size(), points) << where;
                EXPECT_FALSE(CrossesItself(pose.points)) << where;
                EXPECT_GT(Area(pose.points), 0.0) << where;
            }
        }
    }
}

TEST_F(StarterFacesTest, MouthPosesChangeTheMouthAndBlinksAndWinksShutTheEyes) {
    for (const StarterFace& face : faces_) {
        ASSERT_TRUE(face.document) << face.name;
        for (const Shape& shape : ShapesOf(*face.document)) {
            const std::vector<Point>& base = shape.poses.front().points;
            const std::string where = face.name + ": " + shape.name;
            if (const Pose* open = PoseOn(shape, MouthKey)) {
                EXPECT_TRUE(Differs(Area(open->points), Area(base))) << where;
            }
            for (const KnobKey& key : {MouthWideKey, MouthRoundKey}) {
                if (const Pose* pose = PoseOn(shape, key)) {
                    EXPECT_TRUE(MouthDiffers(pose->points, base)) << where << " " << key.Text();
                }
            }
            const Pose* blink = PoseOn(shape, EyeBlinkKey);
            const Pose* wink = PoseOn(shape, LeftWinkKey) ? PoseOn(shape, LeftWinkKey)
                                                          : PoseOn(shape, RightWinkKey);
            EXPECT_EQ(blink == nullptr, wink == nullptr) << where << ": blinks but never winks";
            for (const Pose* shut : {blink, wink}) {
                if (shut) {
                    EXPECT_LE(Area(shut->points), ShutEye * Area(base))
                        << where << " " << shut->key.Text();
                }
            }
        }
    }
}

// The lip sync runs once on the voice, as it reads the voice alone, and its
// keys then go on every face.
TEST_F(StarterFacesTest, EachFaceLipSyncsTheExampleVoiceIntoAMovingMouth) {
    const AudioClip voice = LoadWav(LUMO_VOICE);
    ASSERT_FALSE(voice.Samples().empty());
    auto listener = LumoDocument::New();
    AudioClip clip = voice;
    listener->SetAudio(clip);
    const FrameRange range{0, listener->GetFrameCount()};
    const auto animation = LipSyncGenerator({}).Generate(AnimateInput::From(*listener, range),
                                                         [](uint64_t, uint64_t) { return true; });
    ASSERT_TRUE(animation);
    for (const StarterFace& face : faces_) {
        ASSERT_TRUE(face.document) << face.name;
        LumoDocument document(*face.document);
        AudioClip own = voice;
        document.SetAudio(own);
        ASSERT_TRUE(ApplyAnimation(document, "Lip Sync", range, *animation)) << face.name;
        const std::vector<Shape> shapes = ShapesOf(document);
        for (uint64_t s = 0; s < shapes.size(); ++s) {
            if (!PoseOn(shapes[s], MouthKey)) {
                continue;
            }
            const std::vector<Point> silent = ShapeOutline(shapes[s], {});
            uint32_t moving = 0;
            for (uint32_t f = range.first; f < range.end; ++f) {
                moving += MouthDiffers(document.EvaluateFrame(f)[s].outline, silent);
            }
            EXPECT_GE(moving, range.Length() / 4) << face.name << ": " << shapes[s].name;
        }
    }
}

TEST(StarterFacesMakingTest, TheGeneratorMakesTheCheckedInFilesAgainByteForByte) {
    testing::TempFolder made;
    const std::string command =
        std::string(LUMO_MAKE_TEMPLATES) + " '" + made.Path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::set<std::string> madeNames;
    for (const auto& entry : fs::directory_iterator(made.Path())) {
        const std::string name = entry.path().filename().string();
        madeNames.insert(name);
        EXPECT_EQ(testing::ReadWhole(made / name),
                  testing::ReadWhole(std::string(LUMO_TEMPLATES "/") + name))
            << name << " differs from the one checked in";
    }
    std::set<std::string> checkedIn;
    for (const auto& entry : fs::directory_iterator(LUMO_TEMPLATES)) {
        if (entry.path().extension() == ".glw" || entry.path().filename() == IndexName) {
            checkedIn.insert(entry.path().filename().string());
        }
    }
    EXPECT_EQ(madeNames, checkedIn);
}

} // namespace
} // namespace vel::lumo
