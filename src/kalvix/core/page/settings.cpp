#include "kalvix/core/page/settings.h"

#include <charconv>

namespace kalvix {

bool Settings::flag(const std::string& key, bool fallback) const {
    const std::optional<std::string> value = text(key);
    if (value == "true" || value == "1")
        return true;
    if (value == "false" || value == "0")
        return false;
    return fallback;
}

void Settings::setFlag(const std::string& key, bool on) {
    setText(key, on ? "true" : "false");
}

std::optional<int> Settings::number(const std::string& key) const {
    const std::optional<std::string> value = text(key);
    if (!value)
        return std::nullopt;
    int n = 0;
    const char* last = value->data() + value->size();
    auto [end, error] = std::from_chars(value->data(), last, n);
    if (error != std::errc() || end != last || value->empty())
        return std::nullopt;
    return n;
}

void Settings::setNumber(const std::string& key, int value) {
    setText(key, std::to_string(value));
}

std::optional<std::string> MemorySettings::text(const std::string& key) const {
    auto it = texts_.find(key);
    return it == texts_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void MemorySettings::setText(const std::string& key, const std::string& value) {
    texts_[key] = value;
}

std::vector<std::string> MemorySettings::list(const std::string& key) const {
    auto it = lists_.find(key);
    return it == lists_.end() ? std::vector<std::string>() : it->second;
}

void MemorySettings::setList(const std::string& key, const std::vector<std::string>& values) {
    lists_[key] = values;
}

}  // namespace kalvix
