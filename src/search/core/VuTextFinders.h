// Substring finders over one block of text, with case folding, whole words
// and the block-border rule: a whole-word candidate that touches the edge
// of the block in the search direction is rejected unless the block is the
// last one, because the block cannot show what lies beyond it.
#pragma once

#include <string_view>

// 1-based index of the first (forward) or last (backward) candidate of
// `pattern` in `text` that qualifies, or 0 (also when either is empty).
// Without `matchCase` both are lower-cased first (FindBytesInText through
// the system ANSI code page). With `wholeWords` a candidate must have a
// word delimiter before it unless it is the first candidate and after it
// unless it is the last, and the last (forward) or first (backward)
// candidate is rejected while `lastBlock` is false.
int FindBytesInText(std::string_view pattern, std::string_view text, bool forward, bool lastBlock, bool matchCase,
                    bool wholeWords);
int FindWideInText(std::u16string_view pattern, std::u16string_view text, bool forward, bool lastBlock,
                   bool matchCase, bool wholeWords);
