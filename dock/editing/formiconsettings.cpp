#include "dock/editing/formiconsettings.h"

#include "ui_formiconsettings.h"
#include "dock/style/dockstyle.h"

#include <QCloseEvent>
#include <QPixmap>

namespace {
const char *const FullBinPicture = ":/image/icon/Recycle1.png";
}

FormIconSettings::FormIconSettings(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconSettings)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->lineEditIco->hide();
    // Only the upper part shows until the icon library is opened.
    resize(width(), 310);

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    ui->close->setStyleSheet(closeButtonSheet());
}

FormIconSettings::~FormIconSettings()
{
    delete ui;
}

void FormIconSettings::setIconData(QString ID, QString Icon, QString Name, QString Note,
                                   QString Path, QString Class, int mode)
{
    m_id = ID;
    m_icon = Icon;
    m_name = Name;
    m_note = Note;
    m_path = Path;
    m_class = Class;
    m_mode = mode;

    ui->lineEdit->setText(Name);
    if (Class != "RECYCLE") {
        setPicture(Icon);
        return;
    }
    // A recycle bin keeps its empty and full pictures in one field.
    const QStringList pair = Icon.split(',', Qt::KeepEmptyParts);
    if (mode == 0)
        setPicture(pair.at(0));
    else if (mode == 1)
        setPicture(pair.size() < 2 ? QString(FullBinPicture) : pair.at(1));
}

QString FormIconSettings::pictureField() const
{
    return ui->lineEditIco->text();
}

QString FormIconSettings::nameField() const
{
    return ui->lineEdit->text();
}

void FormIconSettings::setPicture(const QString &path)
{
    ui->lineEditIco->setText(path);
    const QPixmap pixmap(path);
    ui->Icon->setPixmap(pixmap.isNull() ? pixmap
                                        : pixmap.scaled(ui->Icon->size(), Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation));
}

void FormIconSettings::on_close_clicked()
{
    emit IconSettingsClose();
    hide();
}

void FormIconSettings::closeEvent(QCloseEvent *event)
{
    on_close_clicked();
    event->accept();
}
