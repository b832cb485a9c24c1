#include "launchrows.h"

#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "platform/paths.h"

#include <QFileInfo>

LaunchRows::LaunchRows(QObject *parent) : QObject(parent), m_list(new DockIconList(this)) {}

QString LaunchRows::filePath()
{
    return platform::configPath(QStringLiteral("LaunchPad.xml"));
}

QList<DockIconRecord> LaunchRows::presetRows()
{
    static const PresetRow presets[] = {
        { "ico000001", ":/image/icon/Finder.png", "计算机", IconClass::COMPUTER, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" },
        { "ico000003", ":/image/icon/setup.png", "控制面板", IconClass::PANEL, "::{26EE0668-A00A-44D7-9371-BEB064C98683}" },
        { "ico000002", ":/image/icon/library.png", "库", IconClass::LIBRARY, "::{031E4825-7B94-4DC3-B131-E946B44C8DD5}" },
        { "ico000008", ":/image/icon/Search.png", "佐凡搜索", IconClass::SEARCH, "0" },
        { "ico000011", ":/image/icon/Screenshot.png", "佐凡截图", IconClass::SCREENSHOTS, "0" },
        { "ico000009", ":/image/icon/Sip.png", "佐凡取色器", IconClass::COLORPICKER, "0" },
        { "ico000015", ":/image/icon/Weather.png", "佐凡天气", IconClass::WEATHER, "0" },
        { "ico000007", ":/image/icon/Protection.png", "护眼模式", IconClass::EYETOOL, "0" },
        { "ico000006", ":/image/icon/Calculator.png", "计算器", IconClass::CALCULATOR, "0" },
        { "ico000012", ":/image/icon/Cmd.png", "命令提示符", IconClass::CMD, "C:/Windows/System32/cmd.exe" },
        { "ico000013", ":/image/icon/Setting1.png", "Dock设置", IconClass::SETTING, "0" },
        { "ico000010", ":/image/icon/ShutDown.png", "电源", IconClass::SHUTDOWN, "0" },
    };
    return presetRecords(presets);
}

int LaunchRows::size() const
{
    return m_list->size();
}

const DockIconRecord &LaunchRows::at(int row) const
{
    return m_list->at(row);
}

int LaunchRows::rowOf(const QString &id) const
{
    for (int r = 0; r < m_list->size(); ++r) {
        const DockIconRecord &rec = m_list->at(r);
        if (rec.IconID == id && rec.Class != IconClass::Placeholder)
            return r;
    }
    return -1;
}

QList<DockIconRecord> LaunchRows::stored() const
{
    QList<DockIconRecord> rows;
    for (const DockIconRecord &rec : m_list->rows()) {
        if (rec.Class != IconClass::Placeholder)
            rows << rec;
    }
    if (m_lifted)
        rows.insert(qBound(0, m_liftedFrom, int(rows.size())), m_liftedRow);
    return rows;
}

void LaunchRows::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (QFileInfo::exists(filePath())) {
        DockFile::load(filePath(), m_list);
    } else {
        m_list->setRows(presetRows());
        save();
    }
}

bool LaunchRows::save() const
{
    return DockFile::write(filePath(), stored());
}

QString LaunchRows::add(const DockIconRecord &row)
{
    putBack();
    DockIconRecord rec = row;
    rec.IconID = IconIds::freeId([this](const QString &id) { return rowOf(id) >= 0; });
    m_list->append(rec);
    if (!save()) {
        // Not kept on disk, not kept at all: whoever gave it keeps it.
        m_list->removeAt(m_list->size() - 1);
        return QString();
    }
    return rec.IconID;
}

bool LaunchRows::modify(const QString &id, const QString &icon, const QString &name)
{
    const int r = rowOf(id);
    if (r < 0)
        return false;
    m_list->setCell(r, DockIconRecord::IconField, icon);
    m_list->setCell(r, DockIconRecord::NameField, name);
    save();
    return true;
}

bool LaunchRows::remove(const QString &id)
{
    putBack();
    const int r = rowOf(id);
    if (r < 0)
        return false;
    m_list->removeAt(r);
    save();
    return true;
}

bool LaunchRows::lift(const QString &id)
{
    if (m_lifted)
        return false;
    const int r = rowOf(id);
    if (r < 0)
        return false;
    m_liftedRow = m_list->at(r);
    m_liftedFrom = r;
    m_lifted = true;
    m_list->removeAt(r);
    return true;
}

int LaunchRows::holeRow() const
{
    for (int r = 0; r < m_list->size(); ++r) {
        if (m_list->at(r).Class == IconClass::Placeholder)
            return r;
    }
    return -1;
}

void LaunchRows::removeHoles()
{
    for (int r = m_list->size() - 1; r >= 0; --r) {
        if (m_list->at(r).Class == IconClass::Placeholder)
            m_list->removeAt(r);
    }
}

bool LaunchRows::setHole(int row)
{
    const int hole = holeRow();
    if (hole >= 0 && hole == row)
        return false;
    removeHoles();
    DockIconRecord h;
    h.Class = IconClass::Placeholder;
    m_list->insert(qBound(0, row, int(m_list->size())), h);
    return true;
}

bool LaunchRows::land()
{
    if (!m_lifted)
        return false;
    const int hole = holeRow();
    removeHoles();
    m_lifted = false;
    m_list->insert(qBound(0, hole >= 0 ? hole : m_liftedFrom, int(m_list->size())), m_liftedRow);
    return save();
}

void LaunchRows::putBack()
{
    removeHoles();
    if (!m_lifted)
        return;
    m_lifted = false;
    m_list->insert(qBound(0, m_liftedFrom, int(m_list->size())), m_liftedRow);
}
