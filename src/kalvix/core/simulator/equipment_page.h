#pragma once
// The six equipment editors (武器 … 靴子): one model, set apart by the table of equipment
// kinds. An editor edits one piece of the build: the rune block goes into the piece as soon
// as the rune dialog's 确定 hands it back, everything else only on 确认.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/simulator/character_build.h"
#include "kalvix/core/simulator/equipment_kinds.h"
#include "kalvix/core/simulator/simulator_session.h"

namespace kalvix {

class RunePage;

class EquipmentPage : public PageModel {
  public:
    static constexpr int kHoles = kRuneSettingHoles;

    // Edits piece 1..6 of the session's build for its character; the rune dialog it opens
    // shares the session's last rune setting copy.
    EquipmentPage(PageContext& context, SimulatorSession& session, int piece);
    // On a session of its own: a fresh piece of a bare 人族 大唐官府 build (kalvix-calc).
    EquipmentPage(PageContext& context, int piece);
    ~EquipmentPage() override;
    std::string title() const override { return kind_.title; }

    const EquipmentKind& kind() const { return kind_; }
    // The piece as the editor shows it (the session's record changes on 确认 and, for the
    // rune block, on the rune dialog's 确定).
    const EquipmentRecord& piece() const { return piece_; }
    SimulatorSession& session() { return session_; }

    // The user's actions.
    void chooseLevel(int position);
    void clickStrengthen(bool on);
    void chooseStunt(int position);
    void chooseValue(int list, int position);  // list: index into kind().lists
    void clickEffect(int box, bool on);        // box: index into effectBoxes()
    void runeSimulation();                     // 符石模拟
    void confirm();                            // 确认
    void cancel();                             // 取消

    // Runs the rune dialog modally (the host shows it); its outcome says how it closed.
    // Without a host the button opens nothing.
    std::function<void(RunePage&)> runeRunner;
    // Set by 确认 or 取消, which also close the dialog.
    enum class Outcome { Open, Confirmed, Cancelled };
    Outcome outcome() const { return outcome_; }

    struct EffectBox {
        int position;  // in the effect table
        bool general;
        std::int32_t bit;
        std::string caption;
        std::string tip;
    };
    const std::vector<EffectBox>& effectBoxes() const { return boxes_; }
    bool effectTicked(int box) const;

    // Captions of the controls, as kalvix-calc addresses them.
    std::string listCaption(int list) const;
    static std::string holeCaption(int hole);  // hole 0..4: "镶嵌符石.1" …
    int levelPosition() const { return level_; }
    bool strengthened() const { return strengthened_; }
    bool presetListsEnabled() const { return presetEnabled_; }
    int listPosition(int list) const { return positions_[static_cast<std::size_t>(list)]; }
    bool listEnabled(int list) const;
    // Icon of hole 0..4 in the icon editors: the stone id, 9999 for an empty hole, 0 for a
    // hole the piece does not have.
    std::int32_t holeIcon(int hole) const { return holeIcon_[static_cast<std::size_t>(hole)]; }

    // Rich tooltip of a control by caption; empty for none.
    std::string tip(const std::string& caption) const;

  private:
    void declareControls();
    void open();
    void levelChanged();
    void applyPresets();
    void stuntChanged();
    void showRunes();

    PageContext& context_;
    std::unique_ptr<SimulatorSession> ownSession_;
    SimulatorSession& session_;
    const EquipmentKind& kind_;
    EquipmentRecord piece_;  // what the editor shows; the session gets it on 确认
    Outcome outcome_ = Outcome::Open;

    int level_ = -1;
    bool strengthened_ = false;
    bool presetEnabled_ = true;
    int stunt_ = 0;
    std::string stuntInfo_;
    std::string stuntTip_;
    std::vector<int> positions_;
    std::int32_t partMask_ = 0;
    std::int32_t generalMask_ = 0;
    std::vector<EffectBox> boxes_;

    std::string combination_;
    int combinationLevel_ = -1;
    std::string combinationTip_;
    std::array<std::string, kHoles> holeText_{};
    std::array<std::string, kHoles> holeTip_{};
    std::array<std::int32_t, kHoles> holeIcon_{};
};

// The editor of one piece on a session of its own, as the page registry creates it.
template <int Piece>
class EquipmentEditor : public EquipmentPage {
  public:
    explicit EquipmentEditor(PageContext& context) : EquipmentPage(context, Piece) {}
};

}  // namespace kalvix
