#pragma once
// The control's state in a stream (IPersistStreamInit): a header line, then
// one line per bag key, "Key=T:value", where T names the value's type and
// the value reads back exactly:
//   E empty, N Null (no value)
//   I Integer, L Long, Y Byte, R Error code: decimal digits
//   S Single, D Double, A Date (its serial): shortest round-trip form
//   C Currency: its count of ten-thousandths
//   M Decimal: high 32 bits, low 64 bits, scale, sign (1 negative), by colons
//   B Boolean: 0 or 1
//   T text: backslash, carriage return and line feed escaped
// Streams written before Null, Byte, Error, Date, Currency and Decimal had
// tags use only the older tags and read as they always did.
#include "platform/memory_property_bag.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace prestova {

constexpr std::string_view kStreamHeader = "Tallymere.Prestova 1\n";

std::string encode_state(const MemoryPropertyBag& bag);
// Nothing when the text is not in this format.
std::optional<MemoryPropertyBag> decode_state(std::string_view text);

}  // namespace prestova
