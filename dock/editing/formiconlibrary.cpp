#include "dock/editing/formiconlibrary.h"

#include "ui_formiconlibrary.h"
#include "ui_formiconlibraryitem.h"

#include <QMouseEvent>
#include <QPixmap>

FormIconLibrary::FormIconLibrary(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconLibrary)
{
    ui->setupUi(this);
    ui->IcoData->hide();
}

FormIconLibrary::~FormIconLibrary()
{
    delete ui;
}

void FormIconLibrary::showEvent(QShowEvent *)
{
    if (!m_built)
        initIcons();
}

void FormIconLibrary::initIcons()
{
    m_built = true;
    // The hidden table is the list; cells are placed by hand on a fixed pitch.
    int column = 0, row = 0;
    for (int i = 0; i < ui->IcoData->rowCount(); ++i) {
        const QTableWidgetItem *cell = ui->IcoData->item(i, 0);
        auto *item = new FormIconLibraryItem(ui->frame);
        connect(item, &FormIconLibraryItem::AddIco, this, &FormIconLibrary::AddIco);
        item->setIcon(cell ? cell->text() : QString());
        item->move(column * Pitch, row * Pitch);
        item->show();
        if (++column == Columns) {
            column = 0;
            ++row;
        }
    }
}

void FormIconLibrary::AddIco(QString ico)
{
    emit ADDIco(ico);
}

FormIconLibraryItem::FormIconLibraryItem(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconLibraryItem)
{
    ui->setupUi(this);
    ui->IconBJ->hide();
}

FormIconLibraryItem::~FormIconLibraryItem()
{
    delete ui;
}

void FormIconLibraryItem::setIcon(QString path)
{
    m_path = path;
    const QPixmap pixmap(path);
    ui->Icon->setPixmap(pixmap.isNull() ? pixmap
                                        : pixmap.scaled(ui->Icon->size(), Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation));
}

void FormIconLibraryItem::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void FormIconLibraryItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit AddIco(m_path);
}

void FormIconLibraryItem::enterEvent(QEvent *)
{
    ui->IconBJ->show();
}

void FormIconLibraryItem::leaveEvent(QEvent *)
{
    ui->IconBJ->hide();
}
