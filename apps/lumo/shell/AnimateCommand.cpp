#include "apps/lumo/shell/AnimateCommand.h"

#include "apps/lumo/animate/AnimateList.h"
#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/shell/CommandProgress.h"
#include "core/FailureMessage.h"
#include "core/FileErrorText.h"
#include "core/UserFailure.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace vel::lumo {

namespace {

// "lipsync: 12 %", for the progress of one animation.
ProgressText ShareDone(const std::string& word) {
    return [word](std::uint64_t done, std::uint64_t total) {
        return word + ": " + std::to_string(done * 100 / std::max<std::uint64_t>(total, 1)) + " %";
    };
}

} // namespace

int AnimateCommand(const std::string& documentName, const std::string& list,
                   const std::string& output, const LipSyncSettings& lipSync) {
    if (documentName.empty()) {
        return core::Fail({}, "--animate needs the name of a gourdglowlight (.glw) document");
    }
    const auto words = ParseAnimateList(list);
    if (!words) {
        return core::Fail({}, "--animate takes a list of lipsync, blinks and flicker");
    }
    core::FileError error;
    std::unique_ptr<LumoDocument> document;
    try {
        document = LumoDocument::Open(documentName, error);
    } catch (const std::exception&) {
        return core::Fail(documentName, "cannot open the document: " +
                                            core::FailureReason(std::current_exception()));
    }
    if (!document) {
        return core::Fail(documentName,
                          "cannot open the document: " +
                              core::FileErrorText(error, core::FileOperation::Reading));
    }
    const FrameRange range{0, document->GetFrameCount()};
    // Every animation is checked before any runs, so a refusal comes at once.
    std::vector<std::unique_ptr<KeyGenerator>> generators;
    for (const std::string& word : *words) {
        generators.push_back(MakeGenerator(word, lipSync));
        if (const auto problem = generators.back()->Problem(AnimateInput::From(*document, range))) {
            return core::Fail(documentName, word + ": " + *problem + " Nothing was written.");
        }
    }
    StopOnSignals();
    for (std::size_t i = 0; i < generators.size(); ++i) {
        const std::string& word = (*words)[i];
        std::optional<Animation> animation;
        try {
            animation = generators[i]->Generate(AnimateInput::From(*document, range),
                                                ReportProgress(ShareDone(word)));
        } catch (const std::exception&) {
            return core::Fail(documentName, word + ": " +
                                                core::FailureReason(std::current_exception()) +
                                                ". Nothing was written.");
        }
        if (!animation) {
            return core::Fail(documentName, word + ": interrupted. Nothing was written.");
        }
        if (!ApplyAnimation(*document, generators[i]->Name(), range, *animation)) {
            return core::Fail(documentName,
                              word + ": the keys could not be added. Nothing was written.");
        }
        std::fprintf(stderr, "%s: %s\n", word.c_str(), animation->method.c_str());
        if (const auto warning = MissingPoseWarning(*document, generators[i]->Keys())) {
            std::fprintf(stderr, "%s: %s.\n", word.c_str(), warning->c_str());
        }
    }
    if (!document->Save(output)) {
        return core::Fail(output, "cannot save the document: " +
                                      core::FileErrorText(document->GetFileError(),
                                                          core::FileOperation::Writing));
    }
    std::printf("%s\n", output.c_str());
    return 0;
}

} // namespace vel::lumo
