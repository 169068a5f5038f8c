#include "kalvix/core/simulator/mount_page.h"

#include <charconv>

namespace kalvix {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

MountPage::MountPage(PageContext& context)
    : ownSession_(std::make_unique<SimulatorSession>(context.catalogue())), session_(*ownSession_) {
    declareControls();
}

MountPage::MountPage(PageContext&, SimulatorSession& session) : session_(session) {
    declareControls();
}

double MountPage::leadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    std::string_view number = text.substr(start, i - start);
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '+' || number.front() == '-'))
        number.remove_prefix(1);
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    // Too large for a double: the conversion gives the largest value of that sign.
    if (r.ec == std::errc::result_out_of_range)
        value = number.find_first_not_of("0.") == std::string_view::npos ? 0.0 : 1e308;
    return negative ? -value : value;
}

std::string MountPage::growthText(float growth) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(growth),
                                 std::chars_format::fixed, 4);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("0.0000");
}

void MountPage::declareControls() {
    const MountRecord mount = session_.mount();
    growth_ = growthText(mount.growth);
    carried_ = mount.carried;
    five_ = mount.five;

    const char* const carriedNames[kMountCarried] = {"好感", "饱食", "环境"};
    const char* const carriedIds[kMountCarried] = {"comboFavour", "comboSatiety",
                                                   "comboEnvironment"};
    for (int i = 0; i < kMountCarried; ++i)
        addList(
            carriedNames[i], carriedIds[i], [] { return numberItems(0, kMaxMountCarried); },
            [this, i] { return carried_[i]; }, [this, i](int v) { carried_[i] = v; })
            .enabled = [] { return false; };
    addEdit(
        "成长", "editGrowth", [this] { return growth_; },
        [this](const std::string& t) { growth_ = t; });
    const char* const fiveNames[kBasicAttributes] = {"体质", "魔力", "力量", "耐力", "敏捷"};
    const char* const fiveIds[kBasicAttributes] = {"comboCon", "comboMag", "comboStr", "comboEnd",
                                                   "comboAgi"};
    for (int k = 0; k < kBasicAttributes; ++k)
        addList(
            fiveNames[k], fiveIds[k], [] { return numberItems(0, kMaxMountAttribute); },
            [this, k] { return five_[k]; }, [this, k](int v) { five_[k] = v; });
    addButton("确认", "buttonOk", [this] { confirm(); });
    addButton("取消", "buttonCancel", [this] { cancel(); });
    // For kalvix-calc: how the editor closed and what the confirmed mount adds.
    addResult("结果", "", [this] { return outcome_; });
    for (int k = 0; k < kBasicAttributes; ++k)
        addResult(std::string("属性加成.") + fiveNames[k], "",
                  [this, k] { return std::to_string(session_.sheet().mountRaw[k]); });
}

bool MountPage::confirm() {
    // The growth is held as a float; a value far outside the range never reaches it.
    const double typed = leadingDecimal(growth_);
    const float g = typed > 0.0 && typed < 2.0 * kMaxMountGrowth ? static_cast<float>(typed) : 0.0f;
    if (!(g > 0.0f && g <= kMaxMountGrowth)) {
        showStatus(kBadGrowth);
        selectField("成长", true);
        return false;
    }
    MountRecord mount = session_.mount();
    mount.growth = g;
    mount.carried = carried_;
    mount.five = five_;
    session_.confirmMount(mount);
    outcome_ = "确认";
    closeWindow(true);
    return true;
}

void MountPage::cancel() {
    outcome_ = "取消";
    closeWindow(false);
}

}  // namespace kalvix
