#pragma once
// The framework's field exchange. A page declares each field it exchanges once: its caption,
// the text the field shows, the member behind it, and the member's kind and limits, which
// give the message a refused text shows. Reading walks the fields in the order declared; the
// first one refused stops it, so the members of later fields keep their values. Writing puts
// every member back into its text.
//
// A text is parsed once: reading it again while it is unchanged takes the value parsed the
// first time. The reading itself still happens (and refuses again) as often as the page reads.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/field_reader.h"

namespace kalvix {

struct FieldLimits {
    std::int64_t min = 0;
    std::int64_t max = 0;
};

// What a value outside a field's limits does.
enum class OutOfRange {
    Refuse,          // stored as typed, then refused with the range message
    RefuseUnstored,  // refused with the range message; the member keeps its accepted value
    Clamp,           // taken as the nearest limit, without a message
};

class FieldExchange {
  public:
    class Field {
      public:
        // Limits with what a value outside them does; a function for limits that follow the
        // page's state.
        Field& within(std::int64_t min, std::int64_t max, OutOfRange rule = OutOfRange::Refuse);
        Field& within(std::function<FieldLimits()> limits, OutOfRange rule);
        // The text a value outside the limits shows instead of the framework's range message.
        Field& rangeMessage(std::string text);

        const std::string& caption() const { return caption_; }

      private:
        friend class FieldExchange;
        std::string caption_;
        std::string* text_ = nullptr;
        std::int32_t* int32_ = nullptr;
        std::int64_t* int64_ = nullptr;
        std::function<FieldLimits()> limits_;
        OutOfRange rule_ = OutOfRange::Refuse;
        std::string rangeMessage_;
        // The last text parsed and what it gave (nullopt: not an integer of the member's kind).
        std::optional<std::string> parsedText_;
        std::optional<std::int64_t> parsed_;
    };

    FieldExchange() = default;
    FieldExchange(const FieldExchange&) = delete;
    FieldExchange& operator=(const FieldExchange&) = delete;

    // Declarations, in reading order. The text and the member must outlive the exchange.
    Field& addInt(std::string caption, std::string& text, std::int32_t& member);
    Field& addInt64(std::string caption, std::string& text, std::int64_t& member);

    // Reads every field in order; the refused one, if any, with its message.
    std::optional<common::FieldFailure> read();
    // Writes every member into its text; the captions whose text changed.
    std::vector<std::string> write();

    // How many texts were parsed so far (each distinct text once).
    std::size_t parses() const { return parses_; }
    std::vector<std::string> captions() const;

  private:
    Field& add(std::string caption, std::string& text);
    std::optional<std::int64_t> parse(Field& f);
    std::int64_t memberValue(const Field& f) const;
    void store(Field& f, std::int64_t v);

    std::deque<Field> fields_;  // a deque: declarations hand out references
    std::size_t parses_ = 0;
};

}  // namespace kalvix
