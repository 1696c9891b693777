#include "tests/apps/lumo/document/FormatTestSupport.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vel::lumo {
namespace {

using namespace testing;

// The start of a PNG file and five more bytes, so the chunk needs padding.
std::vector<uint8_t> PngBytes() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3, 4, 5};
}

constexpr TracingPhoto::Placement Placed{{0.25f, -0.5f}, 1.5f, 0.75f};

// A document with one shape and a photo to trace.
std::unique_ptr<LumoDocument> DocumentWithPhoto() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.InsertNewShape(0);
    model.InsertPose(0, 0, KnobKey(), {{0, 0}, {0.5f, 0}, {0, 0.5f}});
    document->SetPhoto(*TracingPhoto::Make(PngBytes(), Placed));
    return document;
}

std::size_t PhotoAt(const Bytes& bytes) {
    return ChunkAt(bytes, "PHOT");
}

// Gives the file chunk the bytes' length, and the photo chunk the one given.
void Relength(Bytes& bytes, std::size_t photoLength) {
    Put<uint32_t>(bytes, 32, static_cast<uint32_t>(bytes.size() - 36));
    Put<uint32_t>(bytes, PhotoAt(bytes) + 4, static_cast<uint32_t>(photoLength));
}

TEST(PhotoFormat, ThePhotoRoundTripsWithItsBytesAsTheyCameAndItsPlacement) {
    const auto original = DocumentWithPhoto();
    const Bytes saved = SaveToMemory(*original);
    EXPECT_EQ(Outline(saved), "(~~)[LMOD[KNB2 KNB2 KNB2 SHAP[shap POSE[pose PT2F]]] "
                              "TMLN[tmln TRAK[trak ANCH] TRAK[trak ANCH] TRAK[trak ANCH]] PHOT]");
    uint32_t length = 0;
    std::memcpy(&length, saved.data() + PhotoAt(saved) + 4, sizeof length);
    EXPECT_EQ(length, record::PhotoHeader + 16);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPhoto().Bytes(), PngBytes());
    EXPECT_EQ(loaded->GetPhoto().GetPlacement(), Placed);
    EXPECT_EQ(loaded->GetShape(0), original->GetShape(0));
    EXPECT_EQ(SaveToMemory(*loaded), saved);

    // The photo and the fit each keep their own chunk.
    PumpkinFit fit;
    ASSERT_TRUE(fit.SetCorner(0, {0.1f, 0.1f}));
    original->SetFit(fit);
    const auto both = LoadFromMemory(SaveToMemory(*original));
    ASSERT_TRUE(both);
    EXPECT_EQ(both->GetFit(), fit);
    EXPECT_EQ(both->GetPhoto(), original->GetPhoto());

    // A copy of the document shares the bytes rather than copying them.
    const LumoDocument copy(*original);
    EXPECT_EQ(copy.GetPhoto().Bytes().data(), original->GetPhoto().Bytes().data());
}

TEST(PhotoFormat, ADocumentWithoutAPhotoWritesNoChunkAndKeepsItsBytes) {
    const auto document = DocumentWithPhoto();
    const Bytes withPhoto = SaveToMemory(*document);
    document->SetPhoto(TracingPhoto{});
    const Bytes saved = SaveToMemory(*document);
    EXPECT_EQ(PhotoAt(saved), std::string::npos);
    EXPECT_EQ(Bytes(withPhoto.begin() + 36, withPhoto.begin() + PhotoAt(withPhoto)),
              Bytes(saved.begin() + 36, saved.end()));
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->GetPhoto().IsEmpty());
    EXPECT_EQ(SaveToMemory(*loaded), saved);
}

// A damaged photo is left out with a note on standard error; the rest of
// the document loads.
class DamagedPhoto : public ::testing::Test {
protected:
    void ExpectLeftOut(const Bytes& bytes, const std::string& what, const std::string& why) {
        const auto [loaded, note] = LoadDamaged(bytes, *intact_, what);
        ASSERT_TRUE(loaded) << what;
        EXPECT_TRUE(loaded->GetPhoto().IsEmpty()) << what;
        EXPECT_EQ(note, "lumo: the photo to trace " + why +
                            "; it was left out and the preview shows none\n")
            << what;
        EXPECT_EQ(PhotoAt(SaveToMemory(*loaded)), std::string::npos) << what;
    }

    std::unique_ptr<LumoDocument> intact_ = DocumentWithPhoto();
    Bytes saved_ = SaveToMemory(*intact_);
    std::size_t photo_ = PhotoAt(saved_);
    std::size_t height_ = photo_ + 8 + 8;
    std::size_t count_ = photo_ + 8 + 16;
};

TEST_F(DamagedPhoto, AChunkCutShort) {
    Bytes header = saved_;
    header.resize(count_);
    Relength(header, count_ - photo_ - 8);
    ExpectLeftOut(header, "no count", "is cut short");

    // A count beyond the chunk's end, with the file going on after it.
    Bytes count = saved_;
    Put<uint32_t>(count, count_, 17);
    ExpectLeftOut(count, "count past the end", "is cut short");
}

TEST_F(DamagedPhoto, APlacementThatIsNoNumberOrOutOfRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    for (const auto& [at, bad] :
         {std::pair{photo_ + 8, nan}, std::pair{photo_ + 12, 1e30f}, std::pair{height_, -infinity},
          std::pair{height_, 0.0f}, std::pair{height_ + 4, 2.0f}, std::pair{height_ + 4, -0.5f}}) {
        Bytes bytes = saved_;
        Put(bytes, at, bad);
        ExpectLeftOut(bytes, std::to_string(bad) + " at " + std::to_string(at),
                      "lies at a place or size that is no number or far too large");
    }
}

TEST_F(DamagedPhoto, BytesThatAreNoPhotoOrTooMany) {
    Bytes text = saved_;
    text[count_ + 4] = 'G';
    ExpectLeftOut(text, "not a photo", "is neither a PNG nor a JPEG file");

    Bytes large = saved_;
    large.resize(count_ + 4);
    std::vector<uint8_t> bytes = PngBytes();
    bytes.resize(TracingPhoto::MaxBytes + 4);
    large.insert(large.end(), bytes.begin(), bytes.end());
    Put<uint32_t>(large, count_, static_cast<uint32_t>(TracingPhoto::MaxBytes + 1));
    Relength(large, large.size() - photo_ - 8);
    ExpectLeftOut(large, "over 20 MB", "is larger than 20 MB");
}

} // namespace
} // namespace vel::lumo
