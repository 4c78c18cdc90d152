#include "services/window/PropertyStore.h"

#include <algorithm>

namespace varnesse::window {

int32_t IntegerValue(const PropertyValue& value, int32_t fallback) {
    if (auto number = std::get_if<int32_t>(&value)) return *number;
    if (auto logical = std::get_if<bool>(&value)) return *logical ? 1 : 0;
    return fallback;
}

Text TextValue(const PropertyValue& value) {
    if (auto text = std::get_if<Text>(&value)) return *text;
    return Text();
}

Bytes BytesValue(const PropertyValue& value) {
    if (auto bytes = std::get_if<Bytes>(&value)) return *bytes;
    return Bytes();
}

PropertyStore::PropertyStore(std::vector<PropertyRule> rules, const UnitDescription& unit)
    : rules_(std::move(rules)) {
    for (const PropertyRule& rule : rules_) {
        auto described = unit.properties.find(rule.number);
        PropertyValue initial = described != unit.properties.end() ? described->second : PropertyValue(rule.initial);
        if (rule.type == PropertyType::Logical && std::holds_alternative<int32_t>(initial) &&
            described == unit.properties.end()) {
            initial = rule.initial != 0;
        }
        values_[rule.number] = Normalised(rule, initial);
    }
}

PropertyValue PropertyStore::Normalised(const PropertyRule& rule, const PropertyValue& value) const {
    switch (rule.type) {
        case PropertyType::Text:
            return TextValue(value);
        case PropertyType::Bytes:
            return BytesValue(value);
        case PropertyType::Logical:
            return IntegerValue(value, rule.initial) != 0;
        case PropertyType::Colour:
            return IntegerValue(value, rule.initial);
        case PropertyType::Integer:
            return std::clamp(IntegerValue(value, rule.initial), rule.low, rule.high);
    }
    return {};
}

PropertyValue PropertyStore::Read(int32_t number) const {
    auto found = values_.find(number);
    return found != values_.end() ? found->second : PropertyValue();
}

bool PropertyStore::Write(int32_t number, const PropertyValue& value) {
    for (const PropertyRule& rule : rules_) {
        if (rule.number != number) continue;
        values_[number] = Normalised(rule, value);
        return true;
    }
    return false;
}

Text PropertyStore::TextOf(int32_t number) const { return TextValue(Read(number)); }
int32_t PropertyStore::IntegerOf(int32_t number) const { return IntegerValue(Read(number), 0); }
bool PropertyStore::LogicalOf(int32_t number) const { return IntegerValue(Read(number), 0) != 0; }
Bytes PropertyStore::BytesOf(int32_t number) const { return BytesValue(Read(number)); }

}  // namespace varnesse::window
