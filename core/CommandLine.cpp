#include "core/CommandLine.h"

#include <string_view>

namespace vel::core {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EndsWord(char c) {
    return c == '\0' || IsBlank(c);
}

// Reads a word that began with a double quote; `text` points just past that quote.
std::string ReadQuotedWord(const char*& text) {
    std::string word;
    while (*text != '\0') {
        if (*text != '"') {
            word += *text++;
        } else if (text[1] == '"') {
            word += '"';
            text += 2;
        } else if (EndsWord(text[1])) {
            ++text;
            return word;
        } else {
            // A closing quote inside a word: the rest of the word up to the next blank follows
            // literally, as in an unquoted word.
            for (++text; !EndsWord(*text); ++text) {
                word += *text;
            }
            return word;
        }
    }
    return word;
}

// An option value may be quoted: its opening quote and a quote ending the word are dropped, any
// other quote stays with the character after it.
std::string UnquoteValue(std::string_view text) {
    if (text.empty() || text.front() != '"') {
        return std::string(text);
    }
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            value += text[i];
        } else if (i + 1 < text.size()) {
            value += text[i];
            value += text[++i];
        }
    }
    return value;
}

} // namespace

bool CommandLine::BasicValue::ParseValue(const std::string&) {
    return false;
}

bool CommandLine::ParseText(const std::string& text, bool& value) {
    if (text.empty()) {
        value = true;
        return true;
    }
    if (std::string_view("+1TYty").find(text.front()) != std::string_view::npos) {
        value = true;
        return true;
    }
    if (std::string_view("-0FNfn").find(text.front()) != std::string_view::npos) {
        value = false;
        return true;
    }
    return false;
}

bool CommandLine::ParseText(const std::string& text, std::string& value) {
    value = text;
    return true;
}

void CommandLine::AddOption(const std::string& name, BasicValue& option) {
    options_[name] = &option;
}

void CommandLine::SetHelpOption(BasicValue& option) {
    shortOptions_['?'] = &option;
    option.name_ = "(" + option.name_ + "|-?)";
}

void CommandLine::AddArgument(BasicValue& argument) {
    (inOptionalArguments != 0 ? optionalArguments_ : requiredArguments_).push_back(&argument);
}

std::vector<std::string> CommandLine::SplitCommandLine(const char* text) {
    std::vector<std::string> words;
    for (;;) {
        while (IsBlank(*text)) {
            ++text;
        }
        if (*text == '\0') {
            return words;
        }
        if (*text == '"') {
            ++text;
            words.push_back(ReadQuotedWord(text));
        } else {
            const char* start = text;
            while (!EndsWord(*text)) {
                ++text;
            }
            words.emplace_back(start, text);
        }
    }
}

bool CommandLine::Parse(const std::vector<std::string>& words) {
    std::vector<const char*> pointers;
    pointers.reserve(words.size());
    for (const std::string& word : words) {
        pointers.push_back(word.c_str());
    }
    return Parse(static_cast<int>(pointers.size()), pointers.data());
}

bool CommandLine::Parse(int count, const char* const words[]) {
    optionsEnded_ = false;
    inOptionalArguments = 0;
    currentArgument_ = 0;
    errors_.clear();
    for (BasicValue* argument : requiredArguments_) {
        argument->ResetToDefault();
    }
    for (BasicValue* argument : optionalArguments_) {
        argument->ResetToDefault();
    }
    for (auto& [name, option] : options_) {
        option->ResetToDefault();
    }

    for (int i = 0; i < count; ++i) {
        const std::string word = words[i];
        if (!optionsEnded_ && !word.empty() &&
            (word.front() == '-' || (word.front() == '/' && slashIntroducesOptions))) {
            ParseOptionWord(word);
        } else {
            HandlePositional(word);
        }
    }

    if (inOptionalArguments == 0) {
        while (currentArgument_ < requiredArguments_.size() &&
               requiredArguments_[currentArgument_]->IsRepeatable()) {
            ++currentArgument_;
        }
        for (; currentArgument_ < requiredArguments_.size(); ++currentArgument_) {
            errors_.push_back("missing positional argument " +
                              requiredArguments_[currentArgument_]->GetUsageName());
        }
    }
    return errors_.empty();
}

