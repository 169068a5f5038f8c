// Build files are outside input: any line must decode, load, compute and print safely, and so
// must any 1500 bytes that land in the record.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "kalvix/core/simulator/build_summary.h"

namespace {

using namespace kalvix;

std::size_t touchSummaries(const BuildSimulator& sim) {
    const Catalogue& cat = sim.catalogue();
    const CharacterBuild& b = sim.build();
    std::size_t n = mountSummary(b.mount, sim.sheet().mountRaw).size();
    for (int p = kFirstPiece; p <= kLastPiece; ++p) {
        n += equipmentSummary(b.equipment[p], cat).size();
        n += runeSummary(b.equipment[p].runes, cat).size();
    }
    for (int slot = 1; slot <= kBuildSkillSlots; ++slot) {
        n += schoolSkillLevelTip(b, sim.sheet(), slot, cat).size();
        if (const SchoolSkillInfo* row = cat.schoolSkill(b.race, b.school, slot))
            n += schoolSkillButtonTip(*row).size();
    }
    const BottomSummary bottom = bottomSummary(b, sim.sheet(), cat);
    for (const auto& t : bottom.combinationTip)
        n += t.size();
    return n;
}

void exercise(BuildRecord& record, std::string_view data) {
    BuildSimulator sim(Catalogue::instance(), 0);
    sim.applyRecord(record);
    // Loading rewrites the record with what the simulator holds: loading it again changes
    // nothing.
    BuildRecord again = record;
    BuildSimulator second(Catalogue::instance(), 0);
    second.applyRecord(again);
    if (!(again == record) || !(second.sheet() == sim.sheet()))
        __builtin_trap();
    touchSummaries(sim);
    // A few page actions on whatever was loaded.
    const unsigned char c = data.empty() ? 0 : static_cast<unsigned char>(data[0]);
    sim.addPoints(c % 5, 5);
    sim.removePoints((c / 5) % 5, 1);
    sim.setEquipmentOn((c & 1) != 0);
    sim.setMountOn((c & 2) != 0);
    sim.quickAllocate((c & 4) ? QuickAllocation::Ratio : QuickAllocation::Value,
                      {c, 1, std::nullopt, 2147483647, 0});
    sim.setAscended((c & 8) != 0);
    touchSummaries(sim);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);

    // The file as the page reads it: its first line, decoded over a freshly opened record.
    BuildRecord record;
    record.resetDefaults();
    decodeBuildText(firstBuildLine(data), record);
    exercise(record, data);

    // The same input as the record itself, so damaged values reach every lookup.
    BuildRecord raw;
    std::copy_n(bytes, std::min(size, raw.bytes().size()), raw.bytes().begin());
    exercise(raw, data);
    return 0;
}
