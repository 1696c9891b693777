#include "apps/lumo/animate/PhonemeRecogniser.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <pocketsphinx.h>
#include <sstream>

namespace vel::lumo {

namespace {

constexpr int DecoderFramesPerSecond = 100;
constexpr std::size_t ChunkSamples = VoiceSamples::Rate / 2;

struct ConfigDeleter {
    void operator()(cmd_ln_t* config) const { cmd_ln_free_r(config); }
};
struct DecoderDeleter {
    void operator()(ps_decoder_t* decoder) const { ps_free(decoder); }
};
using Config = std::unique_ptr<cmd_ln_t, ConfigDeleter>;
using Decoder = std::unique_ptr<ps_decoder_t, DecoderDeleter>;

std::string ModelPath(const char* name) {
    return std::string(LUMO_SPEECH_MODEL_DIR) + "/en-us/" + name;
}

// Phonetic decoding uses context-independent phonemes, which decode in a
// small fraction of the clip's length and are steadier on sung or synthetic
// voices than triphones, with a narrow beam. Aligning a known text needs the
// dictionary and the usual wide beams instead.
Decoder MakeDecoder(bool aligning) {
    const std::string model = ModelPath("en-us");
    const std::string phones = ModelPath("en-us-phone.lm.bin");
    const Config config(cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", model.c_str(), "-allphone",
                                    phones.c_str(), "-remove_silence", "no", "-logfn", "/dev/null",
                                    nullptr));
    if (!config) {
        return nullptr;
    }
    if (aligning) {
        cmd_ln_set_str_r(config.get(), "-dict", ModelPath("cmudict-en-us.dict").c_str());
    } else {
        cmd_ln_set_boolean_r(config.get(), "-allphone_ci", TRUE);
        cmd_ln_set_float_r(config.get(), "-beam", 1e-20);
        cmd_ln_set_float_r(config.get(), "-pbeam", 1e-20);
        cmd_ln_set_float_r(config.get(), "-lw", 2.0);
    }
    // The decoder keeps its own reference to the configuration.
    return Decoder(ps_init(config.get()));
}

// Lower-case words of letters and apostrophes.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '\'') {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

std::vector<std::string> Split(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> parts;
    for (std::string part; stream >> part;) {
        parts.push_back(part);
    }
    return parts;
}

bool IsVowel(const std::string& phone) {
    return phone.find_first_of("AEIOU") == 0;
}

// Runs the samples through the decoder's current search.
bool Decode(ps_decoder_t* decoder, const VoiceSamples& voice, const AnimateProgress& progress) {
    ps_start_utt(decoder);
    const std::size_t total = voice.samples.size();
    for (std::size_t at = 0; at < total; at += ChunkSamples) {
        const std::size_t count = std::min(ChunkSamples, total - at);
        ps_process_raw(decoder, voice.samples.data() + at, count, FALSE, FALSE);
        if (!progress(at + count, total)) {
            ps_end_utt(decoder);
            return false;
        }
    }
    ps_end_utt(decoder);
    return true;
}

// A word's phonemes share its time, a vowel taking twice a consonant's share.
void Spread(const std::vector<std::string>& phones, double start, double end,
            std::vector<Phone>& out) {
    double weights = 0.0;
    for (const std::string& phone : phones) {
        weights += IsVowel(phone) ? 2.0 : 1.0;
    }
    double at = start;
    for (const std::string& phone : phones) {
        const double length = (end - start) * (IsVowel(phone) ? 2.0 : 1.0) / weights;
        out.push_back({phone, at, at + length});
        at += length;
    }
}

std::vector<Phone> Segments(ps_decoder_t* decoder, bool words) {
    std::vector<Phone> phones;
    for (ps_seg_t* seg = ps_seg_iter(decoder); seg != nullptr; seg = ps_seg_next(seg)) {
        int first = 0;
        int last = 0;
        ps_seg_frames(seg, &first, &last);
        const double start = static_cast<double>(first) / DecoderFramesPerSecond;
        const double end = static_cast<double>(last + 1) / DecoderFramesPerSecond;
        const std::string name = ps_seg_word(seg);
        if (!words) {
            phones.push_back({name, start, end});
            continue;
        }
        // Fillers such as <s>, <sil> and [NOISE] are silence to a mouth.
        const std::string base = name.substr(0, name.find('('));
        char* pronunciation = ps_lookup_word(decoder, base.c_str());
        if (base.front() == '<' || base.front() == '[' || pronunciation == nullptr) {
            phones.push_back({"SIL", start, end});
        } else {
            Spread(Split(pronunciation), start, end, phones);
        }
        ckd_free(pronunciation);
    }
    return phones;
}

// The text as a grammar that says exactly its known words in order, with
// pauses between them; nothing when a word is unknown.
std::optional<std::string> Grammar(ps_decoder_t* decoder, const std::string& transcript) {
    const std::vector<std::string> words = Words(transcript);
    if (words.empty()) {
        return std::nullopt;
    }
    std::string grammar = "#JSGF V1.0;\ngrammar spoken;\npublic <spoken> =";
    for (const std::string& word : words) {
        char* pronunciation = ps_lookup_word(decoder, word.c_str());
        if (pronunciation == nullptr) {
            return std::nullopt;
        }
        ckd_free(pronunciation);
        grammar += " " + word;
    }
    return grammar + ";\n";
}

} // namespace

std::optional<Recognition> RecognisePhones(const VoiceSamples& voice, const std::string& transcript,
                                           const AnimateProgress& progress) {
    Recognition result;
    if (!std::filesystem::exists(ModelPath("en-us/mdef"))) {
        result.problem = "the speech model is not installed";
        return result;
    }
    if (!Words(transcript).empty()) {
        const Decoder aligner = MakeDecoder(true);
        const std::optional<std::string> grammar =
            aligner ? Grammar(aligner.get(), transcript) : std::nullopt;
        if (grammar && ps_set_jsgf_string(aligner.get(), "spoken", grammar->c_str()) == 0 &&
            ps_set_search(aligner.get(), "spoken") == 0) {
            if (!Decode(aligner.get(), voice, progress)) {
                return std::nullopt;
            }
            result.phones = Segments(aligner.get(), true);
            if (!result.phones.empty()) {
                result.fromTranscript = true;
                return result;
            }
        }
    }
    const Decoder decoder = MakeDecoder(false);
    if (!decoder) {
        result.problem = "the speech recogniser could not start";
        return result;
    }
    if (!Decode(decoder.get(), voice, progress)) {
        return std::nullopt;
    }
    result.phones = Segments(decoder.get(), false);
    const bool heard = std::any_of(result.phones.begin(), result.phones.end(),
                                   [](const Phone& phone) { return phone.name != "SIL"; });
    if (!heard) {
        result.phones.clear();
        result.problem = "the recogniser heard no speech";
    }
    return result;
}

} // namespace vel::lumo
