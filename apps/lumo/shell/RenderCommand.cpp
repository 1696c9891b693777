#include "apps/lumo/shell/RenderCommand.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportFailure.h"
#include "apps/lumo/render/ExportRun.h"
#include "apps/lumo/shell/CommandProgress.h"
#include "core/FailureMessage.h"
#include "core/File.h"
#include "core/FileErrorText.h"

#include <QGuiApplication>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace vel::lumo {

namespace {

// Qt's own warnings (about the session, fonts) are not the program's
// messages; standard error carries only progress and the one failure line.
void DropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

std::string FrameOfTotal(uint64_t done, uint64_t total) {
    return "frame " + std::to_string(done) + " of " + std::to_string(total);
}

// The whole text as a number from least to most; nothing for any other text.
std::optional<uint32_t> ReadCount(const std::string& text, uint32_t least, uint32_t most) {
    uint32_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < least || count > most) {
        return std::nullopt;
    }
    return count;
}

} // namespace

std::string DefaultVideoName(const std::string& document) {
    std::filesystem::path video(document);
    // A document already named .mp4 keeps its name and gains another extension.
    if (video.extension() == ".mp4") {
        return document + ".mp4";
    }
    return video.replace_extension(".mp4").string();
}

int RenderCommand(int& argc, char* argv[], const RenderRequest& request) {
    const std::string& documentName = request.document;
    if (documentName.empty()) {
        return core::Fail({}, "--render needs the name of a gourdglowlight (.glw) document");
    }
    const std::optional<uint32_t> loopCount = request.loops.empty()
                                                  ? std::optional<uint32_t>(1)
                                                  : ReadCount(request.loops, 1, UINT32_MAX);
    if (!loopCount) {
        return core::Fail({}, "--loops needs a whole number of at least 1");
    }
    const std::optional<uint32_t> minutes = request.minutes.empty()
                                                ? std::optional<uint32_t>(0)
                                                : ReadCount(request.minutes, 1, MaximumMinutes);
    if (!minutes) {
        return core::Fail({}, "--minutes needs a whole number from 1 to " +
                                  std::to_string(MaximumMinutes) + " (a day)");
    }
    const std::string output =
        request.output.empty() ? DefaultVideoName(documentName) : request.output;

    core::FileError error;
    const auto document = LumoDocument::Open(documentName, error);
    if (!document) {
        return core::Fail(documentName,
                          std::string("cannot open the document: ") +
                              core::FileErrorText(error, core::FileOperation::Reading));
    }
    std::error_code ec;
    if (std::filesystem::equivalent(documentName, output, ec)) {
        return core::Fail(output, "the video would replace the document itself");
    }
    ExportOptions options{output,       0,       document->GetFrameCount(),
                          *loopCount,   false,   request.fitted,
                          request.size, *minutes};
    if (options.endFrame == 0) {
        return core::Fail(documentName, "the animation has no frames to render");
    }

    // Text needs a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropQtMessage);
    const QGuiApplication application(argc, argv);
    // Ctrl+C, a closed terminal or a stop request end the export between
    // frames; the unfinished file has no name and vanishes with the program.
    StopOnSignals();
    try {
        ExportJob job;
        if (!RunExport(job, options, *document, ReportProgress(FrameOfTotal))) {
            return core::Fail(output, "the export was interrupted; nothing was written");
        }
    } catch (...) {
        return core::Fail(output, "cannot write the video: " +
                                      ExportFailureReason(std::current_exception()));
    }
    std::printf("%s\n", output.c_str());
    return 0;
}

} // namespace vel::lumo
