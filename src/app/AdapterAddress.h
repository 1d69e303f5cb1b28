#pragma once

#include <string>

// Twelve upper-case hex digits of the first listed network adapter with a 6-byte hardware
// address (loopback excluded), or the empty string.
std::string GetAdapterAddressText();
