// Writes the seed corpora of the fuzz targets: small documents saved by the
// program itself, small WAV files of each layout the reader accepts and
// records of recovery copies as the program writes them.
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoFormat.h"
#include "apps/lumo/recovery/RecoveryRecord.h"
#include "serializer/MemorySerializer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vel::lumo;
using Bytes = std::vector<unsigned char>;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes Saved(const LumoDocument& document) {
    vel::serializer::MemorySerializer out;
    document.Write(out);
    return out.Bytes();
}

std::unique_ptr<LumoDocument> Face() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.AddKnob(
        Knob{KnobKey("mouth"), "Mouth", 0.1f, "closed", 0, "open", 1, Knob::Intent::Interpolate});
    model.AddKnob(Knob{KnobKey("eyeblink"), "Eyes Blink", 0.1f, "closed", 1, "open", 0,
                       Knob::Intent::Interpolate});
    document->SynchroniseTimeline();
    model.InsertNewShape(0);
    model.InsertPose(0, 0, KnobKey(), {{-0.5f, 0.2f}, {-0.2f, 0.2f}, {-0.35f, 0.5f}});
    model.InsertPose(0, 1, KnobKey("eyeblink"), {{-0.5f, 0.3f}, {-0.2f, 0.3f}, {-0.35f, 0.32f}});
    model.InsertNewShape(1);
    model.SetShapeName(1, "Mouth");
    model.InsertPose(1, 0, KnobKey(), {{-0.4f, -0.3f}, {0.4f, -0.3f}, {0, -0.5f}});
    model.InsertPose(1, 1, KnobKey("mouth"), {{-0.4f, -0.2f}, {0.4f, -0.2f}, {0, -0.7f}});
    model.InsertNewShape(2);
    model.SetShapeIllumination(2, Shape::Dark);
    document->GetTimeline().SetAnchor(KnobKey("mouth"), 15, 0.9f);
    document->GetTimeline().SetAnchor(KnobKey("eyeblink"), 40, 1.0f);
    return document;
}

void WriteDocuments(const std::filesystem::path& folder) {
    WriteFile(folder / "new.glw", Saved(*LumoDocument::New()));
    auto face = Face();
    WriteFile(folder / "face.glw", Saved(*face));
    PumpkinFit fit;
    fit.SetCorner(1, {0.9f, 0.1f});
    fit.SetCorner(3, {0.05f, 0.85f});
    fit.SetGridOn(true);
    fit.SetGridOffset(4, {0.03f, -0.02f});
    face->SetFit(fit);
    WriteFile(folder / "face-fitted.glw", Saved(*face));
    face->SetFit(PumpkinFit{});
    // The start of a PNG file: the loader checks no more of the photo.
    const Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D'};
    face->SetPhoto(*TracingPhoto::Make(png, {{0.1f, -0.2f}, 1.5f, 0.4f}));
    WriteFile(folder / "face-photo.glw", Saved(*face));
    face->SetPhoto(TracingPhoto{});
    ExpressionKeys keys;
    keys[0] = KnobKey("mouth");
    keys[4] = KnobKey("eyeblink");
    face->SetExpressionKeys(keys);
    WriteFile(folder / "face-expression-keys.glw", Saved(*face));
    face->SetExpressionKeys(std::nullopt);
    AudioClip odd{AudioHeader::Make(8000, SampleFormat::S16, 1), {1, 0, 2, 0, 3, 0}};
    face->SetAudio(odd);
    WriteFile(folder / "face-odd-audio.glw", Saved(*face));
    Bytes floats(64, 0);
    floats[3] = 0x3f;
    AudioClip stereo{AudioHeader::Make(44100, SampleFormat::F32, 2), std::move(floats)};
    face->SetAudio(stereo);
    face->GetTimeline().SetFrameRate(25000);
    WriteFile(folder / "face-float-audio.glw", Saved(*face));

    // A record of the older knob layout, which files may still hold.
    vel::serializer::MemorySerializer out;
    auto& model =
        out.Root().WriteSignature(FileSignature).BeginChunk(chunk::File).BeginChunk(chunk::Model);
    model.BeginChunk(chunk::OldKnob)
        .Write(KnobKey("eyepan").GetBytes().data(), KnobKey::Size)
        .WriteString("Eyes Pan")
        .WriteFloat(0.5f)
        .WriteString("left")
        .WriteFloat(0)
        .WriteString("right")
        .WriteFloat(1)
        .EndChunk(chunk::File);
    out.Write();
    WriteFile(folder / "old-knob.glw", out.Bytes());
}

