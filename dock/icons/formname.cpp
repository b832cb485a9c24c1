#include "formname.h"
#include "ui_formname.h"

#include "dock/icons/iconpictures.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QRegion>

FormName::FormName(QWidget *parent) : QWidget(parent), ui(new Ui::FormName)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    // Names come from files and desktop entries: text, never HTML.
    ui->name->setTextFormat(Qt::PlainText);
    // The bubble follows every pointer move along the bar, while its name
    // changes only from icon to icon: its styled labels keep the text, sizes
    // and arrow, and what shows is one picture of them, drawn when they
    // change. Painted as widgets they would style and lay out their text on
    // each move. Drawing a hidden widget lays out its parent's layout first:
    // the frame stands at the corner by itself instead.
    delete layout();
    ui->frame->move(0, 0);
    ui->frame->hide();
}

FormName::~FormName()
{
    delete ui;
}

QLabel *FormName::nameLabel() const { return ui->name; }
QLabel *FormName::arrowLabel() const { return ui->Arrow; }

QRegion FormName::drawnRegion() const
{
    QRegion r(ui->name->geometry());
    if (!ui->Arrow->isHidden())
        r += ui->Arrow->geometry();
    return r & rect();
}

void FormName::fill(const QString &text, int pixelSize, const QSize &known)
{
    m_picture = QPixmap();
    m_key.clear();
    ui->Arrow->hide();
    ui->name->setText(tr("%1").arg(text));
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(10);
    f.setPixelSize(qMax(1, pixelSize));
    // A styled label polishes itself again on every new font.
    if (ui->name->font() != f)
        ui->name->setFont(f);
    if (known.isValid())
        ui->name->resize(known);
    else
        ui->name->adjustSize();
}

void FormName::setName(int edge, const QString &text)
{
    const QString key = QStringLiteral("%1|%2|%3").arg(edge).arg(m_fontSize).arg(text);
    const Bubble *known = m_bubbles.object(key);
    if (known) {
        fill(text, m_fontSize, known->label);
    } else {
        fill(text, m_fontSize);
        ui->name->resize(ui->name->width() + 20, ui->name->height() + 6);
    }
    m_key = key;
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
    if (known && known->picture.size() == size() * devicePixelRatioF())
        m_picture = known->picture;
    update();
}

void FormName::setMenuText(const QString &text, int maxWidth)
{
    m_bubbles.clear(); // the pill's style is not the bubble's
    fill(text, m_fontSize - 2);
    if (maxWidth > 0 && ui->name->width() > maxWidth) {
        ui->name->setText(ui->name->fontMetrics().elidedText(text, Qt::ElideRight, maxWidth));
        ui->name->adjustSize();
    }
    ui->name->setStyleSheet(QStringLiteral(
        "QLabel{border:0px;border-radius:10px;border-style: solid;border-color: rgba(0, 0, 0, 0);border-image: url();"
        "background-color: rgba(0, 0, 0, 200);color: rgb(255, 255, 255);}"));
    ui->name->resize(ui->name->width() + 26, ui->name->height() + 2);
    resize(ui->name->size());
    update();
}

QPixmap FormName::picture()
{
    const qreal dpr = devicePixelRatioF();
    if (!m_picture.isNull() && m_picture.size() == size() * dpr && m_picture.devicePixelRatio() == dpr)
        return m_picture;
    QPixmap pm(size() * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    // The labels stand in their hidden frame at the bubble's corner.
    ui->frame->ensurePolished();
    for (QLabel *label : { ui->name, ui->Arrow }) {
        if (!label->isHidden())
            label->render(&pm, label->pos(), QRegion(), QWidget::DrawChildren);
    }
    m_picture = pm;
    if (!m_key.isEmpty())
        m_bubbles.insert(m_key, new Bubble{ ui->name->size(), pm });
    return m_picture;
}

void FormName::paintEvent(QPaintEvent *)
{
    const QPixmap pm = picture();
    QPainter p(this);
    p.drawPixmap(0, 0, pm);
}

// The labels carry their own style sheets: a new parent (the bubble moves
// between the dock window and its lane with the weather scene) passes down
// its look, but the bubble looks the same, and the pictures drawn so far stay.
void FormName::reparent(QWidget *parent)
{
    m_reparenting = true;
    setParent(parent);
    m_reparenting = false;
}

void FormName::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        if (!m_reparenting) {
            m_picture = QPixmap();
            m_bubbles.clear();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}
