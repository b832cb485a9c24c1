#include "dock/editing/formsidebarmenu.h"

#include "ui_formsidebarmenu.h"
#include "common/windowdrag.h"
#include "dock/editing/formapplicationlists.h"
#include "dock/style/dockstyle.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

const char *const ScrollBarSheet =
    "QScrollBar:vertical{width:10px;background:transparent;border:0px;margin:1px 1px 1px 0px;}"
    "QScrollBar::handle:vertical{background:#5B5E63;border-radius:4px;min-height:20px;}"
    "QScrollBar::handle:vertical:hover{background:#5294E2;}"
    "QScrollBar::sub-page:vertical,QScrollBar::add-page:vertical{background:transparent;}"
    "QScrollBar::sub-line:vertical,QScrollBar::add-line:vertical{height:10px;width:10px;border:0px;image:none;background:transparent;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{height:13px;background:transparent;}";

// One half of the segmented tab control.
QString tabSheet(bool left, bool active)
{
    const QString corners = left ? QStringLiteral("border-top-left-radius:3px;border-bottom-left-radius:3px;")
                                 : QStringLiteral("border-top-right-radius:3px;border-bottom-right-radius:3px;");
    const QString rest = active ? QStringLiteral("#5294E2") : QStringLiteral("#5F616E");
    return QStringLiteral("QPushButton{color:#FFFFFF;border:0px;%1background-color:%2;}"
                          "QPushButton:hover{color:#FFFFFF;border:0px;%1background-color:#5294E2;}"
                          "QPushButton:pressed{color:#FFFFFF;border:0px;%1background-color:#5294E2;}")
        .arg(corners, rest);
}

} // namespace

FormSidebarMenu::FormSidebarMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormSidebarMenu)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormSidebarMenu::on_close_clicked);
    connect(ui->MButton1, &QPushButton::clicked, this, &FormSidebarMenu::on_MButton1_clicked);
    connect(ui->MButton2, &QPushButton::clicked, this, &FormSidebarMenu::on_MButton2_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    setWindowIcon(QIcon(QStringLiteral(":/image/256-2.png")));
    ui->scrollAreaSystem->hide();
    ui->scrollAreaSystem2->hide();

    m_system = new FormApplicationLists;
    connect(m_system, &ApplicationList::ADDIcon, this, &FormSidebarMenu::ADDIcon);
    ui->scrollAreaSystem->setWidget(m_system);
    m_tools = new FormApplicationLists2;
    connect(m_tools, &ApplicationList::ADDIcon, this, &FormSidebarMenu::ADDIcon);
    ui->scrollAreaSystem2->setWidget(m_tools);

    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    ui->close->setStyleSheet(closeButtonSheet());
    setStyleSheet(QString::fromLatin1(ScrollBarSheet));
    on_MButton1_clicked();
}

FormSidebarMenu::~FormSidebarMenu()
{
    delete ui;
}

void FormSidebarMenu::setID(QString ID)
{
    m_id = ID;
}

void FormSidebarMenu::ADDIcon(QString ico, QString name, QString cl, QString path)
{
    emit AddIcon(ico, name, cl, path, m_id);
}

void FormSidebarMenu::on_close_clicked()
{
    emit SidebarMenuClose();
    hide();
}

void FormSidebarMenu::setTabs(bool systemActive)
{
    ui->MButton1->setStyleSheet(tabSheet(true, systemActive));
    ui->MButton2->setStyleSheet(tabSheet(false, !systemActive));
    ui->scrollAreaSystem->setVisible(systemActive);
    ui->scrollAreaSystem2->setVisible(!systemActive);
}

void FormSidebarMenu::on_MButton1_clicked()
{
    setTabs(true);
}

void FormSidebarMenu::on_MButton2_clicked()
{
    setTabs(false);
}

void FormSidebarMenu::showEvent(QShowEvent *)
{
    // The first showing of the top-level panel lies in the middle of the
    // screen the user works on; after that it stays where it was dragged.
    if (m_placed || !isWindow())
        return;
    m_placed = true;
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void FormSidebarMenu::resizeEvent(QResizeEvent *)
{
    ui->frameMain->resize(size());
}
