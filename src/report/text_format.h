#pragma once
// The format bits of the report text primitive. Column and cell alignments are stored
// with these bits, so their values are part of the report file.

namespace TextFormat {

inline constexpr unsigned kCentre = 0x1;       // centre horizontally
inline constexpr unsigned kRight = 0x2;        // right-align (ignored with kCentre)
inline constexpr unsigned kMiddle = 0x4;       // centre vertically
inline constexpr unsigned kBottom = 0x8;       // align to the bottom (ignored with kMiddle)
inline constexpr unsigned kWordBreak = 0x10;   // set on wrapping cells; wrapping is the default
inline constexpr unsigned kSingleLine = 0x20;  // one line, no wrapping, no line limit
inline constexpr unsigned kNoClip = 0x100;     // do not clip (ignored for right-aligned text)

// The format of a title bar or header label: centred both ways.
inline constexpr unsigned kCentred = kCentre | kMiddle;

}  // namespace TextFormat
