#pragma once
// The bracket that pairs with the one at a position of a Shift-JIS text.
#include <string>
#include <string_view>

namespace vellumo {

// pos is 1-based. Returns the 1-based position of the partner bracket,
// counting nesting of the same kind only, or 0 when pos holds no bracket,
// lies outside the text or the brackets are unbalanced. partner receives
// the partner's bracket text (empty when pos holds no bracket). A position
// on the trail byte of a double-byte character holds no bracket, and such
// bytes are not counted in the walk. Linear in the distance walked.
int MatchBracket(std::string_view text, int pos, std::string& partner);

} // namespace vellumo
