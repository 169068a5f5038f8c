#pragma once
// The player's choices that last from one start to the next (the alarm toggle, stay-on-top,
// the last tab, where the window was, the last build folder), by key. The window keeps them in
// the user's configuration folder; everything else (kalvix-calc, tests) keeps them in memory,
// so a run there always starts from the defaults.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvix {

class Settings {
  public:
    virtual ~Settings() = default;

    // Keys are "group/name".
    virtual std::optional<std::string> text(const std::string& key) const = 0;
    virtual void setText(const std::string& key, const std::string& value) = 0;
    virtual std::vector<std::string> list(const std::string& key) const = 0;
    virtual void setList(const std::string& key, const std::vector<std::string>& values) = 0;

    // "true"/"1" and "false"/"0"; anything else, or nothing stored, is the fallback.
    bool flag(const std::string& key, bool fallback) const;
    void setFlag(const std::string& key, bool on);
    // A decimal int32; anything else is nullopt.
    std::optional<int> number(const std::string& key) const;
    void setNumber(const std::string& key, int value);
};

class MemorySettings final : public Settings {
  public:
    std::optional<std::string> text(const std::string& key) const override;
    void setText(const std::string& key, const std::string& value) override;
    std::vector<std::string> list(const std::string& key) const override;
    void setList(const std::string& key, const std::vector<std::string>& values) override;

  private:
    std::map<std::string, std::string> texts_;
    std::map<std::string, std::vector<std::string>> lists_;
};

}  // namespace kalvix
