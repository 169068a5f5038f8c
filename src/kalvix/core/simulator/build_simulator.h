#pragma once
// The operations of the character build simulator on one CharacterBuild. Every operation keeps
// the AttributeSheet up to date.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kalvix/core/simulator/attribute_sheet.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/character_build.h"

namespace kalvix {

class Catalogue;

enum class QuickAllocation { Ratio, Value };  // 比例, 数值

struct QuickResult {
    bool allocated = false;      // points were allocated; the page clears its entries
    bool failed = false;         // by value, with more points asked than remain
    std::int32_t remaining = 0;  // R, the remaining potential before the operation
    std::int64_t sum = 0;        // S, the sum of the entries
};

class BuildSimulator {
  public:
    // A new build at the given level (the shared character level when the page opens).
    explicit BuildSimulator(const Catalogue& catalogue, std::int32_t level = 0);

    const CharacterBuild& build() const { return build_; }
    const AttributeSheet& sheet() const { return sheet_; }
    const Catalogue& catalogue() const { return catalogue_; }

    // Race and school keep each other's index and set every skill level to 0.
    void setRace(std::int32_t race);
    void setSchool(std::int32_t school);
    // Also discards the distributed points.
    void setLevel(std::int32_t level);
    void setExtraPotential(std::int32_t value);
    void setSkillLevel(int slot, std::int32_t level);  // slot 1..8
    void setAuxLevel(int aux, std::int32_t level);     // 0 强身, 1 冥思, 2 养生, 3 健身
    // The level range is 0..155 when ascended and 0..145 when not; a level above the new
    // maximum is set to it (discarding the points).
    void setAscended(bool ascended);
    void setMountOn(bool on);
    void setEquipmentOn(bool on);
    // At most 29 GBK bytes are kept, cut on a character boundary: what a save stores.
    void setServer(std::string_view text);
    void setArea(std::string_view text);
    void setName(std::string_view text);

    // piece 1..6; the record is brought into the editors' ranges first.
    void replaceEquipment(int piece, const EquipmentRecord& record);
    void replaceMount(const MountRecord& record);

    // amount 1 or 5 into attribute k (0..4); false when not allowed (nothing changes).
    bool addPoints(int k, std::int32_t amount);
    bool removePoints(int k, std::int32_t amount);
    void resetAllocation();
    // Entries are 体质 … 敏捷; nullopt is an empty entry, negative values count as 0.
    QuickResult quickAllocate(
        QuickAllocation mode,
        const std::array<std::optional<std::int32_t>, kBasicAttributes>& entries);

    // Applies a build record as loading a build file does: race and school, texts, ascended,
    // the level (which discards the points), extra potential, skill levels, auxiliary levels,
    // the stored allocation, then every piece and the mount, then the sheet. Values outside
    // their ranges are brought into them first (see sanitizedEquipment); the level is kept
    // within 0..levelLimit, the limit of the page's level list. The record is then rewritten
    // with what the simulator holds, so editors and the rune dialog see the same values.
    void applyRecord(BuildRecord& record, std::int32_t levelLimit = kMaxBuildLevel);

    // 保存: copies the page fields into the record (the pieces and the mount are already there,
    // written by the editors) and writes the file.
    BuildFileResult saveFile(const std::string& path, BuildRecord& record) const;
    // 读取: decodes the file's first line into the record and applies it; an empty file or
    // one that cannot be opened changes nothing.
    BuildFileResult loadFile(const std::string& path, BuildRecord& record,
                             std::int32_t levelLimit = kMaxBuildLevel);

    // Recomputes every per-piece and mount contribution and the sheet.
    void recalculateAll();
    // Takes a whole earlier build back (undo and redo), every derived value recomputed.
    void restore(const CharacterBuild& build);

  private:
    void recalc();
    void computePiece(int piece);
    void computeMount();

    const Catalogue& catalogue_;
    CharacterBuild build_;
    AttributeSheet sheet_;
};

}  // namespace kalvix
