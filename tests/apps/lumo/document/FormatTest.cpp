#include "apps/lumo/model/PumpkinModel.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "serializer/MemoryDeserializer.h"
#include "tests/apps/lumo/document/FormatTestSupport.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace vel::lumo {
namespace {

using namespace testing;

uint32_t U32At(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

std::string TextAt(const Bytes& bytes, size_t offset, size_t size) {
    return std::string(bytes.begin() + offset, bytes.begin() + offset + size);
}

TEST(DocumentFormat, NewDocumentLayout) {
    const Bytes bytes = SaveToMemory(*LumoDocument::New());
    EXPECT_EQ(TextAt(bytes, 0, 28), std::string("Vellumar Gourdglowlight\r\n\x1a\0\0", 28));
    EXPECT_EQ(TextAt(bytes, 28, 4), "(~~)");
    EXPECT_EQ(U32At(bytes, 32), bytes.size() - 36);
    EXPECT_EQ(TextAt(bytes, 36, 4), "LMOD");
    EXPECT_EQ(TextAt(bytes, 44, 4), "KNB2");
    EXPECT_EQ(TextAt(bytes, 52, 8), std::string("canhue\0\0", 8));
    // Name "Candle Hue": count 11, ten letters, NUL, one byte of padding.
    EXPECT_EQ(U32At(bytes, 60), 11u);
    EXPECT_EQ(TextAt(bytes, 64, 12), std::string("Candle Hue\0\0", 12));
    EXPECT_EQ(Outline(bytes), "(~~)[LMOD[KNB2 KNB2 KNB2] TMLN[tmln TRAK[trak ANCH] TRAK[trak ANCH] "
                              "TRAK[trak ANCH]]]");
    const std::string text(bytes.begin(), bytes.end());
    const size_t tmln = text.find("tmln");
    EXPECT_EQ(U32At(bytes, tmln + 4), 12u);
    EXPECT_EQ(U32At(bytes, tmln + 8), 29970u);
    EXPECT_EQ(U32At(bytes, tmln + 12), 1u);
    EXPECT_EQ(U32At(bytes, tmln + 16), 0u);
    // Each track holds its knob's single anchor at frame 0.
    for (size_t at = text.find("ANCH"); at != std::string::npos; at = text.find("ANCH", at + 1)) {
        EXPECT_EQ(U32At(bytes, at + 4), 8u);
        EXPECT_EQ(U32At(bytes, at + 8), 0u);
    }
    EXPECT_EQ(text.find("AUDI"), std::string::npos);
}

std::unique_ptr<LumoDocument> RichDocument() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.AddKnob(Knob{KnobKey("eyeblink"), "Blink \xc3\xa9", -0.25f, "shut", 1.0f / 3, "", 7.5e-8f,
                       Knob::Intent::Rotate});
    model.AddKnob(Knob{KnobKey("12345678"), "", 0, "a", 0, "b", 0, static_cast<Knob::Intent>(77)});
    document->SynchroniseTimeline();
    model.InsertNewShape(0);
    model.InsertPose(0, 0, KnobKey(), {{0.5f, -0.25f}, {1e-7f, 3e8f}, {0, 1}});
    model.InsertPose(0, 1, KnobKey("eyeblink"), {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}});
    model.InsertPose(0, 2, KnobKey("gone"), {});
    model.InsertNewShape(1);
    model.SetShapeIllumination(1, Shape::Dark);
    model.InsertNewShape(2);
    model.SetShapeIllumination(2, 7);
    model.SetShapeName(2, "");
    KnobTimeline& timeline = document->GetTimeline();
    timeline.SetFrameRate(25000);
    timeline.SetAnchor(KnobKey("eyeblink"), 30, 1.0f);
    timeline.SetAnchor(KnobKey("eyeblink"), 45, 0.125f);
    timeline.SetAnchor(KnobKey("canhue"), 0, 200.0f);
    // Seven 16-bit mono sample frames: 14 bytes, not a multiple of 4.
    std::vector<uint8_t> samples;
    for (int i = 0; i < 14; ++i) {
        samples.push_back(static_cast<uint8_t>(i * 37));
    }
    AudioClip clip{AudioHeader::Make(22050, SampleFormat::S16, 1), std::move(samples)};
    document->SetAudio(clip);
    return document;
}

