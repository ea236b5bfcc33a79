#pragma once
// Standard base64 (RFC 4648) with padding, for data URIs.
#include <cstdint>
#include <span>
#include <string>

namespace prestova {

std::string base64_encode(std::span<const std::uint8_t> bytes);

}  // namespace prestova
