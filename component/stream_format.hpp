#pragma once
// The control's state in a stream (IPersistStreamInit): a header line, then
// one line per bag key, "Key=T:value", where T names the value's type
// (E empty, I integer, L long, S single, D double, B Boolean, T text) and
// text escapes backslash, carriage return and line feed.
#include "platform/memory_property_bag.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace prestova::component {

constexpr std::string_view kStreamHeader = "Tallymere.Prestova 1\n";

std::string encode_state(const MemoryPropertyBag& bag);
// Nothing when the text is not in this format.
std::optional<MemoryPropertyBag> decode_state(std::string_view text);

} // namespace prestova::component
