#include "dock/editing/formapplicationlists.h"

#include "ui_formapplicationitem.h"
#include "ui_formapplicationlists.h"
#include "ui_formapplicationlists2.h"
#include "common/logging.h"
#include "dock/model/iconclasses.h"
#include "dock/style/dockstyle.h"

#include <QPixmap>

namespace {
// The preset table's columns: group, picture, name, class, path, note.
constexpr int ClassColumn = 3;
} // namespace

FormApplicationItem::FormApplicationItem(QWidget *parent) : QWidget(parent), ui(new Ui::FormApplicationItem)
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &FormApplicationItem::on_pushButton_clicked);
    ui->bj->hide();
    ui->name->setTextFormat(Qt::PlainText);
    ui->Class->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(16);
    ui->name->setFont(font);
    ui->pushButton->setStyleSheet(
        pictureButtonSheet(QStringLiteral(":/image/menu/add.png"), QStringLiteral(":/image/menu/add1.png")));
}

FormApplicationItem::~FormApplicationItem()
{
    delete ui;
}

void FormApplicationItem::setData(QString ico, QString name, QString group, QString cl)
{
    m_class = cl;
    const QPixmap pixmap(ico);
    ui->Icon->setPixmap(pixmap.isNull() ? pixmap
                                        : pixmap.scaled(ui->Icon->size(), Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation));
    ui->name->setText(name);
    ui->Class->setText(group);
}

void FormApplicationItem::on_pushButton_clicked()
{
    emit clas(m_class);
}

void FormApplicationItem::enterEvent(QEvent *)
{
    ui->bj->show();
}

void FormApplicationItem::leaveEvent(QEvent *)
{
    ui->bj->hide();
}

void ApplicationList::setPresets(QFrame *frame, QTableWidget *table)
{
    m_frame = frame;
    m_table = table;
    table->hide();
    const QSize fixed(width(), table->rowCount() * RowHeight);
    setMinimumSize(fixed);
    setMaximumSize(fixed);
    for (const QString &keyword : unknownClasses())
        qCWarning(lcBar) << "a preset row of no icon class:" << keyword;
}

QStringList ApplicationList::unknownClasses() const
{
    QStringList unknown;
    for (int r = 0; m_table && r < m_table->rowCount(); ++r) {
        const QTableWidgetItem *item = m_table->item(r, ClassColumn);
        const QString keyword = item ? item->text() : QString();
        if (!IconClasses::known(keyword))
            unknown << keyword;
    }
    return unknown;
}

void ApplicationList::showEvent(QShowEvent *)
{
    if (!m_built)
        buildItems();
}

void ApplicationList::buildItems()
{
    m_built = true;
    auto text = [this](int r, int c) {
        const QTableWidgetItem *item = m_table->item(r, c);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < m_table->rowCount(); ++r) {
        auto *item = new FormApplicationItem(m_frame);
        connect(item, &FormApplicationItem::clas, this, &ApplicationList::AddIco);
        item->setData(text(r, 1), text(r, 2), text(r, 0), text(r, 3));
        item->move(0, RowHeight * r);
        item->show();
    }
}

void ApplicationList::AddIco(QString c)
{
    const QList<QTableWidgetItem *> hits = m_table->findItems(c, Qt::MatchExactly);
    if (hits.isEmpty())
        return;
    // findItems answers in no set order; the first cell column by column wins.
    const QTableWidgetItem *first = *std::min_element(hits.begin(), hits.end(), [](auto *a, auto *b) {
        return a->column() != b->column() ? a->column() < b->column() : a->row() < b->row();
    });
    const int r = first->row();
    emit ADDIcon(m_table->item(r, 1)->text(), m_table->item(r, 2)->text(), m_table->item(r, 3)->text(),
                 m_table->item(r, 4)->text());
}

FormApplicationLists::FormApplicationLists(QWidget *parent)
    : ApplicationList(parent), ui(new Ui::FormApplicationLists)
{
    ui->setupUi(this);
    setPresets(ui->frame, ui->IcoData);
}

FormApplicationLists::~FormApplicationLists()
{
    delete ui;
}

FormApplicationLists2::FormApplicationLists2(QWidget *parent)
    : ApplicationList(parent), ui(new Ui::FormApplicationLists2)
{
    ui->setupUi(this);
    setPresets(ui->frame, ui->IcoData);
}

FormApplicationLists2::~FormApplicationLists2()
{
    delete ui;
}
