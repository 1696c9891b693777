#include "apps/lumo/animate/PhonemeRecogniser.h"

#include "core/UserFailure.h"

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sstream>

namespace vel::lumo {

namespace {

constexpr int DecoderFramesPerSecond = 100;
// Samples fed to the decoder between two looks at progress: a tenth of a second.
constexpr std::size_t BlockSamples = VoiceSamples::Rate / 10;
// A piece decoded as one utterance lasts at most this long...
constexpr std::uint64_t PieceSamples = std::uint64_t{20} * VoiceSamples::Rate;
// ...and ends at the quietest stretch of this length in its last seconds.
constexpr std::uint64_t SeamSearchSamples = std::uint64_t{5} * VoiceSamples::Rate;
constexpr std::uint64_t QuietSamples = VoiceSamples::Rate / 50;
// The spoken text is aligned as one utterance, so only over ranges this long.
constexpr std::uint64_t AlignedMinutes = 5;
constexpr std::uint64_t AlignedSamples = AlignedMinutes * 60 * VoiceSamples::Rate;
// The aligned words must cover this share of the speech the phonetic
// decoding hears, or the text is taken not to be what the voice says.
constexpr double LeastCoverage = 0.6;

struct ConfigDeleter {
    void operator()(cmd_ln_t* config) const { cmd_ln_free_r(config); }
};
struct DecoderDeleter {
    void operator()(ps_decoder_t* decoder) const { ps_free(decoder); }
};
using Config = std::unique_ptr<cmd_ln_t, ConfigDeleter>;
using Decoder = std::unique_ptr<ps_decoder_t, DecoderDeleter>;
using DoneSoFar = std::function<bool(std::uint64_t done)>;

// The recogniser ends the program when one of its own allocations fails;
// during a guarded call such a failure returns here instead and becomes
// std::bad_alloc. Only the recogniser's C functions lie between, so no
// destructor is skipped; the half-changed decoder is abandoned, not freed.
template <typename Call> void Guarded(Decoder* decoder, Call call) {
    std::jmp_buf failed;
    jmp_buf* const previous = ckd_set_jump(&failed, 0);
    if (setjmp(failed) != 0) {
        ckd_set_jump(previous, 0);
        if (decoder != nullptr) {
            static_cast<void>(decoder->release());
        }
        throw std::bad_alloc();
    }
    call();
    ckd_set_jump(previous, 0);
}

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
        throw core::UserFailure("the speech recogniser could not start",
                                "Its settings were refused.");
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
    ps_decoder_t* made = nullptr;
    Guarded(nullptr, [&] { made = ps_init(config.get()); });
    Decoder decoder(made);
    if (!decoder) {
        throw core::UserFailure("the speech recogniser could not start",
                                "Its model could not be loaded.");
    }
    return decoder;
}

std::vector<std::string> Split(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> parts;
    for (std::string part; stream >> part;) {
        parts.push_back(part);
    }
    return parts;
}

std::string Lower(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word;
}

bool IsVowel(const std::string& phone) {
    return phone.find_first_of("AEIOU") == 0;
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

// The utterance's phonemes, its start being offset seconds into the voice.
// The decoder may count its frames on from earlier utterances, so they are
// counted here from the first segment, which starts the utterance.
void Segments(ps_decoder_t* decoder, bool words, double offset, std::vector<Phone>& phones) {
    std::optional<int> origin;
    for (ps_seg_t* seg = ps_seg_iter(decoder); seg != nullptr; seg = ps_seg_next(seg)) {
        int first = 0;
        int last = 0;
        ps_seg_frames(seg, &first, &last);
        origin = origin.value_or(first);
        const double start = offset + static_cast<double>(first - *origin) / DecoderFramesPerSecond;
        const double end =
            offset + static_cast<double>(last + 1 - *origin) / DecoderFramesPerSecond;
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
}

// Decodes the voice with the decoder's current search, piece by piece or, for
// a grammar that spans all of it, whole; progress hears of every tenth of a
// second. Nothing when progress asked to stop.
std::optional<std::vector<Phone>> DecodePieces(Decoder& decoder, const VoiceReader& voice,
                                               bool whole, const DoneSoFar& progress) {
    std::vector<Phone> phones;
    for (std::uint64_t from = 0; from < voice.Size();) {
        const std::uint64_t to = whole ? voice.Size() : PieceEnd(voice, from);
        const VoiceSamples piece = voice.Read(from, to - from);
        ps_decoder_t* const raw = decoder.get();
        Guarded(&decoder, [&] { ps_start_utt(raw); });
        const std::size_t total = piece.samples.size();
        for (std::size_t at = 0; at < total; at += BlockSamples) {
            const std::size_t count = std::min(BlockSamples, total - at);
            const std::int16_t* const block = piece.samples.data() + at;
            Guarded(&decoder, [&] { ps_process_raw(raw, block, count, FALSE, FALSE); });
            if (!progress(from + at + count)) {
                Guarded(&decoder, [&] { ps_end_utt(raw); });
                return std::nullopt;
            }
        }
        Guarded(&decoder, [&] { ps_end_utt(raw); });
        Segments(raw, whole, static_cast<double>(from) / VoiceSamples::Rate, phones);
        from = to;
    }
    return phones;
}

std::string Quoted(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == words.size() ? " and " : ", ") + ("'" + words[i] + "'");
    }
    return text;
}

// The text as a grammar that says exactly its known words in order, with
// pauses between them; the unknown ones are left out and listed.
std::string Grammar(ps_decoder_t* decoder, const std::vector<std::string>& words,
                    std::vector<std::string>& unknown, std::size_t& known) {
    std::string grammar = "#JSGF V1.0;\ngrammar spoken;\npublic <spoken> =";
    known = 0;
    for (const std::string& word : words) {
        const std::string lower = Lower(word);
        char* pronunciation = ps_lookup_word(decoder, lower.c_str());
        if (pronunciation == nullptr) {
            if (std::find(unknown.begin(), unknown.end(), word) == unknown.end()) {
                unknown.push_back(word);
            }
            continue;
        }
        ckd_free(pronunciation);
        grammar += " " + lower;
        ++known;
    }
    return grammar + ";\n";
}

double Speech(const std::vector<Phone>& phones) {
    double seconds = 0.0;
    for (const Phone& phone : phones) {
        if (phone.name != "SIL") {
            seconds += phone.end - phone.start;
        }
    }
    return seconds;
}

// Seconds of the heard speech that the aligned phonemes also take as speech.
double Overlap(const std::vector<Phone>& heard, const std::vector<Phone>& aligned) {
    double seconds = 0.0;
    std::size_t j = 0;
    for (const Phone& phone : heard) {
        if (phone.name == "SIL") {
            continue;
        }
        while (j < aligned.size() && aligned[j].end <= phone.start) {
            ++j;
        }
        for (std::size_t k = j; k < aligned.size() && aligned[k].start < phone.end; ++k) {
            if (aligned[k].name != "SIL") {
                seconds +=
                    std::min(phone.end, aligned[k].end) - std::max(phone.start, aligned[k].start);
            }
        }
    }
    return seconds;
}

// The text's phonemes aligned to the voice, when the text fits it: every known
// word reached and the speech covered. Nothing when progress asked to stop.
std::optional<bool> Align(const VoiceReader& voice, const std::vector<std::string>& words,
                          const DoneSoFar& progress, Recognition& result) {
    Decoder aligner = MakeDecoder(true);
    std::vector<std::string> unknown;
    std::size_t known = 0;
    const std::string grammar = Grammar(aligner.get(), words, unknown, known);
    if (!unknown.empty()) {
        result.notes.push_back(Quoted(unknown) + (unknown.size() == 1 ? " is" : " are") +
                               " not in the dictionary: left out");
    }
    if (known == 0) {
        return false;
    }
    bool searching = false;
    ps_decoder_t* const raw = aligner.get();
    Guarded(&aligner, [&] {
        searching = ps_set_jsgf_string(raw, "spoken", grammar.c_str()) == 0 &&
                    ps_set_search(raw, "spoken") == 0;
    });
    if (!searching) {
        throw core::UserFailure("the speech recogniser could not start",
                                "It refused the spoken text.");
    }
    const auto aligned = DecodePieces(aligner, voice, true, progress);
    if (!aligned) {
        return std::nullopt;
    }
    const char* said = ps_get_hyp(aligner.get(), nullptr);
    const bool reached = said != nullptr && Split(said).size() == known;
    const double heard = Speech(result.phones);
    if (!reached || Overlap(result.phones, *aligned) < LeastCoverage * heard) {
        result.notes.emplace_back("the spoken text does not match the voice, so the recognised "
                                  "phonemes are used");
        return false;
    }
    result.phones = *aligned;
    result.fromTranscript = true;
    return true;
}

} // namespace