TEST(DocumentFormat, EveryFieldRoundTrips) {
    const auto original = RichDocument();
    const Bytes saved = SaveToMemory(*original);
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetKnobs(), original->GetKnobs());
    ASSERT_EQ(loaded->GetModel().GetShapeCount(), 3u);
    for (uint64_t shape = 0; shape < 3; ++shape) {
        EXPECT_EQ(loaded->GetShape(shape), original->GetShape(shape)) << shape;
    }
    EXPECT_EQ(loaded->GetShapeName(0), "Shape 0");
    EXPECT_EQ(loaded->GetShapeName(0).size(), 7u);
    EXPECT_EQ(loaded->GetTimeline().GetTracks(), original->GetTimeline().GetTracks());
    EXPECT_EQ(loaded->GetFrameRate(), 25000u);
    EXPECT_EQ(loaded->GetAudio(), original->GetAudio());
    EXPECT_EQ(loaded->GetFrameCount(), original->GetFrameCount());
    EXPECT_EQ(SaveToMemory(*loaded), saved);
}

TEST(DocumentFormat, SampleDataIsPaddedAndCounted) {
    const Bytes saved = SaveToMemory(*RichDocument());
    const std::string text(saved.begin(), saved.end());
    const size_t desc = text.find("desc");
    EXPECT_EQ(U32At(saved, desc + 4), 28u);
    EXPECT_EQ(U32At(saved, desc + 28), 14u);
    const size_t smpl = text.find("smpl");
    EXPECT_EQ(U32At(saved, smpl + 4), 16u);
    EXPECT_EQ(saved[smpl + 8 + 14], 0);
    EXPECT_EQ(saved[smpl + 8 + 15], 0);
}

TEST(DocumentFormat, SavingKeepsWholeSampleFramesOnly) {
    auto document = LumoDocument::New();
    AudioClip clip{AudioHeader::Make(8000, SampleFormat::S16, 2), {1, 2, 3, 4, 5, 6}};
    document->SetAudio(clip);
    auto loaded = LoadFromMemory(SaveToMemory(*document));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetAudio().Samples(), (std::vector<uint8_t>{1, 2, 3, 4}));

    // Less than one whole frame writes no audio at all.
    AudioClip tiny{AudioHeader::Make(8000, SampleFormat::S16, 2), {1, 2}};
    document->SetAudio(tiny);
    const Bytes saved = SaveToMemory(*document);
    EXPECT_EQ(std::string(saved.begin(), saved.end()).find("AUDI"), std::string::npos);
}

void Knob2(Node& parent, const char* key, const char* name, float typical) {
    Chunk(parent, chunk::Knob, [&](Node& n) {
        Key(n, key)
            .WriteString(name)
            .WriteFloat(typical)
            .WriteString("lo")
            .WriteFloat(0)
            .WriteString("hi")
            .WriteFloat(1)
            .WriteU32(0);
    });
}

void OldKnob(Node& parent, const char* key) {
    Chunk(parent, chunk::OldKnob, [&](Node& n) {
        Key(n, key)
            .WriteString("Old")
            .WriteFloat(0.5f)
            .WriteString("")
            .WriteFloat(0)
            .WriteString("")
            .WriteFloat(1);
    });
}

void Header(Node& file, uint32_t rate = 29970) {
    Chunk(file, chunk::Timeline, [&](Node& t) {
        Chunk(t, chunk::TimelineHeader, [&](Node& n) { n.WriteU32(rate).WriteU32(1).WriteU32(0); });
    });
}

