#pragma once
// The 召唤兽 page: 乱敏 chance, pet experience, pet cultivation, and the point allocation
// simulator. Its messages go to the main window's status bar.

#include <array>
#include <cstdint>
#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class Catalogue;

class PetPage : public PageModel {
  public:
    static constexpr int kMaxPetLevel = 180;
    static constexpr int kMaxCultivation = 25;
    enum Attribute { Con = 0, Mag, Str, End, Agi };
    enum Aptitude { AttackApt = 0, DefenceApt, StaminaApt, ManaApt, SpeedApt, DodgeApt };
    enum Result { Hp = 0, Mp, Attack, Defence, Speed, Spirit };

    explicit PetPage(PageContext& context);
    explicit PetPage(const Catalogue& catalogue);
    std::string title() const override { return "召唤兽"; }

    bool focusLeaving(const std::string& caption) override;
    void focusEntered(const std::string& caption) override;

    // 乱敏
    void editSpeed(int field, const std::string& text);  // 0 自己速度, 1 对方速度
    // Pet experience and cultivation lists: from is a level, to a position in the to-list.
    void chooseExpFrom(int level);
    void chooseExpTo(int index);
    void chooseCultFrom(int level);
    void chooseCultTo(int index);
    void editCultExp(const std::string& text);
    // Allocation simulator
    void choosePetLevel(int level);
    void editGrowth(const std::string& text);
    void editAptitude(int aptitude, const std::string& text);
    void editAttribute(int attribute, const std::string& text);
    void editPotential(const std::string& text);
    void step(int attribute, int n);  // the -5, -1, +1, +5 buttons
    void resetPoints();               // 重置点数
    void clearAll();                  // 清空
    void chooseQuickMode(int mode);   // 0 比例加点, 1 数值加点
    void editQuick(int attribute, const std::string& text);
    void quickAllocate();  // 快速加点

    std::string text(const std::string& caption) const;
    bool isEnabled(const std::string& caption) const;
    std::int64_t added(int attribute) const { return added_[attribute]; }
    std::int64_t remainingPotential() const { return basePotential_ + potentialChange_; }
    float growth() const { return growth_; }

    static std::string attributeCaption(int attribute);
    static std::string quickCaption(int attribute);
    static std::string buttonCaption(int attribute, int n);

  private:
    void computeChaos();
    void computeExp();
    void computeCultivation();
    void setAttributeText(int attribute, std::string text);
    void setPotentialText(std::string text);
    void setQuickText(int attribute, std::string text);
    void computeResult(int result);
    void computeAllResults();
    void updateButtons();
    void updateQuickButton();
    std::int64_t quickSum() const;

    const Catalogue& catalogue_;

    std::string speedText_[2];
    std::string chaos_;

    int expFrom_ = 0, expTo_ = 0;
    std::string expNeeded_;
    int cultFrom_ = 0, cultTo_ = 0;
    std::string cultExpText_;
    std::string cultRemaining_;
    std::string cultNote_;

    int petLevel_ = 0;
    std::string growthText_ = "0";
    float growth_ = 0;
    std::array<std::string, 6> aptitudeText_{};
    std::array<std::int32_t, 6> aptitude_{};
    std::array<std::string, 5> attributeText_{};
    std::array<std::int64_t, 5> base_{};
    std::array<std::int64_t, 5> added_{};
    std::string potentialText_;
    std::int64_t basePotential_ = 0;
    std::int64_t potentialChange_ = 0;
    bool leaving_ = false;  // a field is being rewritten as the focus leaves it

    int quickMode_ = 0;
    std::array<std::string, 5> quickText_{};
    std::string sumText_;

    // Button states are kept, not derived: they follow only the changes that refresh them.
    std::array<std::array<bool, 4>, 5> stepEnabled_{};  // -5, -1, +1, +5
    bool resetEnabled_ = false;
    bool quickEnabled_ = false;

    std::array<std::string, 6> results_{};
};

}  // namespace kalvix
