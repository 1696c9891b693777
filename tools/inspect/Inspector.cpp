#include "tools/inspect/Inspector.h"

#include "apps/lumo/audio/LoadWav.h"
#include "core/FailureMessage.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "tools/inspect/InspectJson.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace vel::lumo {
namespace {

constexpr const char* Help = R"(Usage:
  lumo-inspect [--frame N] FILE.glw    print a document as JSON
  lumo-inspect --wav FILE.wav          print what the program reads from a WAV file
  lumo-inspect --save-as OUT FILE.glw  load a document and save it to OUT
  lumo-inspect --help                  show this text

A document prints as an object with "knobs" (key, name, typical, minLabel,
minValue, maxLabel, maxValue, intent), "shapes" (name, illumination, poses
with key and points), "timeline" (frameRate in frames per 1000 seconds,
frameCount, tracks: an object from knob key to a list of [frame, value]),
"audio" (sampleRate, format as a hex code such as "0x00000210", channels,
bytesPerSampleFrame, sampleFrames) or null, "fit" (grid, and handles: each
active handle as [x, y] in fractions of the picture) or null when the
picture is not fitted, "photo" (bytes, centre, height, opacity) or null,
and "expressionKeys" (chosen, whether the document chose them, and keys:
the knob key each of the keys 1 to 9 holds, or null).

--frame N adds "frame": its number, "knobValues" (an object from knob key
to value) and "shapes" (for each shape its "color" as red, green, blue and
alpha, and its "outline" as a list of [x, y]).

--wav prints sampleRate, format, channels, bytesPerSampleFrame,
sampleFrames and "peaks", the largest absolute sample of each channel.

Numbers print with enough digits to read back exactly; an infinite or
undefined value prints as the string "inf", "-inf" or "nan".

Exit codes: 0 done; 1 a file could not be loaded or saved (one line on
standard error names the file and the reason); 2 the command line was wrong.
)";

struct Request {
    bool help = false;
    std::optional<uint32_t> frame;
    std::optional<std::string> saveAs;
    bool wav = false;
    std::string file;
};

std::optional<uint32_t> ParseFrame(const std::string& text) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Reads the words into the request; an error text when they make no sense.
std::string Parse(const std::vector<std::string>& words, Request& request) {
    std::vector<std::string> files;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (word == "--help" || word == "-h") {
            request.help = true;
        } else if (word == "--wav") {
            request.wav = true;
        } else if (word == "--frame") {
            if (!hasValue || !(request.frame = ParseFrame(words[++i]))) {
                return "--frame needs a frame number from 0 to 4294967295";
            }
        } else if (word == "--save-as") {
            if (!hasValue) {
                return "--save-as needs the name of the file to write";
            }
            request.saveAs = words[++i];
        } else if (word == "--") {
            files.insert(files.end(), words.begin() + static_cast<ptrdiff_t>(i) + 1, words.end());
            break;
        } else if (word.size() > 1 && word[0] == '-') {
            return "unknown option " + word;
        } else {
            files.push_back(word);
        }
    }
    if (request.help) {
        return {};
    }
    if (files.size() != 1) {
        return files.empty() ? "no file given" : "more than one file given";
    }
    if (request.wav && (request.frame || request.saveAs)) {
        return "--wav cannot be combined with --frame or --save-as";
    }
    request.file = files.front();
    return {};
}

constexpr const char* InspectorName = "lumo-inspect";

void Print(std::ostream& out, const nlohmann::ordered_json& json) {
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

int InspectWav(const Request& request, std::ostream& out, std::ostream& err) {
    core::File probe;
    if (!probe.Open(request.file, core::File::ReadAccess, core::File::OpenExisting)) {
        return core::Fail(request.file,
                          core::FileErrorText(probe.Failure(), core::FileOperation::Reading), err,
                          InspectorName);
    }
    probe.Close();
    const AudioClip clip = LoadWav(request.file);
    if (clip.format == SampleFormat::None && clip.Samples().empty()) {
        return core::Fail(request.file, "not a WAV file that can be read", err, InspectorName);
    }
    Print(out, ClipJson(clip));
    return 0;
}

} // namespace

int RunInspector(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Request request;
    if (const std::string error = Parse(arguments, request); !error.empty()) {
        err << "lumo-inspect: " << error << "\nTry lumo-inspect --help.\n";
        return 2;
    }
    if (request.help) {
        out << Help;
        return 0;
    }
    if (request.wav) {
        return InspectWav(request, out, err);
    }
    core::FileError error;
    const auto document = LumoDocument::Open(request.file, error);
    if (!document) {
        return core::Fail(request.file, core::FileErrorText(error, core::FileOperation::Reading),
                          err, InspectorName);
    }
    if (request.saveAs) {
        if (!document->Save(*request.saveAs)) {
            return core::Fail(
                *request.saveAs,
                core::FileErrorText(document->GetFileError(), core::FileOperation::Writing), err,
                InspectorName);
        }
        return 0;
    }
    nlohmann::ordered_json json = DocumentJson(*document);
    if (request.frame) {
        json["frame"] = FrameJson(*document, *request.frame);
    }
    Print(out, json);
    return 0;
}

} // namespace vel::lumo
