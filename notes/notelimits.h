#pragma once

// What the notes program takes from its file, so that no file keeps it from
// answering: each note is laid out whole when it shows, and a long note (a
// long word above all) takes far longer than its size says.
namespace NoteLimits {

constexpr int MaxNotes = 200;
// Characters of a note's text; more are not shown, and not taken when typed or pasted.
constexpr int MaxCharacters = 20000;
// A note's stored rich text (UTF-16 units) that is read as rich text; a larger
// or more deeply nested one shows its words without their formatting.
constexpr int MaxRichText = 2 * 1024 * 1024;

} // namespace NoteLimits