TEST(DocumentFormat, CandleKnobsKeepTheirOwnDefinitions) {
    const Bytes bytes = FileWith([](Node& file) {
        Chunk(file, chunk::Model, [](Node& m) {
            Knob2(m, "canhue", "Renamed", 3);
            Knob2(m, "mouth", "Mouth", 0.25f);
            Knob2(m, "mouth", "Second mouth", 0.75f);
        });
        Header(file);
    });
    const auto loaded = LoadFromMemory(bytes);
    ASSERT_TRUE(loaded);
    const auto knobs = loaded->GetKnobs();
    ASSERT_EQ(knobs.size(), 4u);
    EXPECT_EQ(knobs[0].name, "Candle Hue");
    EXPECT_EQ(knobs[3].name, "Mouth");
    EXPECT_EQ(loaded->GetTimeline().ValueAt(KnobKey("mouth"), 0), 0.25f);
}

TEST(DocumentFormat, DeletedCandleKnobComesBackFirst) {
    auto document = LumoDocument::New();
    document->GetModel().DeleteKnob(CandleHueKey);
    document->SynchroniseTimeline();
    const auto loaded = LoadFromMemory(SaveToMemory(*document));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetKnobs().front().key, CandleHueKey);
    const KnobTrack* track = loaded->GetTimeline().FindTrack(CandleHueKey);
    ASSERT_TRUE(track);
    EXPECT_EQ(track->GetAnchors(), (std::vector<Anchor>{{0, 56.0f}}));
}

TEST(DocumentFormat, OldKnobRecordsTakeTheirIntentFromTheKey) {
    auto model = std::make_unique<PumpkinModel>();
    model->DeleteKnob(CandleSaturationKey);
    LumoDocument document(std::move(model));
    const Bytes bytes = FileWith([](Node& file) {
        Chunk(file, chunk::Model, [](Node& m) {
            OldKnob(m, "eyeblink");
            OldKnob(m, "cansat");
        });
        Header(file);
    });
    serializer::MemoryDeserializer in(bytes.data(), bytes.size());
    ASSERT_TRUE(document.Read(in));
    EXPECT_EQ(document.GetKnob(KnobKey("eyeblink")).intent, Knob::Intent::Interpolate);
    EXPECT_EQ(document.GetKnob(KnobKey("cansat")).intent, Knob::Intent::Saturation);
    EXPECT_EQ(document.GetKnob(KnobKey("cansat")).name, "Old");
}

TEST(DocumentFormat, UnknownChunksAndTrailingBytesAreSkipped) {
    const Bytes bytes = FileWith([](Node& file) {
        Chunk(file, chunk::Model, [](Node& m) {
            Chunk(m, serializer::ChunkId("XTRA"), [](Node& n) { n.WriteU32(5); });
            Chunk(m, chunk::Shape, [](Node& s) {
                Chunk(s, chunk::ShapeHeader,
                      [](Node& n) { n.WriteU32(0).WriteString("Eye").WriteU64(9); });
                Chunk(s, serializer::ChunkId("note"));
                Chunk(s, chunk::Pose, [](Node& p) {
                    Chunk(p, chunk::PoseHeader, [](Node& n) { Key(n, "").WriteU32(1); });
                    Chunk(p, chunk::Points, [](Node& n) { n.WriteFloat(1).WriteFloat(2); });
                    Chunk(p, serializer::ChunkId("more"), [](Node& n) { n.WriteU32(1); });
                });
            });
        });
        Chunk(file, serializer::ChunkId("ZZZZ"), [](Node& n) { n.WriteU64(1); });
        Chunk(file, chunk::Timeline, [](Node& t) {
            Chunk(t, chunk::TimelineHeader,
                  [](Node& n) { n.WriteU32(29970).WriteU32(1).WriteU32(0).WriteU32(4); });
            Chunk(t, chunk::Track, [](Node& k) {
                Chunk(k, chunk::TrackHeader, [](Node& n) { Key(n, "canhue").WriteU32(1); });
                Chunk(k, chunk::Anchors, [](Node& n) {
                    n.WriteU32(60).WriteFloat(2).WriteU32(10).WriteFloat(1).WriteU32(60).WriteFloat(
                        3);
                });
            });
        });
    });
    Bytes withTrailer = bytes;
    withTrailer.insert(withTrailer.end(), {1, 2, 3});
    const auto loaded = LoadFromMemory(withTrailer);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetShape(0), (Shape{Shape::Dark, "Eye", {{KnobKey(), {{1, 2}}}}}));
    // Anchors come in any order; a later one at the same frame wins.
    EXPECT_EQ(loaded->GetTimeline().FindTrack(CandleHueKey)->GetAnchors(),
              (std::vector<Anchor>{{0, 56}, {10, 1}, {60, 3}}));
}

