#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The update page's answer: XML with the root "Contents", whose element
// children each hold "VERSION", "NUMBER", "content" and "DURL" in any order.
// Later items override earlier ones.
struct UpdateAnswer
{
    bool parsed = false;         // the body was XML
    QList<bool> versionsNewer;   // per VERSION element, in order: greater than the built-in one
    // Each only when the answer had one.
    std::optional<QString> number;
    std::optional<QString> content;
    std::optional<QString> downloadUrl;

    bool newer() const { return !versionsNewer.isEmpty() && versionsNewer.last(); }
    int newerCount() const { return int(versionsNewer.count(true)); }

    // The body is read up to its first zero byte, as UTF-8.
    static UpdateAnswer parse(const QByteArray &body, int builtInVersion);
};
