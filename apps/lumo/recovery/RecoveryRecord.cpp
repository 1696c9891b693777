#include "apps/lumo/recovery/RecoveryRecord.h"

#include <charconv>
#include <string_view>

namespace vel::lumo {

namespace {

constexpr std::string_view Heading = "lumo recovery copy 1\n";

// Moves past "key=" at the front of text.
bool TakeKey(std::string_view& text, std::string_view key) {
    if (!text.starts_with(key) || text.size() <= key.size() || text[key.size()] != '=') {
        return false;
    }
    text.remove_prefix(key.size() + 1);
    return true;
}

// Reads "key=number\n" at the front of text and moves past it.
template <typename Number> bool Take(std::string_view& text, std::string_view key, Number& value) {
    if (!TakeKey(text, key)) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + text.size() || *end != '\n') {
        return false;
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()) + 1);
    return true;
}

bool TakeLine(std::string_view& text, std::string_view key, std::string& value) {
    if (!TakeKey(text, key)) {
        return false;
    }
    const auto end = text.find('\n');
    if (end == std::string_view::npos) {
        return false;
    }
    value = text.substr(0, end);
    text.remove_prefix(end + 1);
    return true;
}

} // namespace

std::string RecoveryRecord::ToText() const {
    std::string text(Heading);
    text += "time=" + std::to_string(time) + "\n";
    text += "pid=" + std::to_string(owner.pid) + "\n";
    text += "started=" + std::to_string(owner.started) + "\n";
    text += "boot=" + owner.boot + "\n";
    text += "length=" + std::to_string(document.size()) + "\n";
    text += "document=" + document + "\n";
    return text;
}

std::optional<RecoveryRecord> RecoveryRecord::Parse(const std::string& text) {
    std::string_view rest(text);
    RecoveryRecord record;
    size_t length = 0;
    if (!rest.starts_with(Heading)) {
        return std::nullopt;
    }
    rest.remove_prefix(Heading.size());
    if (!Take(rest, "time", record.time) || !Take(rest, "pid", record.owner.pid) ||
        !Take(rest, "started", record.owner.started) ||
        !TakeLine(rest, "boot", record.owner.boot) || !Take(rest, "length", length) ||
        !TakeKey(rest, "document") || length == 0 || rest.size() != length + 1 ||
        !rest.ends_with('\n')) {
        return std::nullopt;
    }
    rest.remove_suffix(1);
    record.document = rest;
    return record;
}

} // namespace vel::lumo
