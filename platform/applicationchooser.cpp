#include "applicationchooser.h"
#include "dialogs.h"
#include "fileicons.h"

#include <XdgDesktopFile>

#include <QApplication>
#include <QCollator>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

constexpr int IconSize = 32;
constexpr int FileRole = Qt::UserRole + 1;

} // namespace

QList<Application> applications(const QStringList &folders)
{
    QList<Application> apps;
    for (const DesktopEntries::Entry &e : DesktopEntries::list(folders)) {
        XdgDesktopFile entry;
        if (!DesktopEntries::load(e.file, &entry) || !DesktopEntries::isStartable(entry))
            continue;
        const QString name = entry.name().trimmed();
        if (name.isEmpty())
            continue;
        QIcon icon = ThemeFileIcons::iconFor(e.file);
        // A theme without even the generic program picture: Qt's own.
        if (icon.isNull() && qApp)
            icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
        apps.append({ e.file, name, entry.comment().trimmed(), icon });
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(apps.begin(), apps.end(), [&collator](const Application &a, const Application &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return apps;
}

ApplicationChooser::ApplicationChooser(const QList<Application> &apps, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择应用"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("本机安装的应用："), this));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("applications"));
    m_list->setIconSize(QSize(IconSize, IconSize));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformItemSizes(true);
    m_list->setTextElideMode(Qt::ElideRight);
    int widest = 0;
    for (const Application &app : apps) {
        auto *item = new QListWidgetItem(app.icon, app.name, m_list);
        item->setData(FileRole, app.file);
        item->setToolTip(app.comment.isEmpty() ? app.file : app.comment + QLatin1Char('\n') + app.file);
        widest = qMax(widest, m_list->fontMetrics().horizontalAdvance(app.name));
    }
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_other = buttons->addButton(QStringLiteral("其他文件…"), QDialogButtonBox::ActionRole);
    m_other->setObjectName(QStringLiteral("otherFile"));
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_other, &QPushButton::clicked, this, [this] { done(OtherFile); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    m_ok->setEnabled(false);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!m_list->selectedItems().isEmpty()); });

    // Wide enough for the longest name beside its picture.
    const QMargins margins = layout->contentsMargins();
    m_wanted = widest + IconSize + 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width()
        + margins.left() + margins.right() + 24;
    const QScreen *screen = QGuiApplication::primaryScreen();
    fitTo(screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768));
    m_list->setFocus();
}

void ApplicationChooser::fitTo(const QRect &area)
{
    resize(qBound(qMin(420, area.width()), m_wanted, area.width() * 3 / 4), qMin(560, area.height() * 4 / 5));
}

QStringList ApplicationChooser::chosen() const
{
    QStringList files;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            files << m_list->item(i)->data(FileRole).toString();
    }
    return files;
}

QStringList ApplicationChooser::choose(QWidget *owner, const std::function<QStringList()> &otherFile)
{
    const QList<Application> apps = applications();
    if (apps.isEmpty())
        return otherFile();
    ApplicationChooser chooser(apps);
    if (const QScreen *screen = owner ? owner->window()->screen() : nullptr)
        chooser.fitTo(screen->availableGeometry());
    placeOver(&chooser, owner);
    switch (chooser.exec()) {
    case QDialog::Accepted:
        return chooser.chosen();
    case OtherFile:
        return otherFile();
    default:
        return {};
    }
}

} // namespace platform
