#include "formselectdisk.h"
#include "ui_formselectdisk.h"
#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/style/dockstyle.h"

#include "dock/icons/iconpictures.h"
#include "common/plaintext.h"
#include "platform/volumes.h"

#include <QFontMetrics>
#include <QListView>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {
QFont chooserFont(int px)
{
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(10);
    f.setPixelSize(px);
    return f;
}

// A mount point can be far longer than a drive letter: what does not fit
// loses its middle, and the whole path shows as the tip.
QString fitted(const QString &path, const QFont &font, int room)
{
    return QFontMetrics(font).elidedText(path, Qt::ElideMiddle, room);
}
} // namespace

FormSelectDisk::FormSelectDisk(QWidget *parent) : QWidget(parent), ui(new Ui::FormSelectDisk)
{
    ui->setupUi(this);
    // A mount point is the system's name for a disk, not HTML.
    ui->diskname->setTextFormat(Qt::PlainText);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);

    IconPictures::show(ui->Icon, QStringLiteral(":/image/icon/Disk.png"), ui->Icon->size());
    ui->labelprompt->setFont(chooserFont(18));
    ui->saveButton->setFont(chooserFont(15));
    ui->diskname->setFont(chooserFont(15));
    showDrive(QStringLiteral("0"));
    ui->close->setStyleSheet(closeButtonSheet());
    ui->saveButton->setStyleSheet(QStringLiteral(
        "QPushButton{border-image: url();background-color: #5F616E;border:0px;border-radius:2px;border-left:0px;border-right:0px;"
        "border-style: solid;border-color:#312E4D;color: #FFFFFF;}"
        "QPushButton:hover{border-image: url();background-color: #5294E2;border:0px;border-radius:2px;border-left:0px;"
        "border-right: 0px;border-style: solid;border-color:#312E4D;color: #FFFFFF;}"
        "QPushButton:pressed{border-image: url();background-color:#5294E2;border:0px;border-radius:2px;border-left:0px;"
        "border-right: 0px;border-style: solid;border-color:#312E4D;color: #FFFFFF;}"));
    ui->comboBox->setStyleSheet(QStringLiteral(
        "QComboBox{background-color:#5F616E;border-radius: 2px;border: 0px;border-color: #25272B;border-style: solid;"
        "background-repeat: no-repeat;color: white;selection-color: #25272B;}"
        "QComboBox::drop-down{image: url(:/image/menu/arrow-drop.png);background-color:#5F616E;min-width: 26px;border-radius: 2px}"
        "QComboBox QAbstractItemView{border:20px;color:#828385;selection-color:#ffffff;selection-background-color:#5F616E;outline:0px;}"
        "QComboBox QAbstractItemView::item{min-height:25px;background-color:#25272B;}"
        "QComboBox QAbstractItemView::item:hover{background-color:#5294E2;}"
        "QComboBox QAbstractItemView::item:pressed{background-color:#5294E2;}"));
    ui->comboBox->setView(new QListView(ui->comboBox));
    // Filled once its look is final, so that the entries fit their room.
    ReadData();
}

FormSelectDisk::~FormSelectDisk()
{
    delete ui;
}

QComboBox *FormSelectDisk::comboBox() const { return ui->comboBox; }
QLabel *FormSelectDisk::diskName() const { return ui->diskname; }
QPushButton *FormSelectDisk::saveButton() const { return ui->saveButton; }
QPushButton *FormSelectDisk::closeButton() const { return ui->close; }

void FormSelectDisk::ReadData()
{
    // Filling the list is not a choice of the user.
    const QSignalBlocker block(ui->comboBox);
    ui->comboBox->clear();
    const QList<platform::Volume> volumes = platform::VolumesService::get().volumes();
    QStyleOptionComboBox opt;
    opt.initFrom(ui->comboBox);
    const int room = ui->comboBox->style()
                         ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, ui->comboBox)
                         .width() - 4;
    for (const platform::Volume &v : volumes) {
        qCDebug(lcDesktop) << v.mountPoint;
        // The entry keeps the whole path; it shows what fits.
        ui->comboBox->addItem(fitted(tr("%1").arg(v.mountPoint), ui->comboBox->font(), room), v.mountPoint);
        ui->comboBox->setItemData(ui->comboBox->count() - 1, v.mountPoint, Qt::ToolTipRole);
        if (v.removable)
            qCDebug(lcDesktop) << "存在可移动盘";
    }
    // The list opens on the first drive, as a list filled from empty does.
    ui->comboBox->setCurrentIndex(ui->comboBox->count() > 0 ? 0 : -1);
}

void FormSelectDisk::setIconData(const QString &icoID, const QString &drive)
{
    m_id = icoID;
    m_drive = drive;
    showDrive(drive);
    // The list shows the icon's own drive, or the first one.
    const QSignalBlocker block(ui->comboBox);
    const int index = ui->comboBox->findData(drive, Qt::UserRole, Qt::MatchExactly);
    ui->comboBox->setCurrentIndex(index >= 0 ? index : qMin(0, ui->comboBox->count() - 1));
}

void FormSelectDisk::showDrive(const QString &drive)
{
    if (drive == QLatin1String("0")) {
        ui->diskname->setText(tr("盘符：无"));
        ui->diskname->setToolTip(QString());
        return;
    }
    const QString prefix = tr("盘符：%1").arg(QString());
    const QFont font = ui->diskname->font();
    const int room = ui->diskname->contentsRect().width() - QFontMetrics(font).horizontalAdvance(prefix) - 2;
    ui->diskname->setText(prefix + fitted(drive, font, room));
    ui->diskname->setToolTip(PlainText::toolTip(tr("盘符：%1").arg(drive)));
}

void FormSelectDisk::choose(const QString &text)
{
    if (text.isEmpty())
        return;
    showDrive(text);
    m_drive = text;
}

void FormSelectDisk::on_comboBox_currentIndexChanged(const QString &)
{
    choose(ui->comboBox->currentData().toString());
}

void FormSelectDisk::on_comboBox_activated(int index)
{
    // Picking the entry already shown changes no index but is a choice.
    choose(ui->comboBox->itemData(index).toString());
}

void FormSelectDisk::on_saveButton_clicked()
{
    // An icon without a drive takes the one the list shows.
    if (m_drive.isEmpty() || m_drive == QLatin1String("0"))
        m_drive = ui->comboBox->currentData().toString();
    if (m_drive.isEmpty()) {
        ui->diskname->setText(tr("盘符：无"));
        return;
    }
    emit setIconDisk(m_id, m_drive);
    hide();
}

void FormSelectDisk::on_close_clicked()
{
    hide();
}
