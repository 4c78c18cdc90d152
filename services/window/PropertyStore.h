// The kind-specific properties of a control (numbers from 8 on), kept as the
// control's own values: each number has a type, integers a clamp range, and
// the description gives the initial values.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <vector>

#include "services/window/WindowDescription.h"

namespace varnesse::window {

enum class PropertyType { Text, Integer, Logical, Colour, Bytes };

// Colours are 0x00BBGGRR; this one stands for the system's button-face colour.
constexpr int32_t kDefaultColour = static_cast<int32_t>(0xFF000000u);

struct PropertyRule {
    int32_t number;
    PropertyType type;
    int32_t initial = 0;  // integers, logicals and colours left out of the description
    int32_t low = std::numeric_limits<int32_t>::min();
    int32_t high = std::numeric_limits<int32_t>::max();
};

class PropertyStore {
public:
    PropertyStore(std::vector<PropertyRule> rules, const UnitDescription& unit);

    bool Has(int32_t number) const { return values_.count(number) != 0; }
    // The stored value; nothing for a number the kind does not have.
    PropertyValue Read(int32_t number) const;
    // Stores the value brought to the property's type (and range); false for
    // a number the kind does not have.
    bool Write(int32_t number, const PropertyValue& value);

    Text TextOf(int32_t number) const;
    int32_t IntegerOf(int32_t number) const;
    bool LogicalOf(int32_t number) const;
    Bytes BytesOf(int32_t number) const;

private:
    PropertyValue Normalised(const PropertyRule& rule, const PropertyValue& value) const;

    std::vector<PropertyRule> rules_;
    std::map<int32_t, PropertyValue> values_;
};

// Conversions used by every kind: missing or mismatched values give the
// neutral value of the wanted type.
int32_t IntegerValue(const PropertyValue& value, int32_t fallback);
Text TextValue(const PropertyValue& value);
Bytes BytesValue(const PropertyValue& value);

}  // namespace varnesse::window
