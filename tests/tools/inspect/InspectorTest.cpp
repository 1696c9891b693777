#include "tools/inspect/Inspector.h"

#include "apps/lumo/document/LumoDocument.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tools/inspect/InspectJson.h"

#include <gtest/gtest.h>
#include <sstream>

namespace vel::lumo {
namespace {

using json = nlohmann::ordered_json;
using testing::ReadWhole;
using testing::TempFolder;
using testing::WriteWhole;

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result Inspect(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunInspector(arguments, out, err);
    return {code, out.str(), err.str()};
}

class InspectorTest : public ::testing::Test {
protected:
    InspectorTest() {
        auto document = LumoDocument::New();
        Model& model = document->GetModel();
        model.AddKnob(Knob{KnobKey("mouth"), "Mouth", 0.1f, "closed", 0, "open", 1,
                           Knob::Intent::Interpolate});
        document->SynchroniseTimeline();
        model.InsertNewShape(0);
        model.InsertPose(0, 0, KnobKey(), {{0, 0}, {1, 0}, {0, 1}});
        model.InsertPose(0, 1, KnobKey("mouth"), {{0, 0}, {3, 0}, {0, 1}});
        document->GetTimeline().SetAnchor(KnobKey("mouth"), 10, 1.0f);
        AudioClip clip{AudioHeader::Make(8000, SampleFormat::S16, 2),
                       {0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0}};
        document->SetAudio(clip);
        EXPECT_TRUE(document->Save(path));
    }

    TempFolder folder;
    std::string path = folder / "face.glw";
};

TEST_F(InspectorTest, PrintsTheDocument) {
    const Result result = Inspect({path});
    ASSERT_EQ(result.code, 0) << result.err;
    const json doc = json::parse(result.out);
    EXPECT_EQ(doc["knobs"].size(), 4u);
    EXPECT_EQ(doc["knobs"][0]["key"], "canhue");
    EXPECT_EQ(doc["knobs"][0]["intent"], "Hue");
    EXPECT_EQ(doc["knobs"][3]["typical"].dump(), "0.1");
    EXPECT_EQ(doc["shapes"][0]["name"], "Shape 0");
    EXPECT_EQ(doc["shapes"][0]["poses"][1]["key"], "mouth");
    EXPECT_EQ(doc["shapes"][0]["poses"][1]["points"][1], json::array({3, 0}));
    EXPECT_EQ(doc["timeline"]["frameRate"], 29970);
    EXPECT_EQ(doc["timeline"]["frameCount"], 10);
    EXPECT_EQ(doc["timeline"]["tracks"]["mouth"], json::parse("[[0, 0.1], [10, 1]]"));
    EXPECT_EQ(doc["audio"]["format"], "0x00000210");
    EXPECT_EQ(doc["audio"]["sampleFrames"], 2);
    EXPECT_TRUE(doc["fit"].is_null());
    EXPECT_TRUE(doc["photo"].is_null());
    EXPECT_FALSE(doc["expressionKeys"]["chosen"]);
    EXPECT_EQ(doc["expressionKeys"]["keys"].size(), 9u);
    EXPECT_FALSE(doc.contains("frame"));
}

TEST_F(InspectorTest, PrintsTheFitThePhotoAndTheExpressionKeys) {
    {
        core::FileError error;
        auto document = LumoDocument::Open(path, error);
        ASSERT_TRUE(document);
        PumpkinFit fit;
        ASSERT_TRUE(fit.MoveHandle(1, {0.75f, 0.25f}));
        fit.SetGridOn(true);
        document->SetFit(fit);
        std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
        const auto photo = TracingPhoto::Make(png, {{1.5f, -2.0f}, 3.0f, 0.25f});
        ASSERT_TRUE(photo);
        document->SetPhoto(*photo);
        ExpressionKeys keys;
        keys[2] = KnobKey("mouth");
        document->SetExpressionKeys(keys);
        ASSERT_TRUE(document->Save(path));
    }
    const Result result = Inspect({path});
    ASSERT_EQ(result.code, 0) << result.err;
    const json doc = json::parse(result.out);
    EXPECT_EQ(doc["fit"]["grid"], true);
    ASSERT_EQ(doc["fit"]["handles"].size(), PumpkinFit::HandleCount);
    EXPECT_EQ(doc["fit"]["handles"][1], json::array({0.75, 0.25}));
    EXPECT_EQ(doc["photo"]["bytes"], 10);
    EXPECT_EQ(doc["photo"]["centre"], json::array({1.5, -2}));
    EXPECT_EQ(doc["photo"]["opacity"], 0.25);
    EXPECT_EQ(doc["expressionKeys"]["chosen"], true);
    EXPECT_EQ(doc["expressionKeys"]["keys"][2], "mouth");
    EXPECT_TRUE(doc["expressionKeys"]["keys"][0].is_null());
}

TEST_F(InspectorTest, PrintsOneFrame) {
    const Result result = Inspect({"--frame", "5", path});
    ASSERT_EQ(result.code, 0) << result.err;
    const json frame = json::parse(result.out)["frame"];
    EXPECT_EQ(frame["number"], 5);
    EXPECT_EQ(frame["knobValues"]["mouth"].get<float>(), 0.55f);
    ASSERT_EQ(frame["shapes"].size(), 1u);
    EXPECT_EQ(frame["shapes"][0]["color"].size(), 4u);
    EXPECT_EQ(frame["shapes"][0]["outline"].size(), 3u);
    EXPECT_EQ(Inspect({"--frame", "x", path}).code, 2);
    EXPECT_EQ(Inspect({"--frame", "4294967296", path}).code, 2);
}

TEST_F(InspectorTest, SavesAgainThroughTheDocument) {
    const std::string copy = folder / "copy.glw";
    EXPECT_EQ(Inspect({"--save-as", copy, path}).code, 0);
    EXPECT_EQ(ReadWhole(copy), ReadWhole(path));
    const Result failed = Inspect({"--save-as", folder / "missing/x.glw", path});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find("missing/x.glw"), std::string::npos);
}

TEST_F(InspectorTest, FailuresGiveOneLineAndCodeOne) {
    WriteWhole(folder / "bad.glw", "nonsense");
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {folder / "bad.glw"}, {folder / "none.glw"}, {"--wav", folder / "bad.glw"}}) {
        const Result result = Inspect(arguments);
        EXPECT_EQ(result.code, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(arguments.back()), std::string::npos);
    }
    // The same shape as every command-line run's failure.
    EXPECT_EQ(Inspect({folder / "none.glw"}).err,
              "lumo-inspect: " + folder / "none.glw" + ": the file does not exist\n");
    EXPECT_EQ(Inspect({}).code, 2);
    EXPECT_EQ(Inspect({"--bogus", path}).code, 2);
    EXPECT_EQ(Inspect({"--help"}).code, 0);
}

