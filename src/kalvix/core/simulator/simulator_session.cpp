#include "kalvix/core/simulator/simulator_session.h"

namespace kalvix {
namespace {

bool isPiece(int piece) {
    return piece >= kFirstPiece && piece <= kLastPiece;
}

}  // namespace

SimulatorSession::SimulatorSession(const Catalogue& catalogue) : catalogue_(catalogue) {
    open(0);
}

void SimulatorSession::open(std::int32_t level) {
    record_.resetDefaults();
    simulator_.emplace(catalogue_, level);
    for (auto& r : equipmentRevision_)
        r = 0;
    mountRevision_ = 0;
}

EquipmentRecord SimulatorSession::equipment(int piece) const {
    return record_.readEquipment(isPiece(piece) ? piece : 0);
}

void SimulatorSession::confirmEquipment(int piece, const EquipmentRecord& record) {
    if (!isPiece(piece))
        return;
    simulator_->replaceEquipment(piece, record);
    record_.writeEquipment(piece, build().equipment[piece]);
    ++equipmentRevision_[piece];
}

void SimulatorSession::setRunes(int piece, const RuneSetting& runes) {
    if (!isPiece(piece))
        return;
    EquipmentRecord stored = record_.readEquipment(piece);
    stored.runes = runes;
    // The same ranges a load would apply, so the record never holds what the editors cannot.
    stored.runes = sanitizedEquipment(stored, piece).runes;
    record_.writeEquipment(piece, stored);
}

std::uint64_t SimulatorSession::equipmentRevision(int piece) const {
    return isPiece(piece) ? equipmentRevision_[piece] : 0;
}

MountRecord SimulatorSession::mount() const {
    return record_.readMount();
}

void SimulatorSession::confirmMount(const MountRecord& mount) {
    simulator_->replaceMount(mount);
    record_.writeMount(build().mount);
    ++mountRevision_;
}

BuildFileResult SimulatorSession::save(const std::string& path) {
    record_.writePageFields(build());
    return saveBuildFile(path, record_);
}

BuildFileResult SimulatorSession::load(const std::string& path, std::int32_t levelLimit) {
    return simulator_->loadFile(path, record_, levelLimit);
}

std::string SimulatorSession::buildCode() {
    record_.writePageFields(build());
    return encodeBuildText(record_);
}

void SimulatorSession::restore(const CharacterBuild& build, const BuildRecord& record) {
    simulator_->restore(build);
    record_ = record;
    for (auto& r : equipmentRevision_)
        ++r;
    ++mountRevision_;
}

void SimulatorSession::applyRecord(std::int32_t levelLimit) {
    simulator_->applyRecord(record_, levelLimit);
}

}  // namespace kalvix
