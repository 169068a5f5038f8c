#pragma once
// Qt-free model of a page or dialog: its controls (by caption), the actions a user can take on
// them, and the messages it shows. Windows and kalvix-calc drive the same model.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "kalvix/core/page/field_exchange.h"

namespace kalvix {

// Where a message goes: the status bar's first field, a message box, a field of the page, a
// sound that plays (the text names it), or an address handed to the desktop to open.
enum class MessageWhere { Status, Box, Field, Sound, Open };

struct PageMessage {
    MessageWhere where = MessageWhere::Box;
    std::string text;
    std::string field;  // caption of the field that takes the focus (box messages), or empty
};

// What a page asks of a field's widget besides its text: take the keyboard focus, select the
// whole text (so the next keystroke replaces it), or put the caret after the text.
struct FieldRequest {
    std::string field;  // caption
    bool focus = false;
    bool selectAll = false;
    bool caretToEnd = false;
};

// The decimal texts from, from + 1, ..., to: the items of a level list.
std::vector<std::string> numberItems(int from, int to);

enum class ControlKind { Edit, List, Check, Radio, Button, Result, Table, Label };

using TableRows = std::vector<std::vector<std::string>>;

struct Control {
    std::string caption;  // unique on its page; "group.caption" where a caption repeats
    std::string id;       // objectName of the widget in the page's .ui file
    ControlKind kind = ControlKind::Edit;
    bool output = false;  // listed among the page's results

    std::function<std::string()> text;                // Edit, Result, Label
    std::function<void(const std::string&)> edit;     // Edit: the user typed this text
    std::function<std::vector<std::string>()> items;  // List
    std::function<int()> selected;                    // List: -1 when nothing is chosen
    std::function<void(int)> choose;                  // List: the user chose this position
    std::function<bool()> checked;                    // Check, Radio
    std::function<void(bool)> check;                  // Check, Radio
    std::function<void()> press;                      // Button
    std::function<TableRows()> rows;                  // Table
    std::function<bool()> enabled;                    // null: always enabled
    std::function<bool()> visible;                    // null: always visible
    // A control that shows a picture instead of its text (a rune stone's icon): which one.
    std::function<std::int32_t()> picture;
    bool takesFocus = true;  // false for a link: a click on it leaves the focus where it is

    bool isEnabled() const { return !enabled || enabled(); }
    bool isVisible() const { return !visible || visible(); }
};

class PageModel {
  public:
    virtual ~PageModel() = default;
    PageModel() = default;
    PageModel(const PageModel&) = delete;
    PageModel& operator=(const PageModel&) = delete;

    // Tab caption or dialog title.
    virtual std::string title() const = 0;

    const std::vector<Control>& controls() const { return controls_; }
    const Control* find(const std::string& caption) const;
    const Control* findById(const std::string& id) const;

    // The fields the page exchanges with its edit controls, in reading order.
    const FieldExchange& fieldExchange() const { return fields_; }

    // Messages shown since the last take, in order.
    std::vector<PageMessage> takeMessages();
    const std::vector<PageMessage>& pendingMessages() const { return messages_; }

    // Field requests made since the last take, in order.
    std::vector<FieldRequest> takeFieldRequests();
    const std::vector<FieldRequest>& pendingFieldRequests() const { return requests_; }

    // Focus moves. Returning false from focusLeaving keeps the focus where it is.
    virtual bool focusLeaving(const std::string& caption);
    virtual void focusEntered(const std::string& caption);
    const std::string& focus() const { return focus_; }
    // A dialog's page asks its window to close: true when confirmed (OK), false when
    // cancelled. The window takes the request once the action is through.
    std::optional<bool> takeCloseRequest() { return std::exchange(closeRequest_, std::nullopt); }
    const std::optional<bool>& pendingCloseRequest() const { return closeRequest_; }

    // Moves the focus as a user would; false when the current field refuses to let it go.
    bool moveFocus(const std::string& caption);

    // The focus goes to the field with its whole text selected, as after a message box about
    // it.
    // Once: a page that selected the field itself is not asked again.
    void focusField(const std::string& caption);

    // One timer event (pages with a clock).
    virtual void tick() {}

    // Question boxes: the host answers; without a host the answer is "ok". The caption is the
    // box's title; empty, the box carries the program's name.
    std::function<bool(const std::string& text, const std::string& caption)> asker;
    // Opening another window (a dialog of the simulator ...); the host decides what opens.
    std::function<void(const std::string& window)> opener;

  protected:
    Control& add(Control c);
    Control& addEdit(std::string caption, std::string id, std::function<std::string()> text,
                     std::function<void(const std::string&)> edit);
    Control& addResult(std::string caption, std::string id, std::function<std::string()> text);
    Control& addList(std::string caption, std::string id,
                     std::function<std::vector<std::string>()> items, std::function<int()> selected,
                     std::function<void(int)> choose);
    Control& addButton(std::string caption, std::string id, std::function<void()> press);
    // A link: a label that acts when clicked, like a button that never takes the focus.
    Control& addLink(std::string caption, std::string id, std::function<void()> press);
    Control& addCheck(std::string caption, std::string id, std::function<bool()> checked,
                      std::function<void(bool)> check);
    // A radio button: pressing it calls press (a radio is only ever switched on by a user).
    Control& addRadio(std::string caption, std::string id, std::function<bool()> checked,
                      std::function<void()> press);
    Control& addLabel(std::string caption, std::string id, std::function<std::string()> text);

    // Runs every control's handler through around(caption, kind, handler): what a page does
    // around each action of the player's (recording a step for undo).
    using ActionWrapper = std::function<void(const std::string& caption, ControlKind kind,
                                             const std::function<void()>& handler)>;
    void wrapHandlers(const ActionWrapper& around);

    // Field exchange: declare each field once (fields().addInt(...)), then read them all
    // before computing and write them all back afterwards. A refused field shows the
    // framework's message in a box and takes the focus; false then.
    FieldExchange& fields() { return fields_; }
    bool readFields();
    // The captions whose text changed.
    std::vector<std::string> writeFields();

    void showStatus(std::string text);
    void showBox(std::string text, std::string field = {});
    // Closes the dialog that shows this page, confirmed or not.
    void closeWindow(bool confirmed) { closeRequest_ = confirmed; }
    bool ask(const std::string& text, const std::string& caption = {});
    void open(const std::string& window);
    // A sound the page plays (an alarm); the text says what it warns of.
    void playSound(std::string text);
    // An address the desktop opens in the default browser.
    void openAddress(std::string address);
    // Selects the field's whole text; with takeFocus the field also takes the focus (in the
    // model too), unless the field being left refuses to let it go.
    void selectField(const std::string& caption, bool takeFocus);
    void caretToEnd(const std::string& caption);

  private:
    std::vector<Control> controls_;
    FieldExchange fields_;
    std::vector<PageMessage> messages_;
    std::vector<FieldRequest> requests_;
    std::optional<bool> closeRequest_;
    std::string focus_;
};

}  // namespace kalvix