std::vector<std::string> SpokenWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '\'') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

bool HoldsNoWord(const std::string& text) {
    const bool blank =
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
    return !blank && SpokenWords(text).empty();
}

std::uint64_t PieceEnd(const VoiceReader& voice, std::uint64_t from) {
    if (voice.Size() - from <= PieceSamples) {
        return voice.Size();
    }
    const std::uint64_t searchFrom = from + PieceSamples - SeamSearchSamples;
    const VoiceSamples search = voice.Read(searchFrom, SeamSearchSamples);
    std::uint64_t quietest = search.samples.size();
    double least = 0.0;
    for (std::size_t at = 0; at + QuietSamples <= search.samples.size(); at += QuietSamples / 2) {
        double energy = 0.0;
        for (std::size_t i = at; i < at + QuietSamples; ++i) {
            energy += static_cast<double>(search.samples[i]) * search.samples[i];
        }
        if (quietest == search.samples.size() || energy < least) {
            quietest = at + QuietSamples / 2;
            least = energy;
        }
    }
    return searchFrom + quietest;
}

std::optional<Recognition> RecognisePhones(const VoiceReader& voice, const std::string& transcript,
                                           const AnimateProgress& progress) {
    Recognition result;
    if (!std::filesystem::exists(ModelPath("en-us/mdef"))) {
        result.problem = "the speech model is not installed";
        return result;
    }
    const std::vector<std::string> words = SpokenWords(transcript);
    const bool aligning = !words.empty() && voice.Size() <= AlignedSamples;
    if (!words.empty() && !aligning) {
        result.notes.push_back("the spoken text is used on ranges of up to " +
                               std::to_string(AlignedMinutes) + " minutes");
    }
    const std::uint64_t total = voice.Size() * (aligning ? 2 : 1);
    Decoder decoder = MakeDecoder(false);
    const auto phones = DecodePieces(decoder, voice, false,
                                     [&](std::uint64_t done) { return progress(done, total); });
    if (!phones) {
        return std::nullopt;
    }
    result.phones = *phones;
    const bool heard = std::any_of(result.phones.begin(), result.phones.end(),
                                   [](const Phone& phone) { return phone.name != "SIL"; });
    if (!heard) {
        result.phones.clear();
        result.problem = "the recogniser heard no speech";
        return result;
    }
    const DoneSoFar aligned = [&](std::uint64_t done) {
        return progress(voice.Size() + done, total);
    };
    if (aligning && !Align(voice, words, aligned, result).has_value()) {
        return std::nullopt;
    }
    return result;
}

} // namespace vel::lumo
