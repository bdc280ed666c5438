#pragma once
// The selected text measured or written piece by piece, so that a big
// selection is never built twice: its length costs no copy, and a copy goes
// straight into the caller's buffer. Both give exactly what GetSelText gives.
#include <cstddef>
#include <string_view>

namespace vellumo {

class TEditorScreenStrings;
struct TEditorSelection;

long long GetSelLength(const TEditorScreenStrings& rows, const TEditorSelection& sel);

// Writes at most size bytes of the selected text to out; returns the count written.
std::size_t WriteSelText(const TEditorScreenStrings& rows, const TEditorSelection& sel, char* out, std::size_t size);

} // namespace vellumo
