#pragma once
// The simulator page 人物模拟加点系统: one build, every action of the page on it, the fields
// it shows and the rich tooltips of its buttons, lists and summary fields. The equipment and
// mount editors it opens work on the same SimulatorSession.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/simulator/build_comparison.h"
#include "kalvix/core/simulator/build_history.h"
#include "kalvix/core/simulator/simulator_session.h"

namespace kalvix {

inline constexpr const char* kQuickDone = "快速加点成功！";
inline constexpr const char* kOverspentQuestion = "已加点数超出可用潜能，是否重值已加点数？";
inline constexpr const char* kOverspentCaption = "已分配潜能超出";
inline constexpr const char* kUndoCaption = "撤销";
inline constexpr const char* kRedoCaption = "重做";

class SimulationPage : public PageModel {
  public:
    // With a session of its own (kalvix-calc).
    explicit SimulationPage(PageContext& context);
    // On the session of the window that opens it; the page opens the session.
    SimulationPage(PageContext& context, SimulatorSession& session);
    std::string title() const override { return kSimulationTitle; }

    SimulatorSession& session() { return session_; }
    const SimulatorSession& session() const { return session_; }
    const CharacterBuild& build() const { return session_.build(); }
    const AttributeSheet& sheet() const { return session_.sheet(); }

    // Control captions.
    static std::string attributeCaption(int k);         // 体质 … 敏捷
    static std::string stepCaption(int k, int amount);  // 体质.-1 … 敏捷.+5
    static std::string quickCaption(int k);             // 快速加点.体质 …
    static std::string skillListCaption(int slot);      // 气血技能 … 灵力技能 (slot 1..8)
    static std::string skillButtonCaption(int slot);    // 气血技能.按钮
    static std::string pieceCaption(int piece);         // 武器 … 鞋子 (piece 1..6)
    static std::string schoolName(int race, int school);  // 大唐官府 …
    // 部件特效.<name of the effect at position 1..11>
    std::string partEffectCaption(int position) const;

    // --- Texts the widget shows beside the model's fields.
    // Caption of school radio 0..3 for the current race.
    std::string schoolRadioText(int school) const;
    // Caption of the button of school-skill slot 1..8: "*" before attribute skills, empty for
    // an empty row.
    std::string skillButtonText(int slot) const;
    // The rich tooltip of a control (by caption); empty when it has none.
    std::string tip(const std::string& caption) const;
    // What one press of 体质.+1 … would change on the sheet, e.g. "气血 +25　防御 +7".
    std::string stepPreview(int k, int amount) const;

    // Chooses a build file for the window: save true for 保存; nullopt when the player
    // cancels. Without it 保存 and 读取 do nothing (kalvix-calc takes --save and --load).
    std::function<std::optional<std::string>(bool save)> choosePath;

    // 保存 and 读取 with a chosen path (kalvix-calc's --save and --load too). Failures show
    // their box; true when the file was written or applied.
    bool saveTo(const std::string& path);
    bool loadFrom(const std::string& path);
    // The build file last saved or loaded, empty before any.
    const std::string& currentFile() const { return currentFile_; }
    void copyCode();
    void pasteCode();

    // The top of the 级别 list: 175 until 已飞升 is first toggled, then 155 or 145.
    std::int32_t levelLimit() const { return levelLimit_; }

    // 对比当前 and 对比文件: another build beside this one, a copy of it as it is now or one
    // read from a file (its failure shows its box). Empty until there is one.
    void compareWithCurrent();
    bool compareWithFile(const std::string& path);
    std::vector<ComparedAttribute> comparison() const;

    // 撤销 and 重做: every change of the page and of its editors, one step each.
    void undo();
    void redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

  private:
    // What undo takes back: the build, its record and what the page shows beside them. The
    // record only follows the build (saving brings it up to date), so it makes no step alone.
    struct State {
        CharacterBuild build;
        BuildRecord record;
        std::int32_t levelLimit = kMaxBuildLevel;
        std::array<std::string, kBasicAttributes> quickText{};
        std::array<bool, kEquipmentRecords> pieceSummarised{};
        bool mountSummarised = false;
        bool sameStep(const State& o) const {
            return build == o.build && levelLimit == o.levelLimit && quickText == o.quickText &&
                   pieceSummarised == o.pieceSummarised && mountSummarised == o.mountSummarised;
        }
    };
    State state() const;
    void restore(const State& s);
    void recordEveryChange();

    void declareControls();
    void openPage();
    void chooseRace(int race);
    void chooseSchool(int school);
    void chooseLevel(int level);
    void toggleAscended(bool on);
    void chooseExtraPotential(int value);
    void quickAllocate(QuickAllocation mode);
    void resetPoints();
    void openEditor(int piece);
    void openMount();
    void afterLoad();
    std::array<std::optional<std::int32_t>, kBasicAttributes> quickEntries() const;
    std::int64_t quickSum() const;
    std::string schoolSkillName(int slot) const;

    PageContext& context_;
    std::unique_ptr<SimulatorSession> ownSession_;
    SimulatorSession& session_;

    std::int32_t levelLimit_ = kMaxBuildLevel;
    std::array<std::string, kBasicAttributes> quickText_{};
    // Equipment and mount buttons show their summary once an editor confirmed or a build was
    // loaded, their heading before.
    std::array<bool, kEquipmentRecords> pieceSummarised_{};
    bool mountSummarised_ = false;
    std::string currentFile_;
    std::unique_ptr<SimulatorSession> compared_;
    BuildHistory<State> history_;
};

}  // namespace kalvix
