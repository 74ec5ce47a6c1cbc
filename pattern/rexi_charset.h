#pragma once

#include <bitset>

// A set of byte values, one bit per value 0-255: the class of bytes a pattern character stands for.
using REXI_CharSet = std::bitset<256>;
