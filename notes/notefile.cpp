#include "notefile.h"

#include "common/recordfile.h"
#include "notes/notelimits.h"

namespace NoteFile {

namespace {

const RecordFile::Layout &layout()
{
    static const RecordFile::Layout l { QStringLiteral("Mirelka"),
                                        { QStringLiteral("NoteID"), QStringLiteral("STYLE"), QStringLiteral("TEXT"),
                                          QStringLiteral("XX"), QStringLiteral("YY"), QStringLiteral("WW"),
                                          QStringLiteral("HH") } };
    return l;
}

} // namespace

QString fileName()
{
    return QStringLiteral("Mirelka.xml");
}

QByteArray build(const QList<NoteRow> &rows)
{
    return RecordFile::toXml(layout(), rows);
}

qint64 rowBytes(const NoteRow &row, qint64 textBytes)
{
    // "    <List id=\"199\">", "    </List>", and each field's tags on a line
    // of its own. The fields that change without growing the file in the
    // user's eyes are counted at their largest: a place or a size of eleven
    // characters ("-2147483648"), a style name of six ("style1").
    qint64 bytes = 40;
    for (const QString &tag : layout().tags)
        bytes += 14 + 2 * tag.size();
    for (int f = 0; f < NoteRow::FieldCount; ++f) {
        const qint64 least = f == NoteRow::ColStyle ? 6 : f >= NoteRow::ColX ? 11 : 0;
        bytes += qMax(least, f == NoteRow::ColText ? textBytes : RecordFile::storedBytes(row.field(f)));
    }
    return bytes;
}

qint64 rowBytes(const NoteRow &row)
{
    return rowBytes(row, RecordFile::storedBytes(row.text));
}

ReadResult read(const QString &path, QList<NoteRow> *rows)
{
    QList<QStringList> cells;
    const RecordFile::Read status = RecordFile::read(layout(), path, &cells, NoteLimits::MaxFileBytes,
                                                     RecordFile::OverCap::ReadWhatFits);
    *rows = RecordFile::recordsOf<NoteRow>(cells);
    switch (status) {
    case RecordFile::Read::Ok:
        return ReadResult::Read;
    case RecordFile::Read::WrongRoot:
        return ReadResult::WrongRoot;
    case RecordFile::Read::IdsIgnored:
        return ReadResult::IdsIgnored;
    case RecordFile::Read::Salvaged:
        return ReadResult::Salvaged;
    case RecordFile::Read::Missing:
        return ReadResult::Missing;
    case RecordFile::Read::NotAFile:
        return ReadResult::NotAFile;
    case RecordFile::Read::TooLarge:
        return ReadResult::TooLarge;
    case RecordFile::Read::Failed:
    case RecordFile::Read::Malformed:
        break;
    }
    return ReadResult::Unreadable;
}

ReadResult read(const QString &path, NoteList &list)
{
    QList<NoteRow> rows;
    const ReadResult result = read(path, &rows);
    list.setRows(rows);
    return result;
}

} // namespace NoteFile
