#include "xmlguard.h"

#include <QDomDocument>
#include <QXmlStreamReader>

namespace XmlGuard {

Check check(const QByteArray &xml, int maxDepth)
{
    QXmlStreamReader reader(xml);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return Check::TooDeep;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    // What the streaming pass could not read to the end was not measured
    // either: it does not reach the DOM.
    return reader.hasError() ? Check::Malformed : Check::Ok;
}

bool parse(const QByteArray &xml, QDomDocument *doc, int maxDepth, QString *why)
{
    QString error;
    switch (check(xml, maxDepth)) {
    case Check::TooDeep:
        error = QStringLiteral("nested deeper than %1 elements").arg(maxDepth);
        break;
    case Check::Malformed:
        error = QStringLiteral("not well-formed");
        break;
    case Check::Ok: {
        int line = 0, column = 0;
        if (!doc->setContent(xml, false, &error, &line, &column))
            error += QStringLiteral(" at %1:%2").arg(line).arg(column);
        else
            error.clear();
        break;
    }
    }
    if (why)
        *why = error;
    return error.isEmpty();
}

} // namespace XmlGuard
