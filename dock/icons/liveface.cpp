#include "liveface.h"

#include "common/logging.h"
#include "dock/icons/iconpictures.h"
#include "weatherstate.h"
#include "platform/trash.h"

#include <QMessageBox>
#include <QPainter>
#include <QTimer>

// ---------------------------------------------------------------- recycle bin

namespace {
const char *const kEmptyPicture = ":/image/icon/Recycle.png";
const char *const kFullPicture = ":/image/icon/Recycle1.png";
} // namespace

RecycleFace::RecycleFace(const QString &pair, QObject *parent)
    : ComposedFace(parent), m_timer(new QTimer(this)), m_current(QLatin1String(kEmptyPicture)),
      m_empty(QLatin1String(kEmptyPicture)), m_full(QLatin1String(kFullPicture))
{
    m_timer->setInterval(PollInterval);
    connect(m_timer, &QTimer::timeout, this, &RecycleFace::poll);
    poll();
    if (!pair.isEmpty())
        setPicture(pair);
}

void RecycleFace::show(const QString &picture)
{
    if (picture == m_current)
        return;
    m_current = picture;
    contentChanged();
}

void RecycleFace::poll()
{
    const platform::Trash::State state = platform::TrashService::get().state();
    if (state == platform::Trash::Unreadable) {
        qCDebug(lcBar) << "SHQueryrecycleBin Fail";
        return;
    }
    show(state == platform::Trash::Empty ? m_empty : m_full);
}

void RecycleFace::setActive(bool on)
{
    if (on == m_timer->isActive())
        return;
    if (on) {
        poll(); // what changed while hidden
        m_timer->start();
    } else {
        m_timer->stop();
    }
}

void RecycleFace::setPicture(const QString &pair)
{
    qCDebug(lcBar) << pair;
    const QStringList parts = pair.split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() < 2) {
        m_empty = QLatin1String(kEmptyPicture);
        m_full = QLatin1String(kFullPicture);
        show(m_empty);
        return;
    }
    qCDebug(lcBar) << "大于";
    m_empty = parts.at(0);
    m_full = parts.at(1);
    // Whichever of the two was shown, it may be another file now.
    contentChanged();
    poll();
    qCDebug(lcBar) << m_empty << m_full;
}

void RecycleFace::render(QPainter &p, const QSize &size)
{
    p.drawPixmap(0, 0, IconPictures::scaled(m_current, size));
}

bool RecycleFace::askBeforeEmptying()
{
    // Nothing asks for us here, unlike the Windows shell: the items are
    // gone for good afterwards, so the answer defaults to No.
    return QMessageBox::question(nullptr, tr("清空回收站"), tr("确定要永久删除回收站中的所有项目吗？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

std::function<bool()> &RecycleFace::confirmEmpty()
{
    static std::function<bool()> ask = &RecycleFace::askBeforeEmptying;
    return ask;
}

bool RecycleFace::clearRecycleBin()
{
    if (!confirmEmpty() || !confirmEmpty()())
        return false;
    const bool ok = platform::TrashService::get().emptyAll();
    qCDebug(lcBar) << (ok ? "回收站清理完毕！" : "回收站清理失败！");
    return ok;
}

// ---------------------------------------------------------------- drive

DiskFace::DiskFace(QObject *parent) : ComposedFace(parent) {}

QString DiskFace::faceText(const QString &drive)
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

void DiskFace::setDrive(const QString &drive)
{
    const QString d = drive == QLatin1String("0") ? QString() : drive;
    if (d == m_drive)
        return;
    m_drive = d;
    contentChanged();
}

QFont DiskFace::textFont(const QSize &size) const
{
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
    f.setPixelSize(qMax(1, size.width() / 3));
    return f;
}

QRect DiskFace::textRect(const QSize &size) const
{
    const QSize text = textSize(textFont(size), tr("%1").arg(shownText()));
    return QRect(QPoint((size.width() - text.width()) / 2, size.height() / 6), text);
}

void DiskFace::render(QPainter &p, const QSize &size)
{
    p.drawPixmap(0, 0, IconPictures::scaled(picture(), size));
    const QString text = shownText();
    if (text.isEmpty())
        return;
    p.setFont(textFont(size));
    p.setPen(Qt::white);
    p.drawText(textRect(size), Qt::AlignCenter, tr("%1").arg(text));
}

// ---------------------------------------------------------------- weather

WeatherFace::WeatherFace(const QString &picture, QObject *parent)
    : ComposedFace(parent), m_background(QStringLiteral(":/image/icon/White.png"))
{
    setWeather(QString(), QString(), QString(), QStringLiteral("32"));
    if (!picture.isEmpty())
        setPicture(picture);
}

int WeatherFace::pictureNumber(int code)
{
    return WeatherState::pictureNumber(code);
}

QString WeatherFace::statePicture(const QString &state)
{
    return WeatherState::picture(state);
}

QString WeatherFace::temperatureText() const
{
    // Without a reading the face shows only the no-data picture.
    if (m_temperature.isEmpty() || m_temperature == QLatin1String("/"))
        return QString();
    return tr("%1°").arg(m_temperature);
}

void WeatherFace::setWeather(const QString &, const QString &, const QString &temNow, const QString &state)
{
    const QString picture = statePicture(state);
    if (temNow == m_temperature && picture == m_statePicture)
        return;
    m_temperature = temNow;
    m_statePicture = picture;
    contentChanged();
}

void WeatherFace::setPicture(const QString &path)
{
    const QString background =
        path == QLatin1String(":/image/icon/Weather.png") ? QStringLiteral(":/image/icon/White.png") : path;
    if (background == m_background)
        return;
    m_background = background;
    contentChanged();
}

QRect WeatherFace::stateRect(const QSize &size) const
{
    const int w = size.width();
    const int h = size.height();
    const QSize picture(w - w / 3, h - h / 3);
    return QRect(QPoint(w - picture.width() - 2, 0), picture);
}

QFont WeatherFace::textFont(const QSize &size) const
{
    return yaHei(size.width() / 3, 60);
}

QRect WeatherFace::textRect(const QSize &size) const
{
    const QSize text = textSize(textFont(size), temperatureText());
    return QRect(QPoint(size.width() / 8, size.height() - text.height()), text);
}

void WeatherFace::render(QPainter &p, const QSize &size)
{
    p.drawPixmap(0, 0, IconPictures::scaled(m_background, size));
    const QRect state = stateRect(size);
    p.drawPixmap(state.topLeft(), IconPictures::scaled(m_statePicture, state.size()));
    const QString text = temperatureText();
    if (text.isEmpty())
        return;
    p.setFont(textFont(size));
    p.setPen(Qt::white);
    p.drawText(textRect(size), Qt::AlignCenter, text);
}
