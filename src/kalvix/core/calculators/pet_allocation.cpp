// The 召唤兽 page's point allocation simulator.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/truncation.h"
#include "kalvix/core/calculators/number_field.h"
#include "kalvix/core/calculators/pet_page.h"
#include "kalvix/core/calculators/pet_stats.h"

namespace kalvix {
namespace {

const char* const kPotential = "潜能";
const char* const kGrowth = "成长率";

std::int32_t to32(std::int64_t v) {
    return common::clampToInt32(v);
}

// The number a field's text is read as: its leading digits, 0 when empty; 32-bit.
std::int64_t number(const std::string& text) {
    return to32(common::leadingInteger(text));
}
bool aboveZero(const std::string& text) {
    return number(text) >= 1;
}

float toFloat(double v) {
    if (v > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (v < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

// Results each input enters.
constexpr int kByAttribute[5][2] = {{PetPage::Hp, PetPage::Spirit},
                                    {PetPage::Mp, PetPage::Spirit},
                                    {PetPage::Attack, PetPage::Spirit},
                                    {PetPage::Defence, PetPage::Spirit},
                                    {PetPage::Speed, -1}};
constexpr int kByAptitude[6][2] = {{PetPage::Attack, -1}, {PetPage::Defence, -1},
                                   {PetPage::Hp, -1},     {PetPage::Mp, PetPage::Spirit},
                                   {PetPage::Speed, -1},  {-1, -1}};

}  // namespace

// --- focus: the attribute fields show the base while focused, base + added otherwise

void PetPage::focusEntered(const std::string& caption) {
    for (int i = 0; i < 5; ++i) {
        if (caption != attributeCaption(i))
            continue;
        if (!attributeText_[i].empty()) {
            setAttributeText(i, std::to_string(base_[i]));
            caretToEnd(caption);
        }
        return;
    }
    if (caption == kPotential && !potentialText_.empty()) {
        setPotentialText(std::to_string(basePotential_));
        caretToEnd(caption);
    }
}

bool PetPage::focusLeaving(const std::string& caption) {
    for (int i = 0; i < 5; ++i) {
        if (caption != attributeCaption(i))
            continue;
        if (!attributeText_[i].empty()) {
            leaving_ = true;
            setAttributeText(i, std::to_string(base_[i] + added_[i]));
            leaving_ = false;
        }
        return true;
    }
    if (caption != kPotential)
        return true;
    if (remainingPotential() < 0) {
        selectField(kPotential, true);
        char buf[96];
        std::snprintf(buf, sizeof buf, "初始潜能点小于已分配潜能(%lld)！",
                      static_cast<long long>(-potentialChange_));
        showStatus(buf);
        return false;
    }
    if (!potentialText_.empty()) {
        leaving_ = true;
        setPotentialText(std::to_string(remainingPotential()));
        leaving_ = false;
    }
    showStatus("");
    return true;
}

// --- texts and what follows their changes

void PetPage::setAttributeText(int i, std::string text) {
    attributeText_[i] = std::move(text);
    // Only what the user types into the focused field is a new base value.
    if (focus() == attributeCaption(i) && !leaving_)
        base_[i] = number(attributeText_[i]);
    for (int r : kByAttribute[i])
        if (r >= 0)
            computeResult(r);
}

void PetPage::setPotentialText(std::string text) {
    potentialText_ = std::move(text);
    if (focus() == kPotential && !leaving_)
        basePotential_ = number(potentialText_);
    updateButtons();
}

void PetPage::setQuickText(int i, std::string text) {
    quickText_[i] = std::move(text);
    sumText_ = std::to_string(quickSum());
    updateQuickButton();
}

void PetPage::editAttribute(int i, const std::string& text) {
    if (i < 0 || i >= 5 || !isDigitsOnly(text))
        return;
    setAttributeText(i, text);
}

void PetPage::editPotential(const std::string& text) {
    if (!isDigitsOnly(text))
        return;
    setPotentialText(text);
}

void PetPage::editQuick(int i, const std::string& text) {
    if (i < 0 || i >= 5 || !isDigitsOnly(text))
        return;
    setQuickText(i, text);
}

void PetPage::editAptitude(int a, const std::string& text) {
    if (a < 0 || a >= 6 || !isDigitsOnly(text))
        return;
    aptitudeText_[a] = text;
    aptitude_[a] = to32(number(text));
    for (int r : kByAptitude[a])
        if (r >= 0)
            computeResult(r);
}

void PetPage::choosePetLevel(int level) {
    if (level < 0 || level > kMaxPetLevel)
        return;
    petLevel_ = level;
    computeAllResults();
}

void PetPage::editGrowth(const std::string& text) {
    growthText_ = text;
    growth_ = toFloat(leadingReal(text));
    if (growth_ > 0 && growth_ <= 10) {
        computeAllResults();
        return;
    }
    showStatus("请输入正确的成长率！");
    selectField(kGrowth, true);
}

// --- results

void PetPage::computeResult(int r) {
    PetInputs in;
    in.attackApt = aptitude_[AttackApt];
    in.defenceApt = aptitude_[DefenceApt];
    in.staminaApt = aptitude_[StaminaApt];
    in.manaApt = aptitude_[ManaApt];
    in.speedApt = aptitude_[SpeedApt];
    in.con = to32(base_[Con] + added_[Con]);
    in.mag = to32(base_[Mag] + added_[Mag]);
    in.str = to32(base_[Str] + added_[Str]);
    in.end = to32(base_[End] + added_[End]);
    in.agi = to32(base_[Agi] + added_[Agi]);
    in.level = petLevel_;
    in.growth = growth_;
    const bool g = leadingReal(growthText_) > 0;
    const auto& a = aptitudeText_;
    const auto& t = attributeText_;
    bool ok = false;
    std::int64_t v = 0;
    switch (r) {
        case Hp:
            ok = aboveZero(a[StaminaApt]) && aboveZero(t[Con]) && g;
            if (ok)
                v = petHp(in);
            break;
        case Mp:
            ok = aboveZero(a[ManaApt]) && aboveZero(t[Mag]) && g;
            if (ok)
                v = petMp(in);
            break;
        case Attack:
            ok = aboveZero(a[AttackApt]) && aboveZero(t[Str]) && g;
            if (ok)
                v = petAttack(in);
            break;
        case Defence:
            ok = aboveZero(a[DefenceApt]) && aboveZero(t[End]) && g;
            if (ok)
                v = petDefence(in);
            break;
        case Speed:
            ok = aboveZero(a[SpeedApt]) && aboveZero(t[Agi]);
            if (ok)
                v = petSpeed(in);
            break;
        case Spirit:
            ok = aboveZero(a[ManaApt]) && aboveZero(t[Mag]) && aboveZero(t[Str]) &&
                 aboveZero(t[Con]) && aboveZero(t[End]) && g;
            if (ok)
                v = petSpirit(in);
            break;
        default:
            return;
    }
    results_[r] = ok ? std::to_string(v) : std::string();
}

void PetPage::computeAllResults() {
    for (int r = 0; r < 6; ++r)
        computeResult(r);
}

// --- buttons

void PetPage::updateButtons() {
    const std::int64_t remaining = remainingPotential();
    for (int i = 0; i < 5; ++i) {
        const bool shown = !attributeText_[i].empty();
        stepEnabled_[i][0] = shown && added_[i] >= 5;
        stepEnabled_[i][1] = shown && added_[i] >= 1;
        stepEnabled_[i][2] = shown && remaining >= 1;
        stepEnabled_[i][3] = shown && remaining >= 5;
    }
    resetEnabled_ = potentialChange_ != 0;
    updateQuickButton();
}

void PetPage::updateQuickButton() {
    quickEnabled_ = remainingPotential() >= 1 && number(sumText_) > 0;
}

std::int64_t PetPage::quickSum() const {
    std::int64_t sum = 0;
    for (const auto& q : quickText_)
        sum += number(q);
    return sum;
}

void PetPage::step(int i, int n) {
    if (i < 0 || i >= 5 || (n != -5 && n != -1 && n != 1 && n != 5))
        return;
    if (n < 0) {
        if (added_[i] < -n)
            return;
    } else if (remainingPotential() < n) {
        return;
    }
    added_[i] += n;
    potentialChange_ -= n;
    setAttributeText(i, std::to_string(base_[i] + added_[i]));
    setPotentialText(std::to_string(remainingPotential()));
}

void PetPage::resetPoints() {
    added_.fill(0);
    potentialChange_ = 0;
    for (int i = 0; i < 5; ++i)
        if (!attributeText_[i].empty())
            setAttributeText(i, std::to_string(base_[i]));
    if (!potentialText_.empty())
        setPotentialText(std::to_string(basePotential_));
    updateButtons();
}

void PetPage::clearAll() {
    base_.fill(0);
    basePotential_ = 0;
    resetPoints();
    for (int i = 0; i < 5; ++i)
        setAttributeText(i, {});
    setPotentialText({});
    for (int i = 0; i < 5; ++i)
        setQuickText(i, {});
    results_.fill({});
}

void PetPage::chooseQuickMode(int mode) {
    quickMode_ = mode == 1 ? 1 : 0;
}

void PetPage::quickAllocate() {
    static const char* const missing[5] = {"请输入初始体质属性！", "请输入初始法力属性！",
                                           "请输入初始力量属性！", "请输入初始耐力属性！",
                                           "请输入初始敏捷属性！"};
    const std::int64_t t = quickSum();
    const std::int64_t r = remainingPotential();
    // A negative remainder (the base potential lowered below what is allocated) has nothing
    // to give either.
    if (r <= 0 || t == 0)
        return;
    if (quickMode_ == 1 && t > r) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "剩余潜能点(%lld)小于待分配分配潜能(%lld)！",
                      static_cast<long long>(r), static_cast<long long>(t));
        showStatus(buf);
        return;
    }
    for (int i = 0; i < 5; ++i) {
        if (!quickText_[i].empty() && attributeText_[i].empty()) {
            showStatus(missing[i]);
            selectField(attributeCaption(i), true);
            return;
        }
    }
    for (int i = 0; i < 5; ++i) {
        if (quickText_[i].empty())
            continue;
        const std::int64_t q = number(quickText_[i]);
        const std::int64_t add = quickMode_ == 0 ? q * r / t : q;
        added_[i] += add;
        potentialChange_ -= add;
        setAttributeText(i, std::to_string(base_[i] + added_[i]));
    }
    setPotentialText(std::to_string(remainingPotential()));
    for (int i = 0; i < 5; ++i)
        setQuickText(i, {});
    showStatus("快速加点成功！");
}

}  // namespace kalvix
