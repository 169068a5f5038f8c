#pragma once
// What pages ask of the desktop beyond messages: the clipboard and the main window's place
// above the others. The window implements it over the platform; kalvix-calc and tests use
// MemoryDesktop, whose clipboard is a string and whose window stays where it is.

#include <string>

namespace kalvix {

class Desktop {
  public:
    virtual ~Desktop() = default;
    // False when the clipboard could not be opened.
    virtual bool setClipboardText(const std::string& text) = 0;
    virtual std::string clipboardText() const = 0;
    // Keeps the window with this title above the others, or lets it go.
    virtual void keepInFront(const std::string& windowTitle, bool on) = 0;
};

class MemoryDesktop : public Desktop {
  public:
    bool setClipboardText(const std::string& text) override {
        clipboard_ = text;
        return true;
    }
    std::string clipboardText() const override { return clipboard_; }
    void keepInFront(const std::string&, bool) override {}

  private:
    std::string clipboard_;
};

}  // namespace kalvix
