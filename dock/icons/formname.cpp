#include "formname.h"
#include "ui_formname.h"

#include "dock/icons/iconpictures.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

FormName::FormName(QWidget *parent) : QWidget(parent), ui(new Ui::FormName)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->name->installEventFilter(this);
}

// The bubble moves with every pointer move while its name stays: its styled
// label is drawn once into a picture, and each move only copies that.
bool FormName::eventFilter(QObject *o, QEvent *e)
{
    if (o != ui->name)
        return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
        m_label = QPixmap();
        break;
    case QEvent::Paint: {
        if (m_rendering)
            break;
        QLabel *label = ui->name;
        const qreal dpr = label->devicePixelRatioF();
        if (m_label.isNull() || m_labelText != label->text()) {
            QPixmap pm(label->size() * dpr);
            pm.setDevicePixelRatio(dpr);
            pm.fill(Qt::transparent);
            m_rendering = true;
            label->render(&pm, QPoint(), QRegion(), QWidget::DrawChildren);
            m_rendering = false;
            m_label = pm;
            m_labelText = label->text();
        }
        // The picture holds the label's styled background as well: it
        // replaces what was drawn beneath rather than going over it.
        QPainter p(label);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawPixmap(0, 0, m_label);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

FormName::~FormName()
{
    delete ui;
}

QLabel *FormName::nameLabel() const { return ui->name; }
QLabel *FormName::arrowLabel() const { return ui->Arrow; }

void FormName::fill(const QString &text, int pixelSize)
{
    ui->Arrow->hide();
    ui->name->setText(tr("%1").arg(text));
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(10);
    f.setPixelSize(qMax(1, pixelSize));
    ui->name->setFont(f);
    ui->name->adjustSize();
}

void FormName::setName(int edge, const QString &text)
{
    fill(text, m_fontSize);
    ui->name->resize(ui->name->width() + 20, ui->name->height() + 6);
    const int w = ui->name->width();
    const int h = ui->name->height();
    switch (edge) {
    case 0:
        resize(w, h + 8);
        ui->name->move(0, 8);
        ui->Arrow->move((width() - ui->Arrow->width()) / 2, 0);
        IconPictures::show(ui->Arrow, QStringLiteral(":/image/menu/UpArrow.png"), ui->Arrow->size());
        ui->Arrow->show();
        break;
    case 1:
    case 3:
        resize(w, h);
        ui->name->move(0, 0);
        break;
    case 2:
        resize(w, h + 8);
        ui->name->move(0, 0);
        ui->Arrow->move((width() - ui->Arrow->width()) / 2, h);
        IconPictures::show(ui->Arrow, QStringLiteral(":/image/menu/DownArrow.png"), ui->Arrow->size());
        ui->Arrow->show();
        break;
    default:
        break;
    }
}

void FormName::setMenuText(const QString &text)
{
    fill(text, m_fontSize - 2);
    ui->name->setStyleSheet(QStringLiteral(
        "QLabel{border:0px;border-radius:10px;border-style: solid;border-color: rgba(0, 0, 0, 0);border-image: url();"
        "background-color: rgba(0, 0, 0, 200);color: rgb(255, 255, 255);}"));
    ui->name->resize(ui->name->width() + 26, ui->name->height() + 2);
    resize(ui->name->size());
}
