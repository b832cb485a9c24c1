#include "dock/menus/formstartmenu.h"
#include "ui_formstartmenu.h"

#include "common/logging.h"
#include "dock/icons/iconpictures.h"
#include "dock/menus/formtreewidgetitem.h"
#include "dock/menus/startmenutree.h"
#include "platform/opener.h"

#include <QMovie>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>

namespace {

const char *const kTreeSheet =
    "QTreeWidget{padding:0 0 0 0px;background-color:rgba(0,0,0,0%);border:0px;color:rgb(0,0,0);}"
    "QTreeWidget::item{height:30px;margin: 0px 0px 0px 0px;padding-top:0px;padding-bottom:0px;padding-left:0px;}"
    "QTreeWidget::item:hover{background-color:rgba(255,255,255,20%)}"
    "QTreeWidget::item:selected{background-color:rgba(255,255,255,10%);color:rgb(255,255,255);}";

QString updateSheet()
{
    const QString state = QStringLiteral(
        "{border-image: url(:/image/menu/Update24.png);background-color: %1;border:0px;border-radius:2px;"
        "border-left:0px;border-right:0px;border-style: solid;border-color:#312E4D;color: #FFFFFF;}");
    return QStringLiteral("QPushButton") + state.arg(QStringLiteral("rgba(0,0,0,0%)"))
        + QStringLiteral("QPushButton:hover") + state.arg(QStringLiteral("#5294E2"))
        + QStringLiteral("QPushButton:pressed") + state.arg(QStringLiteral("#5294E2"));
}

const char *const kScrollSheet =
    "QScrollBar{padding-top:0px;padding-bottom:0px;margin: 0px 0px 0px 0px;background-color: rgba(0,0,0,0%); "
    "border: 0px; width: 2px;}"
    "QScrollBar::handle {background-color:rgba(255,255,255,50%);border-radius:0px;min-height: 20px;border: 0px;}"
    "QScrollBar::handle:vertical:hover {background-color:rgba(255,255,255,80%);border-radius:0px;"
    "min-height: 20px;border: 0px;}"
    "QScrollBar::up-arrow:vertical{height:13px;border: 0px;background-color:rgba(255, 255, 255,0%);}"
    "QScrollBar::down-arrow:vertical{height:13px;border: 0px;background-color:rgba(255, 255, 255,0%);}"
    "QScrollBar::sub-page:vertical {background-color:rgba(0, 0, 0,0%); border: 0px;}"
    "QScrollBar::add-page:vertical {background-color:rgba(0, 0, 0,0%); border: 0px;}"
    "QScrollBar::sub-line:vertical {height: 0px;width:0px;border: 0px;}"
    "QScrollBar::add-line:vertical {height: 0px;width:0px;border: 0px;}";

} // namespace

FormStartMenu::FormStartMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormStartMenu)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &FormStartMenu::on_closeButton_clicked);
    connect(ui->Update, &QPushButton::clicked, this, &FormStartMenu::on_Update_clicked);
    // No window type: the panel stays a child of the dock window.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->Loading->hide();
    shown = false;

    ui->Loading->move((width() - ui->Loading->width()) / 2, (height() - ui->Loading->height()) / 2);
    m_movie = new QMovie(QStringLiteral(":/image/menu/Loading.gif"), QByteArray(), this);
    m_movie->setScaledSize(ui->Loading->size());
    ui->Loading->setMovie(m_movie);

    QTreeWidget *t = ui->TreeWidget;
    t->setHeaderHidden(true);
    t->setRootIsDecorated(false);
    t->setFocusPolicy(Qt::NoFocus);
    t->setStyleSheet(QLatin1String(kTreeSheet));
    // A press on a row makes it current, and the view scrolls to it a moment
    // later, opening its folder again: a row opened and the panel hidden in
    // that moment would leave its folder open for the next showing. The
    // panel scrolls only under the user's wheel.
    t->setAutoScroll(false);

    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
    f.setPixelSize(14);
    ui->label->setFont(f);
    ui->Update->setStyleSheet(updateSheet());
    // On the tree's scroll bars, not the window: a window-wide sheet polishes
    // every child again.
    for (QScrollBar *bar : { ui->TreeWidget->verticalScrollBar(), ui->TreeWidget->horizontalScrollBar() })
        bar->setStyleSheet(QLatin1String(kScrollSheet));

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    connect(m_reloadTimer, &QTimer::timeout, this, &FormStartMenu::myOut);
    m_folders = StartMenuTree::applicationFolders();
}

