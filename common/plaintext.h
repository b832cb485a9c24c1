#pragma once
#include <QString>
#include <QTextDocument>

// Names, paths and note texts come from files, desktop entries and the
// network. Qt takes any text that looks like HTML for HTML, and HTML can make
// it open and read files by itself ("<img src=…>", style sheets), past every
// check of ours: names are shown as plain text, and the rich text we do show
// loads nothing.
namespace PlainText {

// A tool tip that shows text as it stands, however much it looks like HTML.
QString toolTip(const QString &text);

// Qt's rich text costs far more than its size with nesting: each level of
// nested elements makes parsing slower, each nested table makes the layout
// several times slower. Whether html stays within what a program can take
// without stopping to answer: at most maxBytes (in UTF-16 units), elements
// nested at most MaxDepth deep, tables at most MaxTableDepth, and at most
// MaxTags tags in all.
constexpr int MaxDepth = 48;
constexpr int MaxTableDepth = 6;
constexpr int MaxTables = 32;
constexpr int MaxTags = 100000;
bool richTextFits(const QString &html, int maxBytes);

// The words of an HTML text without its markup, for a text that is too much
// for Qt's rich text: tags go, line and paragraph ends become line breaks, the
// common entities are read, and what a head, a style sheet or a script holds
// goes with it.
QString withoutMarkup(const QString &html);

// What an editor or viewer takes of a text from a file or the network, found
// before any widget lays it out (the layout is what takes long): rich text
// that fits (see richTextFits), else its words alone; at most maxCharacters
// characters either way.
struct Bounded
{
    QString content;
    bool rich = false; // content is HTML, else plain text
    bool cut = false;  // shortened, or without its formatting
};
Bounded bounded(const QString &text, int maxCharacters, int maxRichText);

// Removes the characters from..to of a document without laying it out.
void removeText(QTextDocument *doc, int from, int to);

} // namespace PlainText

// A rich-text document that keeps its formatting but loads no resource:
// neither a file nor a web address nor inline data. A picture it names shows
// as an empty one (of the size the text asks for, if it asks), a style sheet
// it names as none.
class SealedDocument : public QTextDocument
{
    Q_OBJECT
public:
    using QTextDocument::QTextDocument;

    // How many resources were asked for and refused, for tests.
    int refused() const { return m_refused; }

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    int m_refused = 0;
};
