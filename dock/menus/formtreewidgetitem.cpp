#include "dock/menus/formtreewidgetitem.h"
#include "ui_formtreewidgetitem.h"

#include "dock/icons/formcommonicon.h"
#include "dock/icons/iconpictures.h"
#include "common/plaintext.h"
#include "platform/fileicons.h"
#include "platform/opener.h"
#include "platform/programfiles.h"

#include <QCursor>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

FormTreeWidgetItem::FormTreeWidgetItem(QWidget *parent) : QWidget(parent), ui(new Ui::FormTreeWidgetItem)
{
    ui->setupUi(this);
    // The names of desktop entries are text, never HTML.
    ui->name->setTextFormat(Qt::PlainText);
}

FormTreeWidgetItem::~FormTreeWidgetItem()
{
    delete ui;
}

QString FormTreeWidgetItem::name() const { return ui->name->text(); }
int FormTreeWidgetItem::indentation() const { return ui->frame->x(); }

void FormTreeWidgetItem::setData(const QString &name, const QString &path, QTreeWidgetItem *item)
{
    m_path = path;
    m_item = item;
    ui->name->setText(name);
    ui->name->setToolTip(PlainText::toolTip(name));
    const QSize size = ui->ico->size();
    if (isFolder()) {
        IconPictures::show(ui->ico, QStringLiteral(":/image/icon/Folder.png"), size);
        return;
    }
    // The theme's picture of the entry, as the bar shows it once added.
    QIcon icon = platform::ThemeFileIcons::iconFor(path);
    if (icon.isNull())
        icon = QFileIconProvider().icon(QFileInfo(path));
    const QPixmap p = icon.pixmap(32, 32, QIcon::Normal, QIcon::Off);
    ui->ico->setPixmap(p.isNull() ? p : p.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void FormTreeWidgetItem::indent(int x)
{
    ui->frame->move(x, 0);
}

void FormTreeWidgetItem::OpenIcon()
{
    emit IconOpen(m_path);
}

// The folder of the program the entry starts; that of the entry's own file
// when it starts no program found on this system (a link, a missing program).
void FormTreeWidgetItem::OpenIconPlace()
{
    const QString program = platform::ProgramFiles::shortcutTarget(m_path);
    const QFileInfo target(program);
    const bool found = target.isAbsolute() && target.exists();
    const QString folder = found ? target.absolutePath() : QFileInfo(m_path).absolutePath();
    platform::OpenerService::get().openUrl(QUrl::fromLocalFile(folder));
}

void FormTreeWidgetItem::fillContextMenu(QMenu *menu)
{
    if (isFolder())
        return;
    menu->addAction(tr("打开程序           "), this, &FormTreeWidgetItem::OpenIcon);
    menu->addAction(tr("打开文件位置       "), this, &FormTreeWidgetItem::OpenIconPlace);
}

void FormTreeWidgetItem::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        if (isFolder())
            emit itemClicked(m_item);
        else
            emit IconOpen(m_path);
    } else if (e->button() == Qt::RightButton && !isFolder()) {
        // No parent: opening a row may rebuild the tree, and this row with it.
        QMenu menu;
        menu.setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
        menu.setAttribute(Qt::WA_TranslucentBackground);
        menu.setStyleSheet(FormCommonIcon::menuStyleSheet());
        fillContextMenu(&menu);
        menu.exec(QCursor::pos());
    }
}
