#include "formlaunchcommonicon.h"
#include "ui_formlaunchcommonicon.h"

#include "dock/icons/formrecycle.h"
#include "dock/icons/iconpictures.h"
#include "dock/launchpad/launchdrag.h"
#include "dock/model/dockicon.h"
#include "dock/style/dockstyle.h"
#include "platform/regularfile.h"

#include <QCursor>
#include <QDebug>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPointer>
#include <QPropertyAnimation>

namespace {
const QString GenericUrlPicture = QStringLiteral(":/image/icon/url.png");

QString urlLabelSheet(const QString &picture)
{
    return QStringLiteral("QLabel{border-image: url(") + picture
        + QStringLiteral(");border-top: 0px;border-bottom:0px;border-left: 0px;border-right: 0px;border-style: solid;"
                         "border-color: rgba(140, 140, 140, 0);background-color: rgba(140, 140, 140, 0);"
                         "color: rgb(255, 255, 255);}");
}
} // namespace

FormLaunchCommonIcon::FormLaunchCommonIcon(QWidget *parent) : QWidget(parent), ui(new Ui::FormLaunchCommonIcon)
{
    ui->setupUi(this);
    // A badge hidden while it was held (edit mode left, the pad left)
    // deletes or edits nothing when it is let go.
    connect(ui->deleteButton, &QPushButton::clicked, this, [this] {
        if (deleteShown)
            on_deleteButton_clicked();
    });
    connect(ui->editButton, &QPushButton::clicked, this, [this] {
        if (deleteShown)
            on_editButton_clicked();
    });
    ui->bj->lower();
    // The press must land on the icon itself: it keeps the mouse while the
    // picture is hidden during a drag, which a label would not.
    for (QWidget *w : { static_cast<QWidget *>(ui->Icon), static_cast<QWidget *>(ui->Name),
                        static_cast<QWidget *>(ui->bj) })
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->deleteButton->hide();
    ui->editButton->hide();
    ui->bj->hide();
    // Names come from files and from other programs: shown as they are
    // written, never read as markup (which would load what it names).
    ui->Name->setTextFormat(Qt::PlainText);
    ui->Icon->setTextFormat(Qt::PlainText);
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
    f.setPixelSize(14);
    ui->Name->setFont(f);
}

FormLaunchCommonIcon::~FormLaunchCommonIcon()
{
    delete ui;
}

// The buttons show only in edit mode: their pictures are set the first time.
void FormLaunchCommonIcon::styleButtons()
{
    if (m_buttonsStyled)
        return;
    m_buttonsStyled = true;
    ui->deleteButton->setStyleSheet(
        pictureButtonSheet(QStringLiteral(":/image/menu/delete3.png"), QStringLiteral(":/image/menu/delete4.png")));
    ui->editButton->setStyleSheet(
        pictureButtonSheet(QStringLiteral(":/image/menu/edit3.png"), QStringLiteral(":/image/menu/edit4.png")));
}

QString FormLaunchCommonIcon::shownName() const
{
    return ui->Name->text();
}

void FormLaunchCommonIcon::setData(QString ID, QString Icon, QString Class, QString Name)
{
    iconID = ID;
    iconPath = Icon;
    iconClass = Class;
    iconName = Name;
    showPicture(false);
    ui->Name->setText(Class == IconClass::Temporary ? QString()
                                                    : geteElidedText(ui->Name->font(), Name, ui->Name->width()));
    ui->Name->setVisible(Class != IconClass::Temporary && !m_lifted);
}

QString FormLaunchCommonIcon::shownPicture() const
{
    return m_recycle ? m_recycle->currentPicture() : iconPath;
}

