#include "dock/tools/updateanswer.h"

#include "common/logging.h"
#include "common/xmlguard.h"

#include <QDomDocument>

UpdateAnswer UpdateAnswer::parse(const QByteArray &body, int builtInVersion)
{
    UpdateAnswer a;
    const int end = body.indexOf('\0');
    const QByteArray text = end < 0 ? body : body.left(end);
    // Nested deeper than the answer ever is: refused before the DOM recurses.
    QDomDocument doc;
    if (XmlGuard::check(text) != XmlGuard::Check::Ok || !doc.setContent(QString::fromUtf8(text))) {
        qCDebug(lcNet) << "add setcontent error...";
        return a;
    }
    a.parsed = true;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("Contents"))
        qCDebug(lcNet) << "root.tagname != History...";
    for (QDomElement item = root.firstChildElement(); !item.isNull(); item = item.nextSiblingElement()) {
        for (QDomElement e = item.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const QString tag = e.tagName();
            if (tag == QLatin1String("NUMBER")) {
                a.number = e.text();
            } else if (tag == QLatin1String("VERSION")) {
                // Not a number counts as 0, so never newer.
                a.versionsNewer << (e.text().toInt() > builtInVersion);
            } else if (tag == QLatin1String("DURL")) {
                a.downloadUrl = e.text();
            } else if (tag == QLatin1String("content")) {
                a.content = e.text();
            }
        }
    }
    return a;
}
