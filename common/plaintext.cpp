#include "plaintext.h"
#include "common/logging.h"

#include <QImage>
#include <QStringList>
#include <QTextCursor>
#include <QUrl>

namespace PlainText {

QString toolTip(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char('_');
}

// Elements that hold no others, so they never nest.
bool isVoid(const QString &name)
{
    static const QStringList names = { "br", "img", "hr", "meta", "link", "input", "col", "area", "base",
                                       "param", "wbr", "embed", "source", "track", "keygen", "basefont",
                                       "frame", "isindex" };
    return names.contains(name);
}

// One tag of html starting at i (which holds '<'): its lower-case name, and
// whether it closes, closes itself or is no element at all (a comment, a
// declaration). Returns the index after it.
struct Tag
{
    QString name;
    bool end = false;
    bool selfClosing = false;
    bool element = false;
};

int readTag(const QString &html, int i, Tag *tag)
{
    *tag = Tag();
    const int n = html.size();
    int j = i + 1;
    if (j < n && html.at(j) == QLatin1Char('!')) {
        const bool comment = html.midRef(j, 3) == QLatin1String("!--");
        const int close = comment ? html.indexOf(QLatin1String("-->"), j + 3) : html.indexOf(QLatin1Char('>'), j);
        return close < 0 ? n : close + (comment ? 3 : 1);
    }
    if (j < n && html.at(j) == QLatin1Char('/')) {
        tag->end = true;
        ++j;
    }
    const int start = j;
    while (j < n && isNameChar(html.at(j)))
        ++j;
    if (j == start)
        return i + 1; // a lone "<": text
    tag->name = html.mid(start, j - start).toLower();
    tag->element = true;
    // To the end of the tag, past quoted values.
    QChar quote;
    for (; j < n; ++j) {
        const QChar c = html.at(j);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            tag->selfClosing = j > start && html.at(j - 1) == QLatin1Char('/');
            return j + 1;
        }
    }
    return n;
}

} // namespace

bool richTextFits(const QString &html, int maxBytes)
{
    if (html.size() > maxBytes)
        return false;
    // Elements that end where the next of their kind begins, also unclosed.
    static const QStringList siblings = { "p", "li", "td", "th", "tr", "dt", "dd", "option" };
    QStringList open; // the elements open now, innermost last
    int tables = 0, tableDepth = 0, tags = 0;
    const int n = html.size();
    for (int i = html.indexOf(QLatin1Char('<')); i >= 0 && i < n; i = html.indexOf(QLatin1Char('<'), i)) {
        Tag tag;
        i = readTag(html, i, &tag);
        if (!tag.element)
            continue;
        if (++tags > MaxTags)
            return false;
        const bool table = tag.name == QLatin1String("table");
        if (tag.end) {
            // Closes the innermost element of its name and all it holds.
            const int at = open.lastIndexOf(tag.name);
            while (at >= 0 && open.size() > at)
                tableDepth -= open.takeLast() == QLatin1String("table") ? 1 : 0;
            continue;
        }
        if (tag.selfClosing || isVoid(tag.name))
            continue;
        if (!open.isEmpty() && open.last() == tag.name && siblings.contains(tag.name))
            open.removeLast();
        open << tag.name;
        if (open.size() > MaxDepth)
            return false;
        if (table && (++tables > MaxTables || ++tableDepth > MaxTableDepth))
            return false;
    }
    return true;
}

QString withoutMarkup(const QString &html)
{
    QString out;
    out.reserve(html.size());
    const int n = html.size();
    QString skipUntil; // inside a head, a style sheet or a script
    for (int i = 0; i < n;) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('<')) {
            Tag tag;
            const int next = readTag(html, i, &tag);
            if (!tag.element && next == i + 1) {
                if (skipUntil.isEmpty())
                    out += c;
                i = next;
                continue;
            }
            i = next;
            if (!skipUntil.isEmpty()) {
                if (tag.end && tag.name == skipUntil)
                    skipUntil.clear();
                continue;
            }
            if (!tag.end && !tag.selfClosing
                && (tag.name == QLatin1String("head") || tag.name == QLatin1String("style")
                    || tag.name == QLatin1String("script"))) {
                skipUntil = tag.name;
                continue;
            }
            static const QStringList breaks = { "br", "p", "div", "li", "tr", "h1", "h2", "h3", "h4", "h5", "h6" };
            if (breaks.contains(tag.name) && (tag.end || tag.name == QLatin1String("br")) && !out.isEmpty())
                out += QLatin1Char('\n');
            continue;
        }
        if (!skipUntil.isEmpty()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('&')) {
            const int semi = html.indexOf(QLatin1Char(';'), i);
            if (semi > i && semi - i <= 10) {
                const QStringRef entity = html.midRef(i + 1, semi - i - 1);
                QString decoded;
                if (entity == QLatin1String("lt"))
                    decoded = QStringLiteral("<");
                else if (entity == QLatin1String("gt"))
                    decoded = QStringLiteral(">");
                else if (entity == QLatin1String("amp"))
                    decoded = QStringLiteral("&");
                else if (entity == QLatin1String("quot"))
                    decoded = QStringLiteral("\"");
                else if (entity == QLatin1String("apos"))
                    decoded = QStringLiteral("'");
                else if (entity == QLatin1String("nbsp"))
                    decoded = QString(QChar(0xa0));
                else if (entity.startsWith(QLatin1Char('#'))) {
                    bool ok = false;
                    const uint code = entity.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                        ? entity.mid(2).toUInt(&ok, 16) : entity.mid(1).toUInt(&ok, 10);
                    if (ok && code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff))
                        decoded = QString::fromUcs4(&code, 1);
                }
                if (!decoded.isEmpty()) {
                    out += decoded;
                    i = semi + 1;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

void removeText(QTextDocument *doc, int from, int to)
{
    QTextCursor c(doc);
    // In an edit block the cursor does not ask the layout where it stands:
    // that would lay the whole long text out first.
    c.beginEditBlock();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    c.endEditBlock();
}

Bounded bounded(const QString &text, int maxCharacters, int maxRichText)
{
    Bounded b;
    b.content = text;
    b.rich = Qt::mightBeRichText(text);
    if (b.rich && !richTextFits(text, maxRichText)) {
        b.rich = false;
        b.cut = true;
        b.content = withoutMarkup(text.left(maxRichText));
    }
    if (b.rich && text.size() > maxCharacters) {
        // It may hold more characters than are taken.
        SealedDocument scratch;
        scratch.setHtml(text);
        const int length = scratch.characterCount() - 1;
        if (length > maxCharacters) {
            removeText(&scratch, maxCharacters, length);
            b.content = scratch.toHtml();
            b.cut = true;
        }
    } else if (!b.rich && b.content.size() > maxCharacters) {
        b.content.truncate(maxCharacters);
        b.cut = true;
    }
    return b;
}

} // namespace PlainText

QVariant SealedDocument::loadResource(int type, const QUrl &name)
{
    ++m_refused;
    qCDebug(lcText) << "resource of a text not loaded:" << name.toString().left(200);
    QVariant none = QString(QLatin1String(""));
    if (type == QTextDocument::ImageResource) {
        // Something must come back: given nothing, Qt loads the picture from
        // its file name itself.
        QImage empty(1, 1, QImage::Format_ARGB32);
        empty.fill(Qt::transparent);
        none = empty;
    }
    // Asked once per name, not at every paint.
    addResource(type, name, none);
    return none;
}
