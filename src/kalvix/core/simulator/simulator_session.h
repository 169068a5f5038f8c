#pragma once
// What one run of the build simulator shares between its windows: the simulator page, the six
// equipment editors, the mount editor and the rune dialog an editor opens. The build record is
// the exchange area the editors read and write and build files store; the simulator holds the
// same build with its derived sheet, and follows the record whenever an editor confirms.
//
// The session belongs to whoever opens the simulator page (the window, or kalvix-calc) and is
// handed to every window it opens; nothing of it is global.

#include <cstdint>
#include <optional>
#include <string>

#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "kalvix/core/simulator/character_build.h"
#include "kalvix/core/simulator/rune_setting.h"

namespace kalvix {

class Catalogue;

// Window titles of the dialogs the simulator opens, by piece 1..6 (index 0 unused).
inline constexpr const char* kEditorTitles[kEquipmentRecords] = {
    "", "武器", "铠甲/女衣", "头盔/发钗", "项链", "腰带", "靴子"};
inline constexpr const char* kMountTitle = "坐骑";
inline constexpr const char* kRuneTitle = "符石模拟";
inline constexpr const char* kSimulationTitle = "人物模拟加点系统";

class SimulatorSession {
  public:
    // A record of zeros with its defaults written, and a bare build at level 0.
    explicit SimulatorSession(const Catalogue& catalogue);
    SimulatorSession(const SimulatorSession&) = delete;
    SimulatorSession& operator=(const SimulatorSession&) = delete;

    // What opening the simulator page does: the record gets its defaults (race, school, the
    // texts and the level stay in it) and the build starts afresh at the given level.
    void open(std::int32_t level);

    const Catalogue& catalogue() const { return catalogue_; }
    BuildSimulator& simulator() { return *simulator_; }
    const BuildSimulator& simulator() const { return *simulator_; }
    const CharacterBuild& build() const { return simulator_->build(); }
    const AttributeSheet& sheet() const { return simulator_->sheet(); }
    BuildRecord& record() { return record_; }
    const BuildRecord& record() const { return record_; }

    // The current build's race (0..2) and school (0..3), and the school value
    // race × 10 + school + 11 the rune dialog is preset with.
    std::int32_t race() const { return build().race; }
    std::int32_t school() const { return build().school; }
    std::int32_t schoolValue() const { return race() * 10 + school() + 11; }

    // --- Equipment editors (piece 1..6; other numbers read the spare record and write
    // nothing).
    // The piece as the record holds it: what an editor opens with.
    EquipmentRecord equipment(int piece) const;
    // An editor's 确认: the piece goes into the record and the build, and its contribution and
    // the sheet are recomputed. The record keeps what the simulator holds (values brought into
    // range).
    void confirmEquipment(int piece, const EquipmentRecord& record);
    // The rune dialog's 确定 in editor mode: the rune block is written into the record at
    // once; the character follows only at the editor's next 确认 or the next load.
    void setRunes(int piece, const RuneSetting& runes);
    // Counts the 确认s of the piece's editor, so the page can tell 确认 from 取消.
    std::uint64_t equipmentRevision(int piece) const;

    // --- Mount editor.
    MountRecord mount() const;
    // The mount editor's 确认: record and build, then the mount contribution and the sheet.
    void confirmMount(const MountRecord& mount);
    std::uint64_t mountRevision() const { return mountRevision_; }

    // --- Rune dialog: the last rune setting copy, written when an editor opens the dialog and
    // by the dialog's 确定 in editor mode; the editor reads its result from it.
    RuneSetting& lastRuneSetting() { return lastRunes_; }
    const RuneSetting& lastRuneSetting() const { return lastRunes_; }

    // --- Build files and codes. levelLimit is the top of the page's level list.
    // 保存: the page fields go into the record, then the file is written.
    BuildFileResult save(const std::string& path);
    // 读取: the file's first line is decoded into the record and applied to the build.
    BuildFileResult load(const std::string& path, std::int32_t levelLimit);
    // The same 2000-character line as a build file, for sharing a build as text.
    std::string buildCode();
    // Applies the record (after decoding into it) as a load does.
    void applyRecord(std::int32_t levelLimit);
    // Takes an earlier build and its record back (undo and redo): every piece and the mount
    // count as changed.
    void restore(const CharacterBuild& build, const BuildRecord& record);

  private:
    const Catalogue& catalogue_;
    BuildRecord record_;
    std::optional<BuildSimulator> simulator_;  // rebuilt by open()
    std::uint64_t equipmentRevision_[kEquipmentRecords] = {};
    std::uint64_t mountRevision_ = 0;
    RuneSetting lastRunes_;
};

}  // namespace kalvix
