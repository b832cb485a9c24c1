#pragma once
#include <QByteArray>
#include <QString>

class QDomDocument;

// The DOM parser recurses once per nested element, so a small file of deeply
// nested elements exhausts the stack. Every XML file we read passes through
// here: its depth is measured by a streaming pass first, and only a file
// within the limit reaches the DOM.
namespace XmlGuard {

// Deeper than any of our formats (icon lists, notes, menus, the update
// answer, weather data) ever needs, far below what the stack bears.
constexpr int MaxDepth = 32;

enum class Check { Ok, TooDeep, Malformed };

// Measures the nesting without building anything.
Check check(const QByteArray &xml, int maxDepth = MaxDepth);

// check(), then the DOM. False when too deep or not well-formed; why says which.
bool parse(const QByteArray &xml, QDomDocument *doc, int maxDepth = MaxDepth, QString *why = nullptr);

} // namespace XmlGuard
