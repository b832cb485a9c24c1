#include "formdisk.h"
#include "ui_formdisk.h"

#include "dock/icons/iconpictures.h"

FormDisk::FormDisk(QWidget *parent) : QWidget(parent), ui(new Ui::FormDisk)
{
    ui->setupUi(this);
    m_picture = QStringLiteral(":/image/icon/Disk.png");
}

FormDisk::~FormDisk()
{
    delete ui;
}

QLabel *FormDisk::nameLabel() const { return ui->name; }
QLabel *FormDisk::picture() const { return ui->Icon; }

QString FormDisk::faceText(const QString &drive)
{
    if (drive.isEmpty())
        return QString();
    QString folder = drive;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (folder == QLatin1String("/"))
        return folder;
    folder = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    if (folder.size() <= 4)
        return folder;
    return folder.left(3) + QChar(0x2026);
}

void FormDisk::layoutText()
{
    const int w = width();
    const int h = height();
    ui->name->setText(tr("%1").arg(faceText(m_drive)));
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
    f.setPixelSize(qMax(1, w / 3));
    ui->name->setFont(f);
    ui->name->adjustSize();
    ui->name->move((w - ui->name->width()) / 2, h / 6);
}

void FormDisk::setDisk(const QString &drive)
{
    if (drive == QLatin1String("0")) {
        m_drive.clear();
        return;
    }
    m_drive = drive;
    layoutText();
}

void FormDisk::resizeEvent(QResizeEvent *)
{
    ui->Icon->resize(size());
    IconPictures::show(ui->Icon, m_picture, size());
    layoutText();
}