FormStartMenu::~FormStartMenu()
{
    delete ui;
}

QTreeWidget *FormStartMenu::tree() const { return ui->TreeWidget; }

FormTreeWidgetItem *FormStartMenu::rowWidget(QTreeWidgetItem *item) const
{
    return qobject_cast<FormTreeWidgetItem *>(ui->TreeWidget->itemWidget(item, 0));
}

void FormStartMenu::toggleShow()
{
    if (!shown) {
        // Read when first wanted: the dock starts without walking every
        // applications folder.
        if (!m_loaded)
            loadFile();
        show();
        shown = true;
        qCDebug(lcMenus) << "true";
    } else {
        hideMenu();
        qCDebug(lcMenus) << "false";
    }
}

void FormStartMenu::hideMenu()
{
    hide();
    ui->TreeWidget->verticalScrollBar()->setValue(0);
    ui->TreeWidget->collapseAll();
    shown = false;
}

void FormStartMenu::on_closeButton_clicked()
{
    hideMenu();
}

void FormStartMenu::setArrowPosition(int edge)
{
    QLabel *arrow = ui->Arrow;
    const int x = (width() - arrow->width()) / 2;
    QString picture;
    switch (edge) {
    case 0:
        arrow->move(x, 0);
        picture = QStringLiteral(":/image/menu/UpArrow2.png");
        break;
    case 2:
        arrow->move(x, ui->frameMenu->y() + ui->frameMenu->height());
        picture = QStringLiteral(":/image/menu/DownArrow2.png");
        break;
    case 1:
    case 3:
        arrow->hide();
        return;
    default:
        return;
    }
    IconPictures::show(arrow, picture, arrow->size());
    arrow->show();
}

// ---------------------------------------------------------------- the tree

FormTreeWidgetItem *FormStartMenu::addRow(QTreeWidgetItem *item, const QString &name, const QString &path)
{
    item->setSizeHint(0, QSize(0, 30));
    auto *row = new FormTreeWidgetItem(nullptr);
    connect(row, &FormTreeWidgetItem::itemClicked, this, &FormStartMenu::slotOpen);
    connect(row, &FormTreeWidgetItem::IconOpen, this, &FormStartMenu::IconOpen);
    row->setData(name, path, item);
    ui->TreeWidget->setItemWidget(item, 0, row);
    return row;
}

void FormStartMenu::clearList()
{
    ui->TreeWidget->clear();
    m_loaded = false;
}

void FormStartMenu::loadFile()
{
    clearList();
    QTreeWidget *t = ui->TreeWidget;
    t->setIconSize(QSize(30, 30));
    for (const StartMenuTree::Folder &folder : StartMenuTree::scan(m_folders)) {
        auto *top = new QTreeWidgetItem(t);
        addRow(top, folder.name, QString());
        for (const StartMenuTree::Entry &e : folder.entries) {
            auto *child = new QTreeWidgetItem(top);
            addRow(child, e.name, e.file)->indent(20);
        }
    }
    m_loaded = true;
}

void FormStartMenu::slotOpen(QTreeWidgetItem *item)
{
    if (!item || !item->treeWidget())
        return;
    if (item->isExpanded()) {
        item->setExpanded(false);
        qCDebug(lcMenus) << "执行闭合";
    } else {
        item->setExpanded(true);
        qCDebug(lcMenus) << "执行展开";
    }
}

void FormStartMenu::IconOpen(QString filePath)
{
    DllIconOpen(filePath);
    emit IconOpens();
}

void FormStartMenu::DllIconOpen(QString filePath)
{
    if (!platform::OpenerService::get().openPath(filePath))
        qCDebug(lcMenus) << "could not open" << filePath;
}

void FormStartMenu::on_Update_clicked()
{
    ui->Loading->show();
    ui->Loading->raise();
    m_movie->start();
    clearList();
    m_reloadTimer->start(ReloadMs);
}

void FormStartMenu::myOut()
{
    loadFile();
    ui->Loading->hide();
    m_movie->stop();
}