void CommandLine::ParseOptionWord(const std::string& word) {
    if (word == "--") {
        optionsEnded_ = true;
        return;
    }
    Introducer introducer = Introducer::SingleDash;
    std::size_t pos = 1;
    if (word.front() == '/') {
        introducer = Introducer::Slash;
    } else if (word.size() > 1 && word[1] == '-') {
        introducer = Introducer::DoubleDash;
        pos = 2;
    }

    // A '-' inside the name escapes the character after it; a '-' ending the word is the value.
    std::string name;
    std::string value;
    while (pos < word.size() && word[pos] != ':' && word[pos] != '=') {
        if (word[pos] == '-') {
            if (pos + 1 == word.size()) {
                value = "-";
                break;
            }
            name += word[pos++];
        }
        name += word[pos++];
    }
    if (pos < word.size() && (word[pos] == ':' || word[pos] == '=')) {
        value = UnquoteValue(std::string_view(word).substr(pos + 1));
    }
    HandleOption(name, introducer, value);
}

void CommandLine::HandleOption(const std::string& name, Introducer introducer,
                               const std::string& value) {
    if (name.empty()) {
        errors_.emplace_back("option introducer was not followed by a name");
        return;
    }
    if (auto found = options_.find(name); found != options_.end()) {
        SetValue(*found->second, value);
        return;
    }
    if (introducer != Introducer::SingleDash) {
        errors_.push_back("unrecognized option " +
                          std::string(introducer == Introducer::Slash ? "/" : "--") + name);
        return;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto code = static_cast<unsigned char>(name[i]);
        BasicValue* option =
            code >= 1 && code < shortOptions_.size() ? shortOptions_[code] : nullptr;
        if (option == nullptr) {
            errors_.push_back(std::string("unrecognized option -") + name[i]);
            return;
        }
        if (!SetValue(*option, i + 1 == name.size() ? value : std::string())) {
            return;
        }
    }
}

void CommandLine::HandlePositional(const std::string& word) {
    if (inOptionalArguments == 0 && currentArgument_ == requiredArguments_.size()) {
        inOptionalArguments = 1;
        currentArgument_ = 0;
    }
    std::vector<BasicValue*>& arguments =
        inOptionalArguments != 0 ? optionalArguments_ : requiredArguments_;
    if (currentArgument_ == arguments.size()) {
        errors_.push_back("unexpected positional argument '" + word + "'");
        return;
    }
    BasicValue& argument = *arguments[currentArgument_];
    argument.ParseValue(word);
    if (!argument.IsRepeatable()) {
        ++currentArgument_;
    }
}

bool CommandLine::SetValue(BasicValue& option, const std::string& value) {
    if (option.ParseValue(value)) {
        return true;
    }
    errors_.push_back("'" + value + "' is not a valid value for option " + option.name_);
    return false;
}

std::string CommandLine::GetSynopsis() const {
    std::string synopsis =
        requiredArguments_.empty() ? std::string() : requiredArguments_[0]->name_;
    for (const auto& [name, option] : options_) {
        synopsis += " [" + option->GetUsageName() + "]";
    }
    for (std::size_t i = 1; i < requiredArguments_.size(); ++i) {
        synopsis += " " + requiredArguments_[i]->GetUsageName();
    }
    for (const BasicValue* argument : optionalArguments_) {
        synopsis += " [" + argument->GetUsageName();
    }
    return synopsis + std::string(optionalArguments_.size(), ']');
}

std::string CommandLine::GetUsage() const {
    const auto describe = [](const BasicValue& value) {
        return value.description_.empty() ? std::string() : "  " + value.description_ + "\n";
    };

    std::string usage;
    if (!requiredArguments_.empty()) {
        usage += requiredArguments_[0]->name_ + "\n" + describe(*requiredArguments_[0]);
    } else {
        usage += "\n";
    }
    usage += "\nSYNOPSIS:\n\n" + GetSynopsis() + "\n";
    if (!options_.empty()) {
        usage += "\nOPTIONS:\n";
        for (const auto& [name, option] : options_) {
            usage += "\n" + option->GetUsageName() + "\n" + describe(*option);
        }
    }
    if (!requiredArguments_.empty() || !optionalArguments_.empty()) {
        usage += "\nARGUMENTS:\n";
        for (std::size_t i = 1; i < requiredArguments_.size(); ++i) {
            usage += "\n" + requiredArguments_[i]->GetUsageName() + "\n" +
                     describe(*requiredArguments_[i]);
        }
        for (const BasicValue* argument : optionalArguments_) {
            usage += "\n[" + argument->GetUsageName() + "]\n" + describe(*argument);
        }
    }
    return usage;
}

} // namespace vel::core
