#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vel::core {

// A program describes its command line by deriving from CommandLine and declaring options and
// arguments as members; parsing fills those members in place. Tables hold non-owning pointers,
// so a derived command line must not be copied or moved.
class CommandLine {
public:
    class BasicValue {
    public:
        BasicValue(std::string name, std::string description)
            : name_(std::move(name)), description_(std::move(description)) {}
        BasicValue(const BasicValue&) = delete;
        BasicValue& operator=(const BasicValue&) = delete;
        virtual ~BasicValue() = default;

        virtual std::string GetUsageName() const = 0;
        virtual bool IsRepeatable() const = 0;
        virtual void ResetToDefault() = 0;
        virtual bool ParseValue(const std::string& text);

        const std::string& GetName() const { return name_; }

    private:
        friend class CommandLine;

        std::string name_;
        std::string description_;
    };

    template <class T> class Value : public BasicValue {
    public:
        using BasicValue::BasicValue;

        bool IsRepeatable() const override { return false; }
        void ResetToDefault() override { value = defaultValue; }
        bool ParseValue(const std::string& text) override { return ParseText(text, value); }

        operator const T&() const { return value; }

        T value{};
        T defaultValue{};
    };

    template <class T> struct Option : Value<T> {
        Option(CommandLine& commandLine, const std::string& name, std::string description)
            : Value<T>("--" + name, std::move(description)) {
            commandLine.AddOption(name, *this);
        }

        std::string GetUsageName() const override { return this->GetName(); }
    };

    template <class T> struct Argument : Value<T> {
        Argument(std::string name, std::string description, T defaultValue = T{})
            : Value<T>(std::move(name), std::move(description)) {
            this->value = defaultValue;
            this->defaultValue = std::move(defaultValue);
        }

        std::string GetUsageName() const override {
            return "<" + this->GetName() + (this->IsRepeatable() ? ">..." : ">");
        }
    };

    CommandLine() = default;
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;
    virtual ~CommandLine() = default;

    void SetHelpOption(BasicValue& option);
    void AddArgument(BasicValue& argument);

    static std::vector<std::string> SplitCommandLine(const char* text);

    bool Parse(const std::vector<std::string>& words);
    bool Parse(int count, const char* const words[]);

    std::vector<std::string> GetErrors() const { return errors_; }
    std::string GetSynopsis() const;
    std::string GetUsage() const;

protected:
    // Set to 1 by a derived command line before it adds its optional arguments; during parsing
    // it tells whether the argument position has moved on to the optional list.
    int inOptionalArguments = 0;
    // Where file paths begin with '/', a derived command line turns this off so that such paths
    // are positional words; only dashes then introduce options.
    bool slashIntroducesOptions = true;

private:
    enum class Introducer { Slash, DoubleDash, SingleDash };

    static bool ParseText(const std::string& text, bool& value);
    static bool ParseText(const std::string& text, std::string& value);

    void AddOption(const std::string& name, BasicValue& option);
    void ParseOptionWord(const std::string& word);
    void HandleOption(const std::string& name, Introducer introducer, const std::string& value);
    void HandlePositional(const std::string& word);
    bool SetValue(BasicValue& option, const std::string& value);

    std::map<std::string, BasicValue*> options_;
    std::array<BasicValue*, 127> shortOptions_{};
    std::vector<BasicValue*> requiredArguments_;
    std::vector<BasicValue*> optionalArguments_;
    bool optionsEnded_ = false;
    std::size_t currentArgument_ = 0;
    std::vector<std::string> errors_;
};

} // namespace vel::core
