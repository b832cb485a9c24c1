#include "dockicon.h"

#include "platform/clock.h"
#include "platform/paths.h"

#include <QRegularExpression>

QString DockIconRecord::field(int i) const
{
    switch (i) {
    case IconIDField: return IconID;
    case IconField: return Icon;
    case NameField: return Name;
    case ClassField: return Class;
    case PathField: return Path;
    case NoteField: return Note;
    default: return QString();
    }
}

void DockIconRecord::setField(int i, const QString &value)
{
    switch (i) {
    case IconIDField: IconID = value; break;
    case IconField: Icon = value; break;
    case NameField: Name = value; break;
    case ClassField: Class = value; break;
    case PathField: Path = value; break;
    case NoteField: Note = value; break;
    default: break;
    }
}

bool DockIconRecord::operator==(const DockIconRecord &o) const
{
    return IconID == o.IconID && Icon == o.Icon && Name == o.Name && Class == o.Class && Path == o.Path
        && Note == o.Note;
}

namespace IconIds {

QString newId(const QDateTime &t)
{
    // Qt 5.15 pads a lone "z" like "zzz", so the unpadded millisecond is added by hand.
    const int ms = t.time().msec();
    return QStringLiteral("ico") + t.toString(QStringLiteral("mmzzz")) + QString::number(ms);
}

QString newId()
{
    return newId(platform::now());
}

bool isSafeFileName(const QString &id)
{
    // The form IDs are made in, "ico" and digits: no separator, no dot, no
    // leading dash, and no name of our own files ("Zorvane", "LaunchPad",
    // "config") that deleting a menu would take with it.
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("ico[0-9]{1,61}")));
    return form.match(id).hasMatch();
}

QString freeId(const std::function<bool(const QString &)> &taken)
{
    QDateTime t = platform::now();
    QString id = newId(t);
    for (int i = 0; i < 60000 && taken(id); ++i) {
        t = t.addMSecs(1);
        id = newId(t);
    }
    return id;
}

QString menuFilePath(const QString &id)
{
    return isSafeFileName(id) ? platform::configPath(id + QStringLiteral(".xml")) : QString();
}

} // namespace IconIds

QList<DockIconRecord> dockPresetRows()
{
    static const PresetRow rows[] = {
        { "ico000001", ":/image/icon/Finder.png", "计算机", IconClass::COMPUTER, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" },
        { "ico000016", ":/image/icon/LaunchPad.png", "LaunchPad", IconClass::LAUNCHPAD, "0" },
        { "ico000002", ":/image/icon/library.png", "库", IconClass::LIBRARY, "::{031E4825-7B94-4DC3-B131-E946B44C8DD5}" },
        { "ico000003", ":/image/icon/setup.png", "控制面板", IconClass::PANEL, "::{26EE0668-A00A-44D7-9371-BEB064C98683}" },
        { "ico000015", ":/image/icon/Weather.png", "佐凡天气", IconClass::WEATHER, "0" },
        { "ico000008", ":/image/icon/Search.png", "佐凡搜索", IconClass::SEARCH, "0" },
        { "ico000012", ":/image/icon/Film.png", "电影资料库", IconClass::URL, "https://www.imdb.com/" },
        { "ico000011", ":/image/icon/Screenshot.png", "佐凡截图", IconClass::SCREENSHOTS, "0" },
        { "ico000009", ":/image/icon/Sip.png", "佐凡取色器", IconClass::COLORPICKER, "0" },
        { "ico000006", ":/image/icon/Calculator.png", "计算器", IconClass::CALCULATOR, "0" },
        { "ico000010", ":/image/icon/ShutDown.png", "电源", IconClass::SHUTDOWN, "0" },
        { "ico000007", ":/image/icon/Blank1.png", "分栏图标", IconClass::BLANK, "0" },
        { "ico000004", ":/image/icon/Recycle1.png", "回收站", IconClass::RECYCLE, "::{645FF040-5081-101B-9F08-00AA002F954E}" },
        { "ico000005", ":/image/icon/rocket.gif", "版本更新", IconClass::UPGRADE, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" },
    };
    return presetRecords(rows);
}
