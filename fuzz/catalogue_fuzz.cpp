// Fuzzes the rune combination matcher and the text fillers with arbitrary colours, texts,
// numbers and levels, and checks what every match must satisfy.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;

    template <typename T>
    T take() {
        T value{};
        const std::size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    std::string rest() {
        std::string s(reinterpret_cast<const char*>(data), size);
        size = 0;
        return s;
    }
};

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

void fuzzMatch(const kalvix::Catalogue& cat, Reader& in) {
    std::vector<std::int32_t> holes;
    while (in.size > 0 && holes.size() < 8) {
        // Mostly small values so that real colour runs are common.
        const auto b = in.take<std::int8_t>();
        holes.push_back(b >= -2 && b <= 8 ? b : in.take<std::int32_t>());
    }
    const kalvix::RuneMatch m = cat.matchRuneCombinationLevel(holes);
    check(cat.MatchRuneCombination(holes) == m.slot);
    if (m.slot == -1) {
        check(m.level == 0);
        return;
    }
    check(m.slot >= 1 && m.slot < kalvix::kRuneCombinationSlots);
    check(m.level >= 1 && m.level <= 4 && static_cast<std::size_t>(m.level) < holes.size());
    const kalvix::RuneCombination& c = cat.runeCombinations[m.slot];
    check(c.hasLevel(m.level));
    for (int h = 0; h <= m.level; ++h)
        check(c.colours[h] == holes[h]);
}

void fuzzCombinationText(Reader& in) {
    kalvix::RuneCombination c;
    const int level = in.take<std::int8_t>();
    for (auto& v : c.values) {
        v[0] = in.take<float>();
        v[1] = in.take<float>();
    }
    c.text = in.rest();
    const std::string out = kalvix::Catalogue::RuneCombinationEffectText(c, level);
    if (c.text.find('#') == std::string::npos)
        check(out == c.text);
}

void fuzzStoneText(const kalvix::Catalogue& cat, Reader& in) {
    kalvix::RuneStone s;
    s.basicAttribute = in.take<std::int8_t>();
    s.statusAttribute = in.take<std::int8_t>();
    s.basicValue = in.take<float>();
    s.statusValue = in.take<float>();
    const std::string out = cat.RuneStoneEffectText(s);
    check(out.empty() || out.find(" +") != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kalvix::Catalogue& cat = kalvix::Catalogue::instance();
    if (size == 0)
        return 0;
    Reader in{data + 1, size - 1};
    switch (data[0] % 3) {
        case 0:
            fuzzMatch(cat, in);
            break;
        case 1:
            fuzzCombinationText(in);
            break;
        default:
            fuzzStoneText(cat, in);
            break;
    }
    return 0;
}
