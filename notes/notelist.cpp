#include "notelist.h"

QString NoteRow::field(int i) const
{
    switch (i) {
    case ColId: return id;
    case ColStyle: return style;
    case ColText: return text;
    case ColX: return x;
    case ColY: return y;
    case ColW: return w;
    case ColH: return h;
    default: return QString();
    }
}

void NoteRow::setField(int i, const QString &value)
{
    switch (i) {
    case ColId: id = value; break;
    case ColStyle: style = value; break;
    case ColText: text = value; break;
    case ColX: x = value; break;
    case ColY: y = value; break;
    case ColW: w = value; break;
    case ColH: h = value; break;
    default: break;
    }
}

bool NoteRow::operator==(const NoteRow &o) const
{
    return id == o.id && style == o.style && text == o.text && x == o.x && y == o.y && w == o.w && h == o.h;
}