void FormLaunchCommonIcon::showPicture(bool reuseMovie)
{
    QLabel *label = ui->Icon;
    const QSize size = label->size();
    // A recycle bin keeps two pictures, "<empty>,<full>", in its picture
    // field and shows the one the trash calls for, as on the bar.
    const IconFace face = IconClasses::of(iconClass).face;
    if (face == IconFace::RecycleBin) {
        gifShown = false;
        label->clear();
        if (!m_recycle) {
            m_recycle = new FormRecycle(label);
            m_recycle->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        m_recycle->setIcons(iconPath);
        m_recycle->setGeometry(label->rect());
        m_recycle->setVisible(!m_lifted);
        return;
    }
    delete m_recycle;
    m_recycle = nullptr;
    if (face == IconFace::WebSite) {
        gifShown = false;
        if (iconPath != GenericUrlPicture) {
            label->setText(QString());
            label->setStyleSheet(urlLabelSheet(QString()));
            IconPictures::show(label, iconPath, size);
        } else {
            // A web icon without its own picture: its initial on the web tile.
            label->clear();
            label->setStyleSheet(urlLabelSheet(GenericUrlPicture));
            QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
            f.setPixelSize(qMax(1, label->width() / 2));
            label->setFont(f);
            label->setText(iconName.left(1));
        }
        return;
    }
    if (iconClass != IconClass::Temporary && QFileInfo(iconPath).suffix() == QLatin1String("gif")) {
        gifShown = true;
        if (!reuseMovie || !movie) {
            delete movie;
            // Through the picture checks: a stored path may name a pipe or a giant.
            QIODevice *bytes = platform::RegularFile::openPicture(iconPath);
            // One that fails them shows nothing, as any picture that cannot be read.
            movie = bytes ? new QMovie(bytes, QByteArray(), this) : new QMovie(this);
            if (bytes)
                bytes->setParent(movie);
        }
        movie->setScaledSize(size);
        label->setMovie(movie);
        movie->start();
        return;
    }
    gifShown = false;
    if (movie) {
        label->setMovie(nullptr);
        delete movie;
        movie = nullptr;
    }
    IconPictures::show(label, iconPath, size);
}

void FormLaunchCommonIcon::deleteShow()
{
    deleteShown = true;
    styleButtons();
    // A lifted icon shows nothing where it stood; its badges come back with it.
    if (m_lifted)
        return;
    ui->deleteButton->show();
    ui->editButton->show();
}

void FormLaunchCommonIcon::deleteHide()
{
    deleteShown = false;
    ui->deleteButton->hide();
    ui->editButton->hide();
}

void FormLaunchCommonIcon::setNameColor(QString rgb)
{
    if (rgb == iconNameColor)
        return;
    iconNameColor = rgb;
    ui->Name->setStyleSheet(QStringLiteral("QLabel{border-radius:2px;border-top: 0px;border-bottom:0px;border-left: 0px;"
                                           "border-right: 0px;border-style: solid;border-color: rgba(0, 0, 0, 100);"
                                           "background-color: rgba(255, 255, 255, 0);color: ")
                            + rgb + QStringLiteral(";}"));
}

void FormLaunchCommonIcon::moveAnimation(int x1, int y1, int x2, int y2)
{
    auto *a = new QPropertyAnimation(this, "pos", this);
    // An icon that flew away from under a resting pointer hears of no leave.
    connect(a, &QPropertyAnimation::finished, this, [this] {
        if (!rect().contains(mapFromGlobal(QCursor::pos())))
            ui->bj->hide();
    });
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(QPoint(x1, y1));
    a->setEndValue(QPoint(x2, y2));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormLaunchCommonIcon::setLifted(bool lifted)
{
    m_lifted = lifted;
    ui->Icon->setVisible(!lifted);
    if (m_recycle)
        m_recycle->setVisible(!lifted);
    ui->Name->setVisible(!lifted && iconClass != IconClass::Temporary);
    if (lifted) {
        ui->bj->hide();
        ui->deleteButton->hide();
        ui->editButton->hide();
    } else if (deleteShown) {
        ui->deleteButton->show();
        ui->editButton->show();
    }
}

QString FormLaunchCommonIcon::geteElidedText(QFont font, QString str, int MaxWidth)
{
    const QFontMetrics fm(font);
    if (fm.horizontalAdvance(str) >= MaxWidth)
        return fm.elidedText(str, Qt::ElideRight, MaxWidth);
    return str;
}

bool FormLaunchCommonIcon::inPicture(const QPoint &p) const
{
    const QRect r = ui->Icon->geometry();
    return r.x() < p.x() && p.x() < r.x() + r.width() && r.y() < p.y() && p.y() < r.y() + r.height();
}

void FormLaunchCommonIcon::mousePressEvent(QMouseEvent *event)
{
    if (m_pointer)
        m_pointer->mouseEvent(this, event);
}

void FormLaunchCommonIcon::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pointer)
        m_pointer->mouseEvent(this, event);
}

void FormLaunchCommonIcon::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pointer)
        m_pointer->mouseEvent(this, event);
}

void FormLaunchCommonIcon::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_pointer)
        m_pointer->mouseEvent(this, event);
}

void FormLaunchCommonIcon::showMenu(const QPoint &global)
{
    QMenu menu;
    DockStyle::popupMenu(&menu);
    QAction *open = menu.addAction(tr("打开"));
    QAction *settings = menu.addAction(tr("图标设置     "));
    menu.addSeparator();
    QAction *remove = menu.addAction(tr("删除图标     "));
    // Acted on once the menu is gone: deleting the icon deletes this widget,
    // and the menu's own loop may delete it first.
    const QPointer<FormLaunchCommonIcon> self(this);
    QAction *chosen = menu.exec(global);
    if (!self)
        return;
    if (chosen == open)
        OpenIcon();
    else if (chosen == settings)
        IconSet();
    else if (chosen == remove)
        on_deleteButton_clicked();
}

void FormLaunchCommonIcon::enterEvent(QEvent *)
{
    if (!m_lifted)
        ui->bj->show();
}

void FormLaunchCommonIcon::leaveEvent(QEvent *)
{
    ui->bj->hide();
}

void FormLaunchCommonIcon::resizeEvent(QResizeEvent *)
{
    const int W = width(), H = height();
    ui->bj->resize(W, H);
    const int w = int(W / 1.6), h = int(H / 1.6);
    ui->Icon->setGeometry((W - w) / 2, (H - h) / 4, w, h);
    ui->Name->setGeometry(0, ui->Icon->y() + ui->Icon->height(), W, 35);
    ui->deleteButton->move(W - ui->deleteButton->width() - 2, 2);
    ui->editButton->move(ui->deleteButton->x(), ui->deleteButton->y() + ui->deleteButton->height() + 8);
    if (iconClass != IconClass::Temporary)
        ui->Name->setText(geteElidedText(ui->Name->font(), iconName, ui->Name->width()));
    showPicture(true);
}
