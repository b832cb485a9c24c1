#include "textfit.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

namespace {

// Where the glyphs of a one-line text fall when drawn aligned in `room`.
QRect glyphs(const QFontMetrics &fm, const QString &text, const QRect &room, Qt::Alignment align)
{
    const int width = fm.horizontalAdvance(text);
    int x = room.left();
    if (align & Qt::AlignHCenter)
        x += (room.width() - width) / 2;
    else if (align & Qt::AlignRight)
        x = room.right() + 1 - width;
    const int height = fm.ascent() + fm.descent();
    int top = room.top();
    if (align & Qt::AlignVCenter)
        top += (room.height() - height) / 2;
    else if (align & Qt::AlignBottom)
        top = room.bottom() + 1 - height;
    return fm.tightBoundingRect(text).translated(x, top + fm.ascent());
}

QString describe(const QWidget *w, const QString &text, const QRect &ink, const QRect &shown)
{
    return QStringLiteral("%1 \"%2\": ink %3,%4 %5x%6 outside %7,%8 %9x%10")
        .arg(w->objectName(), text)
        .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
        .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height());
}

// Where the pixels much darker than the box they lie in are: the ink of dark
// text in a light box.
QRect darkInk(const QImage &img, const QColor &box)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) + 80 < qGray(box.rgb()))
                r |= QRect(x, y, 1, 1);
        }
    }
    return r;
}

bool plain(const QString &text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('\n')) && !Qt::mightBeRichText(text);
}

} // namespace

QStringList clippedTexts(QWidget *window)
{
    QStringList out;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(window) && w != window)
            continue;
        w->ensurePolished();
        const QFontMetrics fm(w->font());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            if (!plain(text) || label->wordWrap() || !label->pixmap(Qt::ReturnByValue).isNull())
                continue;
            const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                              -label->margin(), -label->margin());
            // A label paints up to its own edges.
            const QRect ink = glyphs(fm, text, room, label->alignment());
            if (!label->rect().contains(ink))
                out << describe(label, text, ink, label->rect());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            const QString text = edit->text().isEmpty() ? edit->placeholderText() : edit->text();
            if (!plain(text))
                continue;
            // The room QLineEdit paints its text in, clipped.
            QStyleOptionFrame opt;
            opt.initFrom(edit);
            opt.rect = edit->rect();
            opt.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
            opt.midLineWidth = 0;
            opt.state |= QStyle::State_Sunken;
            QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit);
            room = room.marginsRemoved(edit->textMargins()).adjusted(2, 1, -2, -1);
            // Too wide a text scrolls, and loses a piece at one end.
            if (fm.horizontalAdvance(text) > room.width()) {
                out << describe(edit, text, QRect(room.topLeft(), QSize(fm.horizontalAdvance(text), fm.height())), room);
                continue;
            }
            const int top = room.top() + (room.height() - fm.height() + 1) / 2;
            const QRect ink = fm.tightBoundingRect(text).translated(room.left(), top + fm.ascent());
            if (ink.top() < room.top() || ink.bottom() > room.bottom())
                out << describe(edit, text, ink, room);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            // Each item as the box paints it once chosen, against the same
            // box made wide: the box clips its text short of the arrow,
            // further in than its style reports.
            const int current = combo->currentIndex();
            const QSize size = combo->size();
            for (int i = 0; i < combo->count(); ++i) {
                const QString text = combo->itemText(i);
                if (!plain(text))
                    continue;
                combo->setCurrentIndex(i);
                const QImage painted = combo->grab().toImage();
                combo->resize(size.width() + fm.horizontalAdvance(text) + 40, size.height());
                const QImage wide = combo->grab().toImage();
                combo->resize(size);
                const QColor box = painted.pixelColor(painted.width() / 2, 1);
                const QRect shown = darkInk(painted, box), full = darkInk(wide, box);
                if (shown.width() < full.width() - 1)
                    out << describe(combo, text, shown, combo->rect());
            }
            combo->setCurrentIndex(current);
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QString text = button->text();
            text.remove(QLatin1Char('&'));
            if (!plain(text))
                continue;
            QStyleOptionButton opt;
            opt.initFrom(button);
            opt.rect = button->rect();
            opt.text = button->text();
            const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
            const QRect ink = glyphs(fm, text, room, Qt::AlignCenter);
            if (!button->rect().contains(ink))
                out << describe(button, text, ink, button->rect());
        }
    }
    return out;
}
