#pragma once

#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/render/VideoSizes.h"
#include "core/CommandLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// The program's own command line, in registration order.
struct LumoCommandLine : core::CommandLine {
    // An option that takes a file name: "--name=<file>".
    struct FileOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<file>"; }
    };

    // An option that takes a count: "--name=<n>".
    struct CountOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<n>"; }
    };

    // "--animate=<list>": only the words of an animation list are valid.
    struct AnimateOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<list>"; }
        bool ParseValue(const std::string& text) override;
    };

    // "--size=<width>x<height>": one of the listed video sizes, which
    // GetConflicts checks so that the message can name them.
    struct SizeOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<width>x<height>"; }
        bool ParseValue(const std::string& text) override;
        // The size given, VideoSize when none was; nothing for an unlisted one.
        std::optional<CanvasSize> Size() const;
    };

    // "--screen=<n>": a screen counted from 1 in the desktop's order.
    struct ScreenOption : CountOption {
        using CountOption::CountOption;
        bool ParseValue(const std::string& text) override;
        // 0 when not given.
        uint32_t Number() const;
    };

    // An option that takes words: "--name=<text>".
    struct TextOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<text>"; }
    };

    // "--language=<english|any>": how lip sync reads the voice.
    struct LanguageOption : Option<std::string> {
        using Option::Option;
        std::string GetUsageName() const override { return GetName() + "=<english|any>"; }
        bool ParseValue(const std::string& text) override;
        // Whether the voice is read from its sound alone, in any language.
        bool Any() const { return value == "any"; }
    };

    LumoCommandLine();

    // The lip sync that --animate=lipsync, --transcript and --language ask for.
    LipSyncSettings LipSync() const;
    // Options that parse one by one but do not go together, one line each.
    std::vector<std::string> GetConflicts() const;

    Argument<std::string> program{"lumo", "An editor for producing gourdglowlight animations.",
                                  "lumo.exe"};
    Option<bool> help{*this, "help", "displays information about the command line"};
    Option<bool> demo{
        *this, "demo",
        "opens the main window at a standard size for making screen shots for the documentation"};
    Option<bool> maximize{*this, "maximize", "opens the main window maximized"};
    Option<bool> render{*this, "render",
                        "renders the document to an MP4 video without opening the window"};
    FileOption output{*this, "output",
                      "the video file that --render writes (default: the document's name with "
                      ".mp4), or the document file that --animate writes"};
    CountOption loops{*this, "loops",
                      "how many times --render plays the animation over (default: 1)"};
    CountOption minutes{*this, "minutes",
                        "loops the animation that --render writes on until the video plays for "
                        "at least that many minutes, up to a day (default: --loops alone)"};
    SizeOption size{*this, "size",
                    "the picture size of the video that --render writes: " + VideoSizeNames() +
                        " (default: 1920x1080); the face keeps its shape, with black bars "
                        "where the size is narrower or taller"};
    Option<bool> fitted{*this, "fitted",
                        "draws every frame that --render writes fitted to the pumpkin by the "
                        "document's fit (default: unfitted)"};
    AnimateOption animate{*this, "animate",
                          "adds lip sync from the document's voice, blinks or candle flicker, as "
                          "a comma-separated list of lipsync, blinks and flicker, and writes the "
                          "document to --output without opening the window"};
    TextOption transcript{*this, "transcript",
                          "the words spoken in the document's voice, for --animate=lipsync"};
    LanguageOption language{*this, "language",
                            "how --animate=lipsync reads the voice: english recognises the "
                            "phonemes of English speech, any reads the mouth from the sound "
                            "of a voice in any language (default: english)"};
    Option<bool> show{*this, "show",
                      "plays the document full screen in a loop, as on the projector, without "
                      "opening the main window; Escape ends it"};
    ScreenOption screen{*this, "screen",
                        "the screen --show plays on, counted from 1 (default: the one chosen "
                        "last in the main window, else the first)"};
    Argument<std::string> fileName{"file-name",
                                   "name of an existing gourdglowlight (.glw) file to open"};
};

} // namespace vel::lumo
