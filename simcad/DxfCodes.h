// The meanings of DXF group codes that the reader and the writer share, kept in one place so
// that what is written is read back the same.
#pragma once

namespace kav::sim {

// True for the group codes whose value is a string (names, texts, subclass markers, ...).
bool IsStringGroup(int code);

// The alignment code of a TEXT or attribute from its horizontal (72) and vertical (73, or 74
// for attributes) justification. Aligned, Middle and Fit have no vertical part.
int AlignmentCode(int horizontal, int vertical);

// The way back: the horizontal and vertical justification of an alignment code (codes out
// of range count as 0, the left of the baseline).
void Justification(int alignment, int& horizontal, int& vertical);

}  // namespace kav::sim
