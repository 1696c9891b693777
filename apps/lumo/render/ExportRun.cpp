#include "apps/lumo/render/ExportRun.h"

#include "apps/lumo/render/ExportAudio.h"
#include "apps/lumo/render/ExportPicture.h"
#include "core/UserFailure.h"
#include "video/FirstPass.h"
#include "video/H264Encoder.h"
#include "video/XVideoWriter.h"

#include <climits>
#include <optional>
#include <string>

namespace vel::lumo {

namespace {

// From about a second on, a run is worth encoding once and writing again
// for every further loop; each loop then starts with a keyframe.
constexpr uint32_t RepeatFrom = 30;

} // namespace

bool RunExport(ExportJob& job, const ExportOptions& options, const LumoDocument& source,
               const ExportProgress& progress) {
    job.writer.reset();
    job.document = std::make_unique<LumoDocument>(source);
    const LumoDocument& document = *job.document;
    const uint32_t rate = document.GetFrameRate();
    const float fps = static_cast<float>(rate) / 1000.0f;
    // The video keeps the rate as the float rounds it, which can pass the
    // limit where the document's own rate stays just below it.
    if (rate > INT32_MAX || video::FrameRateNumerator(fps) > INT32_MAX) {
        throw core::UserFailure("the frame rate of " + std::to_string(rate) +
                                " frames per 1000 seconds is more than a video can hold");
    }

    const int width = static_cast<int>(options.size.width);
    const int height = static_cast<int>(options.size.height);
    job.target = std::make_unique<core::ReplacingFile>();
    if (!job.target->Open(options.fileName)) {
        throw job.target->Failure();
    }
    ExportPicture picture(width, height, options.fitted ? &document.GetFit() : nullptr,
                          document.GetModel().GetCanvasSize());

    const uint32_t length = options.endFrame - options.firstFrame;
    const uint32_t loops = TotalLoops(options, rate);
    const uint64_t total = uint64_t{length} * loops;
    // Without a counter every loop shows the same pictures.
    const bool repeat = !options.burnIn && loops > 1 && length >= RepeatFrom;
    std::optional<video::FirstPass> firstPass;
    if (repeat) {
        // A single run is too short for the encoder to find its bit rate by
        // itself; a first pass tells it how.
        firstPass.emplace(width, height, fps);
        for (uint32_t f = options.firstFrame; f < options.endFrame; ++f) {
            firstPass->WriteVideoFrame(picture.Rows(),
                                       picture.Draw(document.EvaluateFrame(f), std::nullopt, rate));
            if (progress && !progress(0, total)) {
                return false;
            }
        }
    }
    job.writer = std::make_unique<video::VideoWriter>(width, height, fps, job.target->GetFile(),
                                                      repeat ? firstPass->Finish() : "", total);
    if (repeat) {
        job.writer->KeepVideo();
    }
    ExportAudio audio(document.GetAudio(), rate);

    uint64_t done = 0;
    for (uint32_t loop = 0; loop < loops; ++loop) {
        for (uint32_t f = options.firstFrame; f < options.endFrame; ++f) {
            bool written;
            if (repeat && loop > 0) {
                written = job.writer->WriteKeptFrame(f - options.firstFrame);
            } else {
                const video::FrameRegion changed = picture.Draw(
                    document.EvaluateFrame(f),
                    options.burnIn ? std::optional<uint64_t>(done) : std::nullopt, rate);
                written = job.writer->WriteVideoFrame(picture.Rows(), changed);
                if (!written) {
                    picture.Keep(changed);
                }
            }
            const AudioView slice = audio.Slice(f);
            if (written &&
                job.writer->WriteAudio(slice.bytesPerFrame, slice.data, slice.byteCount)) {
                job.writer->AdvanceTime();
            }
            // A refused frame is skipped; a failed write (a full disk) ends
            // the export at once with its reason.
            if (const int error = job.writer->LastError()) {
                throw video::XVideoWriter(error);
            }
            ++done;
            if (progress && !progress(done, total)) {
                return false;
            }
        }
    }
    job.writer->Finish();
    job.writer.reset();
    if (!job.target->Commit()) {
        throw job.target->Failure();
    }
    job.target.reset();
    return true;
}

} // namespace vel::lumo
