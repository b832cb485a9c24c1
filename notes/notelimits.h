#pragma once
#include <QtGlobal>

// What the notes program takes from its file, so that no file keeps it from
// answering: each note is laid out whole when it shows, and a long note (a
// long word above all) takes far longer than its size says. What the program
// writes keeps within the same limits, so that it always reads back whole.
namespace NoteLimits {

constexpr int MaxNotes = 200;
// Characters of a note's text; more are not shown, and not taken when typed or pasted.
constexpr int MaxCharacters = 20000;
// A note's stored rich text (UTF-16 units) that is read as rich text; a larger
// or more deeply nested one shows its words without their formatting. An edit
// that would take a note past it is not taken.
constexpr int MaxRichText = 2 * 1024 * 1024;
// The note file: what is read of it, and what the notes together may take in
// it. Rich text takes far more than its characters (a short line ends in some
// 150 bytes of markup), so that even 200 notes of 20,000 characters cannot all
// be formatted: an edit that would take the file past it is not taken.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

} // namespace NoteLimits
