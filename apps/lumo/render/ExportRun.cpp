#include "apps/lumo/render/ExportRun.h"

#include "apps/lumo/render/ExportAudio.h"
#include "apps/lumo/render/ExportPicture.h"

#include <optional>

namespace vel::lumo {

bool RunExport(ExportJob& job, const ExportOptions& options, const LumoDocument& source,
               const ExportProgress& progress) {
    job.writer.reset();
    job.document = std::make_unique<LumoDocument>(source);
    const LumoDocument& document = *job.document;
    const uint32_t rate = document.GetFrameRate();
    const float fps = static_cast<float>(rate) / 1000.0f;

    const CanvasSize size = document.GetModel().GetCanvasSize();
    const int width = static_cast<int>(size.width != 0 ? size.width : VideoSize.width);
    const int height = static_cast<int>(size.height != 0 ? size.height : VideoSize.height);
    job.target = std::make_unique<TemporaryTarget>(options.fileName);
    job.writer = std::make_unique<video::VideoWriter>(width, height, fps, job.target->Path());

    ExportAudio audio(document.GetAudio(), rate);
    ExportPicture picture(width, height);

    const uint64_t total = uint64_t{options.endFrame - options.firstFrame} * options.loopCount;
    uint64_t done = 0;
    for (uint32_t loop = 0; loop < options.loopCount; ++loop) {
        for (uint32_t f = options.firstFrame; f < options.endFrame; ++f) {
            const video::FrameRegion changed =
                picture.Draw(document.EvaluateFrame(f),
                             options.burnIn ? std::optional<uint64_t>(done) : std::nullopt, rate);
            const bool written = job.writer->WriteVideoFrame(picture.Rows(), changed);
            if (!written)
                picture.Keep(changed);
            const AudioView slice = audio.Slice(f);
            if (written && job.writer->WriteAudio(slice.bytesPerFrame, slice.data, slice.byteCount))
                job.writer->AdvanceTime();
            ++done;
            if (progress && !progress(done, total))
                return false;
        }
    }
    job.writer->Finish();
    job.writer.reset();
    job.target->Commit();
    job.target.reset();
    return true;
}

} // namespace vel::lumo
