#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vel::wingui {

// A value bound to one control of an options dialog: it converts between the
// value and the control's text, judges the value and reacts to up-down arrows.
class FieldBase {
public:
    virtual ~FieldBase() = default;
    // The value as the control should show it.
    virtual std::string ToText() const = 0;
    virtual bool IsValid() const { return true; }
    // Takes the control's text into the value; answers IsValid().
    virtual bool FromText(const std::string& text) = 0;
    // An up-down arrow was pressed: delta steps up (negative: down).
    virtual void Step(std::int32_t delta) { (void)delta; }
};

// One value of type T, read and written by the dialog directly.
template <class T> class Field : public FieldBase {
public:
    Field() = default;
    explicit Field(T initial) : value(std::move(initial)) {}

    std::string ToText() const override;
    bool FromText(const std::string& text) override;

    T value{};
};

// "true" or "false"; any text beginning with t, T, y, Y or 1 reads as true.
template <> std::string Field<bool>::ToText() const;
template <> bool Field<bool>::FromText(const std::string& text);
// The leading decimal number of the text, 0 if there is none; written and read
// in the user's locale, and a decimal point always reads too.
template <> std::string Field<float>::ToText() const;
template <> bool Field<float>::FromText(const std::string& text);
// The leading decimal digits, 0 if there are none; too many reads as the
// largest value. The locale's own digits read too.
template <> std::string Field<unsigned int>::ToText() const;
template <> bool Field<unsigned int>::FromText(const std::string& text);
template <> std::string Field<std::string>::ToText() const;
template <> bool Field<std::string>::FromText(const std::string& text);

// The leading decimal number of the text, written in the user's locale or
// with a decimal point; nothing when the text does not begin with one.
std::optional<float> ReadNumber(const std::string& text);

extern template class Field<bool>;
extern template class Field<float>;
extern template class Field<unsigned int>;
extern template class Field<std::string>;

} // namespace vel::wingui
