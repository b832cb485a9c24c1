#include "dock/editing/formiconsettings.h"

#include "ui_formiconsettings.h"
#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/editing/formiconlibrary.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/iconfolder.h"
#include "dock/model/iconclasses.h"
#include "dock/style/dockstyle.h"
#include "dock/toast/formsystemhint.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/regularfile.h"
#include "platform/windowsystem.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int ClosedHeight = 310;
constexpr int OpenHeight = 586;
const char *const DockTarget = "0";

QString buttonSheet(const QString &borderImage)
{
    const QString image = borderImage.isEmpty() ? QStringLiteral("url()") : QStringLiteral("url(%1)").arg(borderImage);
    return QStringLiteral(
               "QPushButton{background-color:#5F616E;color:#FFFFFF;border:0px;border-radius:2px;border-color:#312E4D;border-image:%1;}"
               "QPushButton:hover{background-color:#5294E2;color:#FFFFFF;border:0px;border-radius:2px;border-color:#312E4D;border-image:%1;}"
               "QPushButton:pressed{background-color:#5294E2;color:#FFFFFF;border:0px;border-radius:2px;border-color:#312E4D;border-image:%1;}")
        .arg(image);
}

const char *const ScrollBarSheet =
    "QScrollBar:vertical{width:8px;margin:0px 1px 0px 0px;padding-top:1px;padding-bottom:1px;"
    "background:transparent;border:0px;}"
    "QScrollBar::handle:vertical{background:#414857;border-radius:3px;min-height:20px;}"
    "QScrollBar::handle:vertical:hover{background:#5294E2;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{height:13px;background:transparent;}"
    "QScrollBar::sub-page:vertical,QScrollBar::add-page:vertical{background:transparent;}"
    "QScrollBar::sub-line:vertical{height:6px;width:6px;subcontrol-position:top;}"
    "QScrollBar::add-line:vertical{height:6px;width:6px;subcontrol-position:bottom;}";

} // namespace

FormIconSettings::FormIconSettings(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconSettings)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormIconSettings::on_close_clicked);
    connect(ui->modifyButton, &QPushButton::clicked, this, &FormIconSettings::on_modifyButton_clicked);
    connect(ui->saveButton, &QPushButton::clicked, this, &FormIconSettings::on_saveButton_clicked);
    connect(ui->defaultButton, &QPushButton::clicked, this, &FormIconSettings::on_defaultButton_clicked);
    connect(ui->customizeButton, &QPushButton::clicked, this, &FormIconSettings::on_customizeButton_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowIcon(QIcon(QStringLiteral(":/image/256-2.png")));
    // The icon library that unfolds below is no handle.
    (new WindowDrag(this))->setBand(ClosedHeight);

    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    font.setPixelSize(15);
    for (QPushButton *b : { ui->modifyButton, ui->saveButton, ui->defaultButton, ui->customizeButton })
        b->setFont(font);
    for (QPushButton *b : { ui->saveButton, ui->defaultButton, ui->customizeButton })
        b->setStyleSheet(buttonSheet(QString()));
    ui->close->setStyleSheet(closeButtonSheet());
    setStyleSheet(QString::fromLatin1(ScrollBarSheet));

    ui->lineEditIco->hide();
    layoutButtons(false);

    m_library = new FormIconLibrary;
    connect(m_library, &FormIconLibrary::ADDIco, this, &FormIconSettings::ADDIco);
    ui->scrollAreaIconLibrary->setWidget(m_library);

    m_toast = new FormSystemHint;
    m_chooser = new FormIconLists;
    connect(m_chooser, &FormIconLists::AddIcon, this, &FormIconSettings::AddIcon);
}