TEST_F(InspectorTest, ReadsWavFiles) {
    // 16-bit stereo PCM, two frames: left 0.5 and 0, right 0 and -0.5.
    std::string wav = "RIFF";
    const auto u32 = [&wav](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            wav += static_cast<char>(v >> (8 * i));
        }
    };
    const auto u16 = [&wav](uint16_t v) {
        wav += static_cast<char>(v);
        wav += static_cast<char>(v >> 8);
    };
    u32(36 + 8);
    wav += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(8000);
    u32(32000);
    u16(4);
    u16(16);
    wav += "data";
    u32(8);
    u16(0x4000);
    u16(0);
    u16(0);
    u16(0xC000);
    WriteWhole(folder / "a.wav", wav);
    const Result result = Inspect({"--wav", folder / "a.wav"});
    ASSERT_EQ(result.code, 0) << result.err;
    const json clip = json::parse(result.out);
    EXPECT_EQ(clip["sampleRate"], 8000);
    EXPECT_EQ(clip["format"], "0x00000210");
    EXPECT_EQ(clip["channels"], 2);
    EXPECT_EQ(clip["bytesPerSampleFrame"], 4);
    EXPECT_EQ(clip["sampleFrames"], 2);
    ASSERT_EQ(clip["peaks"].size(), 2u);
    EXPECT_NEAR(clip["peaks"][0].get<double>(), 0.5, 1e-4);
    EXPECT_NEAR(clip["peaks"][1].get<double>(), 0.5, 1e-4);
}

TEST(InspectJson, FloatsReadBackExactly) {
    for (const float value : {0.1f, 1.0f / 3, 3e38f, 1e-45f, -0.0f, 56.0f}) {
        EXPECT_EQ(json::parse(FloatJson(value).dump()).get<float>(), value) << value;
    }
    EXPECT_EQ(FloatJson(0.1f).dump(), "0.1");
    EXPECT_EQ(FloatJson(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FloatJson(std::nanf("")), "nan");
}

} // namespace
} // namespace vel::lumo
