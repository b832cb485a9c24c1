#include "widget.h"
#include "ui_widget.h"

#include "common/logging.h"
#include "picker/colortext.h"
#include "picker/formcolorview.h"
#include "picker/loupe.h"
#include "picker/programend.h"
#include "picker/screengrab.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Widget"));
    resize(400, 300);
    setWindowTitle(QStringLiteral("Tandrel"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);

    colorViewPanel = new FormColorView;
    connect(colorViewPanel, &FormColorView::ColorPicking, this, &Widget::ColorPicking);
    colorViewPanel->hide();

    colorLabel = new QLabel(this);
    colorLabel->setObjectName(QStringLiteral("colorLabel"));
    colorLabel->setAlignment(Qt::AlignCenter);
    colorLabel->resize(68, 21);
    colorLabel->setStyleSheet(QStringLiteral(
        "QLabel{background-color: rgba(0, 0, 0,210);color: rgb(255, 255, 255);border-radius:3px;border-top: 0px;"
        "border-bottom:0px;border-left: 0px;border-right: 0px;border-style: solid;"
        "border-color: rgba(255,255,255,200);font: 10pt '微软雅黑';}"));

    ringPicture = QPixmap(QStringLiteral(":/image/magnifier.png"));
    markerPicture = QPixmap(QStringLiteral(":/image/center_rect.png"));

    grabScreen();
}

Widget::~Widget()
{
    delete colorViewPanel;
    delete ui;
}

void Widget::grabScreen()
{
    // Taken while the grabber is hidden, so the picture holds the real desktop.
    desktopMap = DesktopMap::current();
    QScreen *primary = QGuiApplication::primaryScreen();
    pictureOrigin = primary ? primary->virtualGeometry().topLeft() : QPoint();
    screenPixmap = ScreenGrabService::get().grabDesktop();
    qCDebug(lcPicker) << "desktop picture height" << screenPixmap.height();
    if (screenPixmap.isNull()) {
        qCWarning(lcPicker) << "the desktop could not be grabbed";
        cancel();
        return;
    }
    // One picture pixel per device pixel of the grabber.
    screenPixmap.setDevicePixelRatio(desktopMap.ratioAt(pictureOrigin));
    screenImage = screenPixmap.toImage();

    resize(desktopMap.coverFor(screenPixmap.size(), pictureOrigin));
    move(pictureOrigin);
    const QPoint global = QCursor::pos();
    follow(global, global - pictureOrigin);
    show();
    raise();
    activateWindow();
    takeKeyboard();
}

void Widget::ColorPicking()
{
    grabScreen();
}

QPixmap Widget::roundMask(const QPixmap &picture, int radius)
{
    if (picture.isNull())
        return QPixmap();
    // The mask is painted in the picture's own pixels.
    const qreal r = radius * picture.devicePixelRatioF();
    QBitmap mask(picture.size());
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(mask.rect(), Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(mask.rect()), r, r);
    painter.end();
    QPixmap result = picture;
    result.setMask(mask);
    return result;
}

void Widget::follow(const QPointF &global, const QPoint &local)
{
    const QRect before = loupeArea();
    pointer = local;
    pixel = desktopMap.pixelAt(global) - pictureOrigin;
    pickColor = screenImage.valid(pixel) ? screenImage.pixelColor(pixel) : QColor();
    colorLabel->setText(colorText(pickColor));
    colorLabel->move(Loupe::at(pointer, pixel, screenImage.size(), colorLabel->width()).label);
    update(before | loupeArea());
}

QRect Widget::loupeArea() const
{
    const Loupe l = Loupe::at(pointer, pixel, screenImage.size(), colorLabel->width());
    return l.ring | l.lens | l.marker;
}

void Widget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, screenPixmap);

    const Loupe l = Loupe::at(pointer, pixel, screenImage.size(), colorLabel->width());
    if (!l.source.isEmpty()) {
        // Scaled without smoothing, so every picture pixel stays a sharp block,
        // also on screens with more than one device pixel per unit.
        const qreal dpr = devicePixelRatioF();
        QPixmap lens = QPixmap::fromImage(screenImage.copy(l.source).scaled(
            l.lens.size() * dpr, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        lens.setDevicePixelRatio(dpr);
        painter.drawPixmap(l.lens.topLeft(), roundMask(lens, l.lens.width() / 2));
    }
    painter.drawPixmap(l.ring, ringPicture);
    painter.drawPixmap(l.marker, markerPicture);
}

void Widget::mousePressEvent(QMouseEvent *)
{
}

void Widget::mouseMoveEvent(QMouseEvent *event)
{
    follow(event->screenPos(), event->pos());
    // A keyboard held by someone else at the start (the hot key that started
    // us, still pressed) is free again a moment later.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        takeKeyboard();
}

void Widget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        // The colour under the release itself, even when no move came before it.
        follow(event->screenPos(), event->pos());
        if (!pickColor.isValid())
            return;
        colorViewPanel->setColor(pickColor);
        const QScreen *screen = QGuiApplication::screenAt(event->globalPos());
        colorViewPanel->showOn(screen ? screen->geometry() : QRect());
        endGrab();
    } else if (event->button() == Qt::RightButton) {
        cancel();
    }
}

void Widget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        cancel();
    else
        QWidget::keyPressEvent(event);
}

void Widget::takeKeyboard()
{
    if (keyboardHeld || !isVisible())
        return;
    // The grabber bypasses the window manager, which would otherwise give it
    // the focus; without the grab Esc would go to whatever had the focus.
    grabKeyboard();
    keyboardHeld = windowHandle() && windowHandle()->setKeyboardGrabEnabled(true);
}

void Widget::endGrab()
{
    releaseKeyboard();
    keyboardHeld = false;
    hide();
    close();
}

void Widget::cancel()
{
    const bool viewShown = colorViewPanel->isVisible();
    endGrab();
    // Nothing is left to show when the first pick is cancelled.
    if (!viewShown)
        ProgramEndService::get().end(0);
}
