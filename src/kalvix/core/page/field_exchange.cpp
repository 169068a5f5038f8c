#include "kalvix/core/page/field_exchange.h"

#include <algorithm>

#include "common/number_text.h"

namespace kalvix {

FieldExchange::Field& FieldExchange::Field::within(std::int64_t min, std::int64_t max,
                                                   OutOfRange rule) {
    return within([limits = FieldLimits{min, max}] { return limits; }, rule);
}

FieldExchange::Field& FieldExchange::Field::within(std::function<FieldLimits()> limits,
                                                   OutOfRange rule) {
    limits_ = std::move(limits);
    rule_ = rule;
    return *this;
}

FieldExchange::Field& FieldExchange::Field::rangeMessage(std::string text) {
    rangeMessage_ = std::move(text);
    return *this;
}

FieldExchange::Field& FieldExchange::add(std::string caption, std::string& text) {
    Field& f = fields_.emplace_back();
    f.caption_ = std::move(caption);
    f.text_ = &text;
    return f;
}

FieldExchange::Field& FieldExchange::addInt(std::string caption, std::string& text,
                                            std::int32_t& member) {
    Field& f = add(std::move(caption), text);
    f.int32_ = &member;
    return f;
}

FieldExchange::Field& FieldExchange::addInt64(std::string caption, std::string& text,
                                              std::int64_t& member) {
    Field& f = add(std::move(caption), text);
    f.int64_ = &member;
    return f;
}

std::optional<std::int64_t> FieldExchange::parse(Field& f) {
    if (f.parsedText_ && *f.parsedText_ == *f.text_)
        return f.parsed_;
    ++parses_;
    f.parsedText_ = *f.text_;
    f.parsed_ = f.int32_ ? common::parseInteger(*f.text_, INT32_MIN, INT32_MAX)
                         : common::parseInteger(*f.text_);
    return f.parsed_;
}

std::int64_t FieldExchange::memberValue(const Field& f) const {
    return f.int32_ ? *f.int32_ : *f.int64_;
}

void FieldExchange::store(Field& f, std::int64_t v) {
    if (f.int32_)
        *f.int32_ = static_cast<std::int32_t>(v);
    else
        *f.int64_ = v;
}

std::optional<common::FieldFailure> FieldExchange::read() {
    for (Field& f : fields_) {
        const std::optional<std::int64_t> v = parse(f);
        if (!v)
            return common::FieldFailure{f.caption_, common::kNotAnInteger};
        if (!f.limits_) {
            store(f, *v);
            continue;
        }
        const FieldLimits l = f.limits_();
        const bool inside = *v >= l.min && *v <= l.max;
        auto refused = [&] {
            return common::FieldFailure{f.caption_, f.rangeMessage_.empty()
                                                        ? common::rangeMessage(l.min, l.max)
                                                        : f.rangeMessage_};
        };
        switch (f.rule_) {
            case OutOfRange::Refuse:
                store(f, *v);
                if (!inside)
                    return refused();
                break;
            case OutOfRange::RefuseUnstored:
                if (!inside)
                    return refused();
                store(f, *v);
                break;
            case OutOfRange::Clamp:
                store(f, std::clamp(*v, l.min, l.max));
                break;
        }
    }
    return std::nullopt;
}

std::vector<std::string> FieldExchange::write() {
    std::vector<std::string> changed;
    for (Field& f : fields_) {
        const std::int64_t v = memberValue(f);
        std::string shown = std::to_string(v);
        if (shown != *f.text_) {
            *f.text_ = shown;
            changed.push_back(f.caption_);
        }
        // The text now says what the member holds: no need to parse it again.
        f.parsedText_ = std::move(shown);
        f.parsed_ = v;
    }
    return changed;
}

std::vector<std::string> FieldExchange::captions() const {
    std::vector<std::string> out;
    for (const Field& f : fields_)
        out.push_back(f.caption_);
    return out;
}

}  // namespace kalvix
