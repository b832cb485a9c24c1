#include "notefile.h"

#include "common/recordfile.h"

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

ReadResult read(const QString &path, QList<NoteRow> *rows)
{
    QList<QStringList> cells;
    const RecordFile::Read status = RecordFile::read(layout(), path, &cells);
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
