#pragma once
// The 符石模拟 dialog: the holes of a piece of equipment, their colours and stones, and the
// rune combination they form. Free mode (opened from the 人物 and 常用查询 pages) returns
// nothing; editor mode (opened from an equipment editor) is preset with the piece's slot,
// the character's school and the piece's rune setting, and 确定 hands the setting back.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/simulator/rune_setting.h"

namespace kalvix {

struct RuneStone;
struct RuneCombination;

// A drop-down list with one integer key per item, appended in order, at most 512 items. The
// current key is -1 when nothing is selected; selecting a key nobody has clears the selection.
class KeyedList {
  public:
    static constexpr int kMaxItems = 512;

    void clear();
    // Refused (false) beyond kMaxItems items.
    bool add(std::int32_t key, std::string text);
    std::int32_t currentKey() const;
    void selectKey(std::int32_t key);
    void selectPosition(int position);  // outside the list: no selection
    int selected() const { return selected_; }
    int size() const { return static_cast<int>(items_.size()); }
    std::vector<std::string> texts() const;
    std::int32_t keyAt(int position) const {
        return items_[static_cast<std::size_t>(position)].first;
    }

  private:
    std::vector<std::pair<std::int32_t, std::string>> items_;
    int selected_ = -1;
};

class RunePage : public PageModel {
  public:
    static constexpr int kRows = kRuneSettingHoles;
    // The 开运孔数 tooltip: what opening the holes costs at each equipment level.
    static const char* const kHoleCostTip;

    // lastSetting is the program-wide last rune setting copy (kept by the simulator session);
    // null keeps a private one. The dialog's start-up runs here.
    explicit RunePage(PageContext& context, RuneSetting* lastSetting = nullptr);
    std::string title() const override { return "符石模拟"; }

    // Editor mode: slot 1..6 (or -1), school value 11..34 (or -1) and the piece's setting.
    // Called once, before the dialog is shown; the preset is loaded at once.
    void SetPreset(std::int32_t slot, std::int32_t school, const RuneSetting& setting);

    // The user's actions.
    void chooseSlot(int position);
    void chooseHoles(int position);
    void chooseSchool(int position);
    void chooseCombination(int position);
    void chooseColour(int row, int colour);  // row 0..4, colour 0..6
    void chooseStone(int row, int position);
    void confirm();  // 确定
    void cancel();   // 取消

    bool editorMode() const { return editorMode_; }
    // Set by 确定 or 取消, which also close the dialog.
    enum class Outcome { Open, Confirmed, Cancelled };
    Outcome outcome() const { return outcome_; }

    const RuneSetting& working() const { return working_; }
    const RuneSetting& lastSetting() const { return *last_; }

    int holeCount() const { return holes_; }  // the selected position of 开运孔数, -1 none
    std::int32_t combinationKey() const { return combinations_.currentKey(); }
    int combinationLevelPosition() const { return comboLevel_; }
    int rowColour(int row) const { return rows_[row].colour; }
    std::int32_t rowStoneKey(int row) const { return rows_[row].stones.currentKey(); }
    bool rowEnabled(int row) const { return rows_[row].enabled; }
    // Icon resource of hole row (0..4): the stone id, or 9999 for an empty hole.
    std::int32_t iconId(int row) const { return rows_[row].icon; }
    const std::string& effectText() const { return effect_; }

    // Rich tooltip of a control by caption; empty for none.
    std::string tip(const std::string& caption) const;

    static std::string rowCaption(int row);  // "符石1" …
    static std::string stoneTip(const RuneStone& stone, const std::string& bonus);

  private:
    struct Row {
        int colour = -1;  // colour list position, which is its key 0..6; -1 none
        KeyedList stones;
        int level = -1;  // level list position 0..2, -1 none
        std::string bonus;
        std::int32_t icon = 9999;
        std::string tip;  // of the stone list, the bonus text and the icon button
        bool enabled = true;
    };

    void refillHoles();
    void holeCountChanged();
    void refillCombinations();
    void combinationChosen();
    void refillStones(int row);
    void stoneChosen(int row, bool byUser);
    void colourMatch();
    void showCombination();
    void loadPreset();
    const RuneCombination* chosenCombination() const;
    void close(Outcome outcome);

    const Catalogue& catalogue_;
    RuneSetting ownLast_;
    RuneSetting* last_;
    bool editorMode_ = false;
    std::int32_t presetSlot_ = -1;
    std::int32_t presetSchool_ = -1;
    RuneSetting working_;
    Outcome outcome_ = Outcome::Open;

    KeyedList slots_;
    bool slotEnabled_ = true;
    int holes_ = -1;
    KeyedList schools_;
    bool schoolEnabled_ = true;
    KeyedList combinations_;
    int comboLevel_ = -1;
    std::string effect_;
    std::string comboTip_;
    std::array<Row, kRows> rows_{};
};

}  // namespace kalvix
