// Every registered page, driven as a user could: controls chosen by index, fuzzed actions and
// values through the one action layer, the view read back after each action as the window
// would, and the windows a page opens run modally with actions of their own. A page added to
// the registry is fuzzed without a line here.
//   input: page, clock, then actions of three bytes or more (see drive)
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/clock.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/registry/page_registry.h"
#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/mount_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/core/simulator/simulator_session.h"

namespace {

using namespace kalvix;

constexpr int kMaxDepth = 3;
constexpr int kMaxActions = 64;

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    bool empty() const { return size == 0; }
    std::uint8_t byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    // A length byte, then that many bytes (what a user types or pastes).
    std::string text() {
        std::size_t n = byte() % 48;
        if (n > size)
            n = size;
        std::string s(reinterpret_cast<const char*>(data), n);
        data += n;
        size -= n;
        return s;
    }
};

std::string buildFile() {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/kalvix-page-fuzz-" + std::to_string(getpid()) + ".PSF";
}

// Reads every control as the window shows it after an action.
std::size_t refresh(PageModel& page) {
    std::size_t n = page.title().size();
    for (const Control& c : page.controls()) {
        n += c.isEnabled() + c.isVisible();
        if (c.text)
            n += c.text().size();
        if (c.items)
            n += c.items().size();
        if (c.selected)
            n += static_cast<std::size_t>(c.selected() + 1);
        if (c.checked)
            n += c.checked();
        if (c.rows)
            for (const auto& row : c.rows())
                n += row.size();
    }
    n += page.takeMessages().size();
    n += page.takeFieldRequests().size();
    return n;
}

void drive(PageModel& page, PageContext& context, Input& in, int depth);

// What the host does when a page opens a window: the simulator's editors share its session;
// any other window is the registry's page of that title. Every window runs modally.
void hook(PageModel& page, PageContext& context, Input& in, int depth) {
    SimulatorSession* session = nullptr;
    if (auto* simulation = dynamic_cast<SimulationPage*>(&page)) {
        session = &simulation->session();
        static const std::string path = buildFile();
        // 保存 and 读取 use one scratch file, so a load reads what a save wrote.
        simulation->choosePath = [&in](bool) -> std::optional<std::string> {
            if (in.byte() % 4 == 0)
                return std::nullopt;
            return path;
        };
    }
    if (auto* equipment = dynamic_cast<EquipmentPage*>(&page)) {
        equipment->runeRunner = [&context, &in, depth](RunePage& rune) {
            drive(rune, context, in, depth + 1);
        };
    }
    page.opener = [&context, &in, depth, session](const std::string& title) {
        if (depth >= kMaxDepth)
            return;
        std::unique_ptr<PageModel> window;
        if (session) {
            for (int piece = kFirstPiece; piece <= kLastPiece; ++piece)
                if (title == kEditorTitles[piece])
                    window = std::make_unique<EquipmentPage>(context, *session, piece);
            if (title == kMountTitle)
                window = std::make_unique<MountPage>(context, *session);
        }
        if (!window)
            if (const PageEntry* entry = findPage(title))
                window = entry->create(context);
        if (window)
            drive(*window, context, in, depth + 1);
    };
}

void drive(PageModel& page, PageContext& context, Input& in, int depth) {
    hook(page, context, in, depth);
    PageActions actions(page);
    refresh(page);
    for (int step = 0; step < kMaxActions && !in.empty(); ++step) {
        const std::uint8_t op = in.byte();
        const std::vector<Control>& controls = page.controls();
        if (controls.empty())
            return;
        const Control& control = controls[in.byte() % controls.size()];
        const std::string caption = control.caption;
        switch (op % 12) {
            case 0:
            case 1:
                actions.type(caption, in.text());
                break;
            case 2: {
                const int count = control.items ? static_cast<int>(control.items().size()) : 0;
                actions.choose(caption, in.byte() % (count + 2) - 1);
                break;
            }
            case 3:
                actions.chooseItem(caption, in.text());
                break;
            case 4:
                actions.setChecked(caption, in.byte() & 1);
                break;
            case 5:
            case 6:
                actions.click(caption);
                break;
            case 7:
                actions.focus(caption);
                break;
            case 8: {
                // A few seconds, or a good part of a trade period.
                const int count = 1 + in.byte() % 8;
                actions.tick(in.byte() % 2 ? count : count * 900);
                break;
            }
            case 9:
                actions.answerNext(in.byte() & 1);
                break;
            case 10:
                actions.assign(caption, in.text());
                break;
            default:
                // The window closes (a modal one returns to its opener).
                if (depth > 0)
                    return;
                break;
        }
        refresh(page);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<PageEntry>& pages = pageRegistry();
    if (size < 5 || pages.empty())
        return 0;
    Input in{data, size};
    const PageEntry& entry = pages[in.byte() % pages.size()];
    if (!entry.create)
        return 0;
    // The clock is part of the input, so the trade page's periods and alarms replay.
    std::int64_t seconds = 0;
    for (int i = 0; i < 3; ++i)
        seconds = seconds * 256 + in.byte();
    PageContext context(Catalogue::instance());
    context.setClock(Clock::fixedAt(1700000000 + seconds * 60));
    std::unique_ptr<PageModel> page = entry.create(context);
    drive(*page, context, in, 0);
    return 0;
}
