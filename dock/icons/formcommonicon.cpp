#include "formcommonicon.h"
#include "ui_formcommonicon.h"

#include <QLabel>
#include <QPixmap>

FormCommonIcon::FormCommonIcon(QWidget *parent) : QWidget(parent), ui(new Ui::FormCommonIcon)
{
    ui->setupUi(this);
    setMouseTracking(true);
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
}

FormCommonIcon::~FormCommonIcon()
{
    delete ui;
}

void FormCommonIcon::setIcon(const QString &id, int magnified, int normal, int, int, int edge,
                             const QString &name, const QString &icon, const QString &cl)
{
    m_id = id;
    m_name = name;
    m_iconPath = icon;
    m_class = cl;
    m_edge = edge;
    setIconSize(magnified, normal);
}

void FormCommonIcon::setIconSize(int magnified, int normal)
{
    m_magnified = m_magnifiedBase = magnified;
    m_normal = m_normalBase = normal;
    if (m_class != QLatin1String("BLANK")) {
        resize(normal, normal);
        return;
    }
    m_magnified = normal;
    m_normal = normal / 2.5f;
    if (horizontal())
        resize(int(normal / 2.5f), normal);
    else if (m_edge == 1 || m_edge == 3)
        resize(normal, int(normal / 2.5f));
}

void FormCommonIcon::setSize(float s)
{
    if (frozen)
        return;
    if (m_class != QLatin1String("BLANK"))
        resize(int(s), int(s));
    else if (horizontal())
        resize(int(m_normal), int(s));
    else if (m_edge == 1 || m_edge == 3)
        resize(int(s), int(m_normal));
    emit IconWidth(m_id, width());
}

void FormCommonIcon::mouseIn() {}

void FormCommonIcon::restoreSize()
{
    setSize(m_normal);
}

void FormCommonIcon::resizeEvent(QResizeEvent *)
{
    m_picture->setGeometry(rect());
    const QPixmap pm(m_iconPath);
    if (!pm.isNull() && width() > 0 && height() > 0)
        m_picture->setPixmap(pm.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