struct Wav {
    uint16_t tag;
    uint16_t channels;
    uint32_t rate;
    uint16_t bits;
    uint16_t container;
    bool extensible;
};

void Put(Bytes& bytes, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void PutText(Bytes& bytes, const char* text) {
    bytes.insert(bytes.end(), text, text + 4);
}

Bytes MakeWav(const Wav& wav, uint32_t frames, bool withList) {
    const uint16_t align = static_cast<uint16_t>(wav.channels * wav.container / 8);
    Bytes format;
    Put(format, wav.extensible ? 0xFFFE : wav.tag, 2);
    Put(format, wav.channels, 2);
    Put(format, wav.rate, 4);
    Put(format, uint64_t{wav.rate} * align, 4);
    Put(format, align, 2);
    Put(format, wav.container, 2);
    if (wav.extensible) {
        Put(format, 22, 2);
        Put(format, wav.bits, 2);
        Put(format, wav.channels == 1 ? 4 : 3, 4);
        Put(format, wav.tag, 4);
        const unsigned char guid[] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                      0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
        format.insert(format.end(), guid, guid + sizeof(guid));
    }
    Bytes body;
    PutText(body, "WAVE");
    PutText(body, "fmt ");
    Put(body, format.size(), 4);
    body.insert(body.end(), format.begin(), format.end());
    if (withList) {
        PutText(body, "LIST");
        Put(body, 5, 4);
        body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});
    }
    PutText(body, "data");
    const uint32_t dataSize = frames * align;
    Put(body, dataSize, 4);
    for (uint32_t i = 0; i < dataSize; ++i) {
        body.push_back(static_cast<unsigned char>(i * 29 + 7));
    }
    if (dataSize % 2 != 0) {
        body.push_back(0);
    }
    Bytes file;
    PutText(file, "RIFF");
    Put(file, body.size(), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void WriteWavs(const std::filesystem::path& folder) {
    WriteFile(folder / "u8-mono.wav", MakeWav({1, 1, 8000, 8, 8, false}, 9, false));
    WriteFile(folder / "s16-stereo.wav", MakeWav({1, 2, 44100, 16, 16, false}, 8, true));
    WriteFile(folder / "s24-mono.wav", MakeWav({1, 1, 48000, 24, 24, false}, 5, false));
    WriteFile(folder / "f32-stereo.wav", MakeWav({3, 2, 22050, 32, 32, false}, 4, false));
    WriteFile(folder / "s32-extensible.wav", MakeWav({1, 2, 48000, 24, 32, true}, 4, true));
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WriteRecords(const std::filesystem::path& folder) {
    const ProcessIdentity ended{12345, 6789, "an earlier boot"};
    WriteText(folder / "untitled.record",
              RecoveryRecord{RecoveryRecord::Untitled, 1765000000, ended}.ToText());
    WriteText(folder / "saved.record",
              RecoveryRecord{"/home/user/face.glw", 1765000000, ended}.ToText());
    WriteText(folder / "odd-name.record",
              RecoveryRecord{"/home/user/odd\nname=1.glw", -1, ended}.ToText());
    WriteText(folder / "running.record",
              RecoveryRecord{"/home/user/face.glw", 0, ProcessIdentity::Current()}.ToText());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: lumo_fuzz_seeds FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* name : {"document", "wav", "recovery"}) {
        std::filesystem::create_directories(root / name);
    }
    WriteDocuments(root / "document");
    WriteWavs(root / "wav");
    WriteRecords(root / "recovery");
    return 0;
}
