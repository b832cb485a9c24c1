#include "formrecycle.h"
#include "ui_formrecycle.h"

#include "dock/icons/iconpictures.h"
#include "platform/trash.h"

#include <QDebug>
#include <QMessageBox>
#include <QTimer>

namespace {
const char *const kEmptyPicture = ":/image/icon/Recycle.png";
const char *const kFullPicture = ":/image/icon/Recycle1.png";
} // namespace

bool FormRecycle::askBeforeEmptying()
{
    // Nothing asks for us here, unlike the Windows shell: the items are
    // gone for good afterwards, so the answer defaults to No.
    return QMessageBox::question(nullptr, tr("清空回收站"),
                                 tr("确定要永久删除回收站中的所有项目吗？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

FormRecycle::FormRecycle(QWidget *parent) : QWidget(parent), ui(new Ui::FormRecycle)
{
    ui->setupUi(this);
    m_empty = QLatin1String(kEmptyPicture);
    m_full = QLatin1String(kFullPicture);
    m_current = m_empty;
    m_timer = new QTimer(this);
    m_timer->setInterval(PollInterval);
    connect(m_timer, &QTimer::timeout, this, &FormRecycle::timeOver);
    timeOver();
}

void FormRecycle::showEvent(QShowEvent *)
{
    if (m_timer->isActive())
        return;
    timeOver();
    m_timer->start();
}

void FormRecycle::hideEvent(QHideEvent *)
{
    m_timer->stop();
}

FormRecycle::~FormRecycle()
{
    delete ui;
}

QLabel *FormRecycle::picture() const
{
    return ui->Icon;
}

void FormRecycle::showCurrent()
{
    IconPictures::show(ui->Icon, m_current, size());
}

void FormRecycle::timeOver()
{
    const platform::Trash::State state = platform::TrashService::get().state();
    if (state == platform::Trash::Unreadable) {
        qDebug() << "SHQueryrecycleBin Fail";
        return;
    }
    m_current = state == platform::Trash::Empty ? m_empty : m_full;
    showCurrent();
}

void FormRecycle::setIcons(const QString &pair)
{
    qDebug() << pair;
    const QStringList parts = pair.split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() < 2) {
        m_empty = QLatin1String(kEmptyPicture);
        m_full = QLatin1String(kFullPicture);
        m_current = m_empty;
        return;
    }
    qDebug() << "大于";
    m_empty = parts.at(0);
    m_full = parts.at(1);
    timeOver();
    qDebug() << m_empty << m_full;
}

void FormRecycle::resizeEvent(QResizeEvent *)
{
    showCurrent();
}

std::function<bool()> &FormRecycle::confirmEmpty()
{
    static std::function<bool()> ask = &FormRecycle::askBeforeEmptying;
    return ask;
}

bool FormRecycle::clearRecycleBin()
{
    if (!confirmEmpty() || !confirmEmpty()())
        return false;
    const bool ok = platform::TrashService::get().emptyAll();
    qDebug() << (ok ? "回收站清理完毕！" : "回收站清理失败！");
    return ok;
}
