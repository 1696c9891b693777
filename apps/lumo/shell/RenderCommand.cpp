#include "apps/lumo/shell/RenderCommand.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/ExportFailure.h"
#include "apps/lumo/render/ExportRun.h"
#include "core/FailureMessage.h"
#include "core/File.h"
#include "core/FileErrorText.h"

#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace vel::lumo {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

// Qt's own warnings (about the session, fonts) are not the program's
// messages; standard error carries only progress and the one failure line.
void DropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// "about M:SS left" from the pace so far.
std::string TimeLeft(std::chrono::steady_clock::duration elapsed, uint64_t done, uint64_t total) {
    // Before the first frame (a looped export encodes its run first) there
    // is no pace yet.
    if (done == 0) {
        return "time left not known yet";
    }
    const double seconds = std::chrono::duration<double>(elapsed).count() /
                           static_cast<double>(done) * static_cast<double>(total - done);
    const auto whole = static_cast<unsigned long long>(std::llround(std::min(seconds, 1e15)));
    char text[64];
    std::snprintf(text, sizeof text, "about %llu:%02llu left", whole / 60, whole % 60);
    return text;
}

// Frames done of the total: rewritten in place on a terminal; otherwise a
// line at every tenth of the way and at least every two seconds, so that a
// log shows a long export moving and when it will end.
ExportProgress ReportProgress() {
    using Clock = std::chrono::steady_clock;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const Clock::time_point start = Clock::now();
    return [terminal, start, shown = uint64_t{0}, shownAt = start](uint64_t done,
                                                                   uint64_t total) mutable {
        const Clock::time_point now = Clock::now();
        const bool due = done == total || done * 10 / total != shown * 10 / total ||
                         now - shownAt >= std::chrono::seconds(2);
        if (terminal || due) {
            std::fprintf(stderr, "%sframe %llu of %llu, %s%s", terminal ? "\r" : "",
                         static_cast<unsigned long long>(done),
                         static_cast<unsigned long long>(total),
                         TimeLeft(now - start, done, total).c_str(),
                         terminal && done != total ? "  " : "\n");
            shown = done;
            shownAt = now;
        }
        return interrupted == 0;
    };
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
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        std::signal(signal, OnInterrupt);
    }
    try {
        ExportJob job;
        if (!RunExport(job, options, *document, ReportProgress())) {
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
