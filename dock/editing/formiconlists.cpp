#include "dock/editing/formiconlists.h"

#include "ui_formiconlists.h"
#include "dock/style/dockstyle.h"
#include "platform/windowsystem.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

FormListsItem::FormListsItem(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Form"));
    resize(FormIconLists::CellPitch, FormIconLists::CellPitch);
    auto *layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    layout->addWidget(frame, 0, 0);
    m_highlight = new QLabel(frame);
    m_highlight->setObjectName(QStringLiteral("IconBJ"));
    m_highlight->setGeometry(0, 0, 74, 74);
    m_highlight->setStyleSheet(QStringLiteral(
        "border-radius:10px;border:0px solid #535B6F;background-color: rgba(255, 255, 255, 50);"));
    m_highlight->hide();
    m_picture = new QLabel(frame);
    m_picture->setObjectName(QStringLiteral("Icon"));
    m_picture->setGeometry(10, 10, 54, 54);
    m_picture->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    // The picture's own size under it: the pictures look alike at 54 pixels,
    // and a small one blurs when the icon grows.
    m_size = new QLabel(frame);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setGeometry(0, 63, 74, 11);
    m_size->setAlignment(Qt::AlignCenter);
    QFont font = m_size->font();
    font.setPixelSize(10);
    m_size->setFont(font);
    m_size->setStyleSheet(QStringLiteral("color: rgba(255, 255, 255, 200); background-color: rgba(0, 0, 0, 0);"));
}

void FormListsItem::setIcon(QString ico, QString name, QString cl, QString path)
{
    m_ico = ico;
    m_name = name;
    m_cl = cl;
    m_path = path;
    m_picture->resize(54, 54);
    const QPixmap pixmap(ico);
    m_picture->setPixmap(pixmap.isNull() ? pixmap
                                         : pixmap.scaled(m_picture->size(), Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation));
    m_size->setText(pixmap.isNull() ? QString()
                                    : QStringLiteral("%1×%2").arg(pixmap.width()).arg(pixmap.height()));
}

QString FormListsItem::sizeText() const
{
    return m_size->text();
}

void FormListsItem::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void FormListsItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit AddIco(m_ico, m_name, m_cl, m_path);
}

void FormListsItem::enterEvent(QEvent *)
{
    m_highlight->show();
}

void FormListsItem::leaveEvent(QEvent *)
{
    m_highlight->hide();
}

FormIconLists::FormIconLists(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconLists)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormIconLists::on_close_clicked);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->close->setStyleSheet(closeButtonSheet());
    ui->pButton->hide();
    installEventFilter(this);
    // A small pop-up over the property dialog: no task-list entry of its own.
    if (isWindow())
        platform::setWindowRole(this, platform::WindowRole::Popup);
}

FormIconLists::~FormIconLists()
{
    delete ui;
}

void FormIconLists::setCount(int n)
{
    m_count = n;
    m_column = 1;
    m_top = 1;
    if (n <= PerRow)
        resize(n * CellPitch + 40, 150);
    else
        resize(780, (n / PerRow + 1) * RowPitch + 100);
    ui->ico->resize(width(), height() - 40);
    ui->close->move(width() - ui->close->width() - 8, 8);
    ui->pButton->move(width() - ui->pButton->width() - 10, height() - ui->pButton->height() - 10);
}

void FormIconLists::populate(QString prefix, QString name, QString cl, QString path, QString ID)
{
    m_id = ID;
    for (int i = 1; i <= m_count; ++i) {
        const QString key = QString::number(i) + QStringLiteral("icon");
        FormListsItem *item = m_cells.value(key);
        if (!item) {
            item = new FormListsItem(ui->ico);
            m_cells.insert(key, item);
            connect(item, &FormListsItem::AddIco, this, &FormIconLists::AddIco);
        }
        item->setIcon(prefix + QString::number(i) + QStringLiteral(".png"), name, cl, path);
        item->move((m_column - 1) * CellPitch, m_top);
        item->show();
        if (m_column == PerRow) {
            m_column = 1;
            m_top += RowPitch;
        } else {
            ++m_column;
        }
    }
}

void FormIconLists::AddIco(QString ico, QString name, QString cl, QString path)
{
    emit AddIcon(ico, name, cl, path, m_id);
    hide();
    clearIcon();
}

void FormIconLists::clearIcon()
{
    // A cell may be the one whose click got us here: it goes once its event is done.
    for (int i = 1; i <= m_count; ++i) {
        if (FormListsItem *item = m_cells.take(QString::number(i) + QStringLiteral("icon"))) {
            item->hide();
            item->deleteLater();
        }
    }
}

void FormIconLists::on_close_clicked()
{
    hide();
    clearIcon();
}

bool FormIconLists::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::WindowDeactivate) {
        hide();
        clearIcon();
    }
    return QWidget::eventFilter(watched, event);
}