TEST(DocumentFormat, EmptyModelAndAudioChunks) {
    const auto loaded = LoadFromMemory(FileWith([](Node& file) {
        Chunk(file, chunk::Model);
        Header(file);
        Chunk(file, chunk::Audio);
    }));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetKnobs().size(), 3u);
    EXPECT_EQ(loaded->GetModel().GetShapeCount(), 0u);
    EXPECT_EQ(loaded->GetAudio(), AudioClip{});
}

TEST(DocumentFormat, PointsMustBeWholePairs) {
    const auto withPoints = [](uint32_t count) {
        return FileWith([count](Node& file) {
            Chunk(file, chunk::Model, [count](Node& m) {
                Chunk(m, chunk::Shape, [count](Node& s) {
                    Chunk(s, chunk::ShapeHeader, [](Node& n) { n.WriteU32(1).WriteString("S"); });
                    Chunk(s, chunk::Pose, [count](Node& p) {
                        Chunk(p, chunk::PoseHeader, [](Node& n) { Key(n, ""); });
                        Chunk(p, chunk::Points, [count](Node& n) {
                            for (uint32_t i = 0; i < count; ++i) {
                                n.WriteFloat(0.5f);
                            }
                        });
                    });
                });
            });
            Header(file);
        });
    };
    EXPECT_FALSE(LoadFromMemory(withPoints(3)));
    const auto empty = LoadFromMemory(withPoints(0));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->GetModel().GetPoseCount(0), 1u);
    EXPECT_TRUE(empty->GetPosePoints(0, 0).empty());
}

TEST(DocumentFormat, LowFrameRateIsReplaced) {
    const auto loaded = LoadFromMemory(FileWith([](Node& file) { Header(file, 999); }));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFrameRate(), 29970u);
    const auto kept = LoadFromMemory(FileWith([](Node& file) { Header(file, 1000); }));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetFrameRate(), 1000u);
}

TEST(DocumentFormat, StoredFrameCountIsRecomputed) {
    auto document = LumoDocument::New();
    document->GetTimeline().SetAnchor(CandleHueKey, 28, 1);
    Bytes saved = SaveToMemory(*document);
    // The frame count follows the frame rate in the timeline header.
    const std::string text(saved.begin(), saved.end());
    const size_t count = text.find("tmln") + 12;
    ASSERT_EQ(saved[count], 28);
    saved[count + 3] = 0x80;
    const auto loaded = LoadFromMemory(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFrameCount(), 28u);

    // Deleting the last anchor shortens the animation at its next load.
    document->GetTimeline().DeleteAnchor(CandleHueKey, 28);
    EXPECT_EQ(document->GetFrameCount(), 28u);
    EXPECT_EQ(LoadFromMemory(SaveToMemory(*document))->GetFrameCount(), 1u);
}

void Audio(Node& file, uint64_t bytesPerFrame, const std::vector<uint32_t>& samples,
           bool counted = false, uint64_t count = 0, uint32_t sampleRate = 8000) {
    Chunk(file, chunk::Audio, [&](Node& a) {
        Chunk(a, chunk::AudioHeader, [&](Node& n) {
            Node& d = n.WriteU32(sampleRate).WriteU32(0x210).WriteU32(2).WriteU64(bytesPerFrame);
            if (counted) {
                d.WriteU64(count);
            }
        });
        Chunk(a, chunk::Samples, [&](Node& n) {
            for (uint32_t sample : samples) {
                n.WriteU32(sample);
            }
        });
    });
}

