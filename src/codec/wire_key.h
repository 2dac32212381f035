#pragma once
// The cipher key text that client and server share: its 16 characters, one byte each,
// are the AES-128 key of every enciphered payload.

inline constexpr char kWireKeyText[] = "Hm4TzQ8wLp2XcN7v";
inline constexpr int kWireKeyLength = 16;
