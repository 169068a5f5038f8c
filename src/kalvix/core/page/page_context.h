#pragma once
// What a page gets from the window that hosts it. The main window owns one and hands it to
// every page it creates; kalvix-calc and the tests build their own, so no page reaches for
// process-wide mutable state.

#include <cstdint>

#include "kalvix/core/page/clock.h"
#include "kalvix/core/page/desktop.h"
#include "kalvix/core/page/settings.h"

namespace kalvix {

class Catalogue;

class PageContext {
  public:
    // The read-only catalogue built at start-up.
    explicit PageContext(const Catalogue& catalogue) : catalogue_(&catalogue) {}
    // The process-wide catalogue.
    PageContext();
    // The settings pointer may point into this object.
    PageContext(const PageContext&) = delete;
    PageContext& operator=(const PageContext&) = delete;

    const Catalogue& catalogue() const { return *catalogue_; }

    // The clipboard and the window's stacking; a clipboard in memory unless the window sets
    // its own (the caller keeps ownership; null restores the one in memory).
    Desktop& desktop() const { return desktop_ ? *desktop_ : memoryDesktop_; }
    void setDesktop(Desktop* desktop) { desktop_ = desktop; }

    // The time pages read; the system's unless kalvix-calc or a test fixes it.
    const Clock& clock() const { return clock_; }
    void setClock(Clock clock) { clock_ = clock; }

    // The level of the 人物 and 任务 pages' "当前等级" lists, shared between them.
    std::int32_t sharedLevel() const { return sharedLevel_; }
    void setSharedLevel(std::int32_t level) { sharedLevel_ = level; }

    // Whether the main window stays above the others: 总在最前 of 跑商助手 and 窗口前置 of
    // 答题器 both set it, and both show it.
    bool stayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool on) { stayOnTop_ = on; }

    // What lasts between starts: in memory unless the window hands in its own store (kept by
    // the caller, null for memory again).
    Settings& settings() { return *settings_; }
    void setSettings(Settings* settings) { settings_ = settings ? settings : &memorySettings_; }

  private:
    const Catalogue* catalogue_;
    Clock clock_ = Clock::system();
    Desktop* desktop_ = nullptr;
    mutable MemoryDesktop memoryDesktop_;
    std::int32_t sharedLevel_ = 0;
    bool stayOnTop_ = false;
    MemorySettings memorySettings_;
    Settings* settings_ = &memorySettings_;
};

}  // namespace kalvix