TEST(DocumentFormat, AudioChunks) {
    // Older files: no sample count, the frame size taken from the format
    // when it is stored as 0.
    const auto old = LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 0, {0x01020304, 0x05060708});
    }));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->GetAudio().bytesPerFrame, 4u);
    EXPECT_EQ(old->GetAudio().Samples().size(), 8u);

    const auto counted = LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 4, {1, 2, 3}, true, 8);
    }));
    ASSERT_TRUE(counted);
    EXPECT_EQ(counted->GetAudio().Samples().size(), 8u);

    // A frame size that contradicts the format, a count past the data and a
    // count of partial frames are damage.
    EXPECT_FALSE(LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 8, {1, 2});
    })));
    EXPECT_FALSE(LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 4, {1, 2}, true, 12);
    })));
    EXPECT_FALSE(LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 4, {1, 2}, true, 6);
    })));

    // A clip without one sample frame is no sound, as a save leaves it: its
    // header must not change the length of what loads.
    const auto empty = LoadFromMemory(FileWith([](Node& f) {
        Header(f);
        Audio(f, 4, {}, true, 0, 0);
    }));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->GetFrameCount(), LumoDocument::New()->GetFrameCount());
    const Bytes saved = SaveToMemory(*empty);
    EXPECT_EQ(SaveToMemory(*LoadFromMemory(saved)), saved);
}

struct Missing {
    const char* what;
    std::function<void(Node&)> build;
};

TEST(DocumentFormat, MissingMandatoryChunksFailTheLoad) {
    const auto shape = [](const std::function<void(Node&)>& inside) {
        return [inside](Node& file) {
            Chunk(file, chunk::Model, [&](Node& m) { Chunk(m, chunk::Shape, inside); });
            Header(file);
        };
    };
    const auto track = [](const std::function<void(Node&)>& inside) {
        return [inside](Node& file) {
            Chunk(file, chunk::Timeline, [&](Node& t) {
                Chunk(t, chunk::TimelineHeader, [](Node& n) { n.WriteU32(29970).WriteU64(0); });
                Chunk(t, chunk::Track, inside);
            });
        };
    };
    const std::vector<Missing> cases{
        {"shap", shape([](Node& s) { Chunk(s, chunk::Pose); })},
        {"short shap",
         shape([](Node& s) { Chunk(s, chunk::ShapeHeader, [](Node& n) { n.WriteU32(1); }); })},
        {"pose", shape([](Node& s) {
             Chunk(s, chunk::ShapeHeader, [](Node& n) { n.WriteU32(1).WriteString(""); });
             Chunk(s, chunk::Pose, [](Node& p) { Chunk(p, chunk::Points); });
         })},
        {"PT2F", shape([](Node& s) {
             Chunk(s, chunk::ShapeHeader, [](Node& n) { n.WriteU32(1).WriteString(""); });
             Chunk(s, chunk::Pose,
                   [](Node& p) { Chunk(p, chunk::PoseHeader, [](Node& n) { Key(n, ""); }); });
         })},
        {"tmln",
         [](Node& file) {
             Chunk(file, chunk::Timeline, [](Node& t) { Chunk(t, chunk::Track); });
         }},
        {"short tmln",
         [](Node& file) {
             Chunk(file, chunk::Timeline, [](Node& t) {
                 Chunk(t, chunk::TimelineHeader, [](Node& n) { n.WriteU64(29970); });
             });
         }},
        {"trak", track([](Node& k) { Chunk(k, chunk::Anchors); })},
        {"ANCH",
         track([](Node& k) { Chunk(k, chunk::TrackHeader, [](Node& n) { Key(n, "x"); }); })},
        {"odd ANCH", track([](Node& k) {
             Chunk(k, chunk::TrackHeader, [](Node& n) { Key(n, "x"); });
             Chunk(k, chunk::Anchors, [](Node& n) { n.WriteU32(1); });
         })},
        {"desc",
         [](Node& file) {
             Chunk(file, chunk::Audio, [](Node& a) { Chunk(a, chunk::Samples); });
         }},
        {"smpl",
         [](Node& file) {
             Chunk(file, chunk::Audio, [](Node& a) {
                 Chunk(a, chunk::AudioHeader,
                       [](Node& n) { n.WriteU32(1).WriteU32(0x210).WriteU32(1).WriteU64(2); });
             });
         }},
        {"short knob",
         [](Node& file) {
             Chunk(file, chunk::Model, [](Node& m) {
                 Chunk(m, chunk::Knob, [](Node& n) { Key(n, "k").WriteString("n"); });
             });
         }},
        {"empty file chunk",
         [](Node&) {
         }},
    };
    for (const Missing& c : cases) {
        EXPECT_FALSE(LoadFromMemory(FileWith(c.build))) << c.what;
    }
}