FormIconSettings::~FormIconSettings()
{
    delete m_chooser;
    delete m_toast;
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
    if (IconClasses::of(Class).face != IconFace::RecycleBin) {
        setPicture(Icon);
        return;
    }
    // A recycle bin keeps its empty and full pictures in one field.
    const QStringList pair = Icon.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (mode == 0)
        setPicture(pair.at(0));
    else if (mode == 1)
        setPicture(pair.size() < 2 ? fullBinPicture() : pair.at(1));
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

void FormIconSettings::layoutButtons(bool open)
{
    m_libraryOpen = open;
    ui->modifyButton->setStyleSheet(
        buttonSheet(open ? QStringLiteral(":/image/menu/top.png") : QStringLiteral(":/image/menu/bottom.png")));
    const int upper = 265, lower = 540;
    ui->modifyButton->move(20, open ? lower : upper);
    ui->saveButton->move(170, open ? lower : upper);
    ui->defaultButton->move(20, open ? upper : lower);
    ui->customizeButton->move(170, open ? upper : lower);
    resize(width(), open ? OpenHeight : ClosedHeight);
}

void FormIconSettings::on_modifyButton_clicked()
{
    layoutButtons(!m_libraryOpen);
}

void FormIconSettings::ADDIco(QString ico)
{
    setPicture(ico);
}

void FormIconSettings::AddIcon(QString ico, QString, QString, QString, QString ID)
{
    if (ID == QLatin1String(DockTarget))
        setPicture(ico);
}

QString FormIconSettings::pairPart(const QString &picture, const QString &keep)
{
    if (!picture.contains(QLatin1Char(',')))
        return picture;
    // A comma would split the pair anew: the picture is kept under a name without one.
    QString name = QFileInfo(picture).fileName();
    name.replace(QLatin1Char(','), QLatin1Char('_'));
    if (!name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        name += QStringLiteral(".png");
    if (IconFolder::savePng(platform::RegularFile::readImage(picture), name))
        return IconFolder::file(name);
    qCWarning(lcFiles) << "图标保存失败" << picture;
    return keep;
}

void FormIconSettings::on_saveButton_clicked()
{
    if (ui->lineEdit->text().isEmpty()) {
        m_toast->ShowMessage(tr("保存失败！请设置图标名称！"));
        m_toast->show();
        return;
    }
    on_close_clicked();
    const QString name = ui->lineEdit->text();
    if (IconClasses::of(m_class).face != IconFace::RecycleBin) {
        emit Modify(m_id, pictureField(), name, m_note);
        return;
    }
    const QStringList pair = m_icon.split(QLatin1Char(','), Qt::KeepEmptyParts);
    const QString empty = pair.at(0);
    const QString full = pair.size() < 2 ? fullBinPicture() : pair.at(1);
    QString ico;
    if (m_mode == 0)
        ico = pairPart(pictureField(), empty) + QLatin1Char(',') + full;
    else if (m_mode == 1)
        ico = empty + QLatin1Char(',') + pairPart(pictureField(), full);
    else
        return;
    emit Modify(m_id, ico, name, m_note);
}

void FormIconSettings::on_defaultButton_clicked()
{
    if (IconClasses::of(m_class).is(IconRule::ProgramPicture)) {
        getIcons(m_path, QString::fromLatin1(DockTarget));
    } else if (IconClasses::of(m_class).face == IconFace::RecycleBin) {
        if (m_mode == 0)
            setPicture(emptyBinPicture());
        else if (m_mode == 1)
            setPicture(fullBinPicture());
    } else {
        // The note of a preset row holds its stock picture.
        setPicture(m_note);
    }
}

void FormIconSettings::getIcons(QString appName, QString ID)
{
    switch (m_extraction.run(appName)) {
    case IconExtraction::UseNote:
        setPicture(m_note);
        return;
    case IconExtraction::NoPicture:
        setPicture(QStringLiteral(":/image/icon/Icon-what.png"));
        m_toast->ShowMessage(tr("未找到应用图标！"));
        m_toast->show();
        return;
    case IconExtraction::Pictures:
        break;
    }
    if (m_extraction.saved == 1) {
        setPicture(m_extraction.file(1));
        return;
    }
    m_chooser->setCount(m_extraction.saved);
    m_chooser->populate(m_extraction.prefix(), m_extraction.base, IconClass::ICON, QString(), ID);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_chooser->move(area.left() + (area.width() - m_chooser->width()) / 2,
                        area.top() + (area.height() - m_chooser->height()) / 2);
    }
    // The chooser stands over the dialog it serves (also inside the
    // full-screen launch pad) and takes the focus, so that turning to any
    // other window closes it.
    m_chooser->show();
    // After the show: Qt writes the transient-for hint of a tool window as it maps it.
    platform::WindowSystemService::get().keepInFrontOf(m_chooser, window());
    m_chooser->raise();
    m_chooser->activateWindow();
}

void FormIconSettings::on_customizeButton_clicked()
{
    // Icon themes draw in SVG, and older programs bring XPM pictures.
    const QString file = platform::DialogsService::get().openFileName(
        this, tr("选择图标文件"), platform::desktopFolder(),
        tr("Image files(*.bmp *.BMP *.jpg *.JPG *.png *.PNG *.gif *.GIF *.ico *.ICO *.svg *.SVG *.xpm *.XPM)"));
    if (file.isEmpty())
        return;
    const QFileInfo fi(file);
    if (fi.suffix() == QLatin1String("ico") || fi.suffix() == QLatin1String("ICO")) {
        // An icon file becomes a PNG copy in the icon folder.
        const QString name = fi.baseName() + QStringLiteral("ico.png");
        if (IconFolder::savePng(platform::RegularFile::readImage(file), name))
            setPicture(IconFolder::file(name));
        return;
    }
    setPicture(file);
}

void FormIconSettings::on_close_clicked()
{
    emit IconSettingsClose();
    hide();
    layoutButtons(false);
}

void FormIconSettings::closeEvent(QCloseEvent *event)
{
    on_close_clicked();
    event->accept();
}