TEST(DocumentFormat, WrongSignatureOrOuterChunk) {
    Bytes good = FileWith([](Node& file) { Header(file); });
    ASSERT_TRUE(LoadFromMemory(good));
    Bytes badSignature = good;
    badSignature[26] = 1;
    EXPECT_FALSE(LoadFromMemory(badSignature));
    Bytes badOuter = good;
    badOuter[29] = '-';
    EXPECT_FALSE(LoadFromMemory(badOuter));
    EXPECT_FALSE(LoadFromMemory(Bytes{}));
}

TEST(DocumentFormat, EveryTruncationFails) {
    const Bytes whole = SaveToMemory(*RichDocument());
    for (size_t size = 0; size < whole.size(); ++size) {
        const Bytes part(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_FALSE(LoadFromMemory(part)) << size;
    }
}

TEST(DocumentFormat, HugeLengthsFailWithoutReadingPastTheFile) {
    // A sample chunk that claims nearly 4 GiB inside a file of a few bytes.
    Bytes bytes = FileWith([](Node& f) {
        Header(f);
        Audio(f, 4, {1, 2}, true, 8);
    });
    const std::string text(bytes.begin(), bytes.end());
    const auto put = [&bytes](size_t offset, auto value) {
        std::memcpy(bytes.data() + offset, &value, sizeof(value));
    };
    put(text.find("(~~)") + 4, uint32_t{0xFFFFFFF0});
    put(text.find("AUDI") + 4, uint32_t{0xFFFFFF00});
    put(text.find("desc") + 28, uint64_t{0xFFFFFE00});
    put(text.find("smpl") + 4, uint32_t{0xFFFFFE00});
    EXPECT_FALSE(LoadFromMemory(bytes));

    // A string count that would wrap when rounded up.
    const Bytes wrapped = FileWith([](Node& file) {
        Chunk(file, chunk::Model, [](Node& m) {
            Chunk(m, chunk::Knob, [](Node& n) { Key(n, "k").WriteU32(0xFFFFFFFF).WriteU32(0); });
        });
        Header(file);
    });
    EXPECT_FALSE(LoadFromMemory(wrapped));
}

// A file whose timeline holds a track for a key that is no knob (found by
// the round-trip fuzzer): the track neither lengthens the animation nor
// makes the first save differ from the next.
TEST(DocumentFormat, ATrackOfNoKnobIsReadPast) {
    // One track's key is a misspelt knob's, the other's is all zero bytes.
    for (const char* name : {"/orphan-track.glw", "/empty-key-track.glw"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(LUMO_DOCUMENT_DATA) + name, std::ios::binary);
        const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto loaded = LoadFromMemory(file);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetFrameCount(), 15u);
        const Bytes saved = SaveToMemory(*loaded);
        const auto again = LoadFromMemory(saved);
        ASSERT_TRUE(again);
        EXPECT_EQ(SaveToMemory(*again), saved);
    }
}

} // namespace
} // namespace vel::lumo
