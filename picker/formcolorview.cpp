#include "formcolorview.h"
#include "ui_formcolorview.h"

#include "common/fonts.h"
#include "common/windowdrag.h"
#include "picker/clipboardkeeper.h"
#include "picker/colortext.h"

#include <QApplication>
#include <QClipboard>

namespace {

const char closeStyle[] =
    "QPushButton{border-image: url(:/image/c0.png);background-image: url();background-color: rgba(255, 255, 255,0%);"
    "border-radius:0px;border: 0px;border-style: solid;}"
    "QPushButton:hover{border-image: url(:/image/c1.png);background-image: url();background-color: rgba(255, 255, 255,0%);"
    "border-radius:0px;border: 0px;border-style: solid;}"
    "QPushButton:pressed{border-image: url(:/image/c1.png);background-image: url();background-color: rgba(255, 255, 255,0%);"
    "border-radius:0px;border: 0px;border-style: solid;}";

const char buttonStyle[] =
    "QPushButton{border-image: url();background-color: #5F616E;border:0px;border-radius:2px;border-left:0px;"
    "border-right:0px;border-style: solid;border-color:#312E4D;font-weight: bold;color: #FFFFFF;font: 11pt 微软雅黑;}"
    "QPushButton:hover{border-image: url();background-color: #5294E2;border:0px;border-radius:2px;border-left:0px;"
    "border-right: 0px;border-style: solid;border-color:#312E4D;font-weight: bold;color: #FFFFFF;font: 11pt 微软雅黑;}"
    "QPushButton:pressed{border-image: url();background-color:#5294E2;border:0px;border-radius:2px;border-left:0px;"
    "border-right: 0px;border-style: solid;border-color:#312E4D;font-weight: bold;color: #FFFFFF;font: 11pt 微软雅黑;}";

} // namespace

FormColorView::FormColorView(QWidget *parent) : QWidget(parent), ui(new Ui::FormColorView)
{
    ui->setupUi(this);
    connect(ui->copyButton, &QPushButton::clicked, this, &FormColorView::on_copyButton_clicked);
    connect(ui->colorButton, &QPushButton::clicked, this, &FormColorView::on_colorButton_clicked);
    connect(ui->close, &QPushButton::clicked, this, &FormColorView::on_close_clicked);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    ui->close->setStyleSheet(QString::fromUtf8(closeStyle));
    ui->copyButton->setStyleSheet(QString::fromUtf8(buttonStyle));
    ui->colorButton->setStyleSheet(QString::fromUtf8(buttonStyle));
    // The fields' sheet names no font; the desktop's default is too wide for
    // seven characters in 62 pixels.
    for (QLineEdit *field : { ui->redEdit, ui->greenEdit, ui->blueEdit, ui->hexEdit })
        field->setFont(Fonts::yaHei(12));
}

FormColorView::~FormColorView()
{
    delete ui;
}

void FormColorView::showOn(const QRect &screen)
{
    if (!placed && screen.isValid()) {
        QRect r = rect();
        r.moveCenter(screen.center());
        move(r.topLeft());
        placed = true;
    }
    show();
}

void FormColorView::setColor(const QColor &c)
{
    const QString text = colorText(c);
    ui->redEdit->setText(QString::number(c.red()));
    ui->greenEdit->setText(QString::number(c.green()));
    ui->blueEdit->setText(QString::number(c.blue()));
    ui->hexEdit->setText(text);
    ui->colorView->setStyleSheet(
        QStringLiteral("QLabel{border-radius:2px;border-top: 1px;border-bottom:1px;border-left: 1px;border-right: 1px;"
                       "border-style: solid;border-color: rgba(255, 255, 255, 200);background-color:")
        + text + QStringLiteral(";}"));
}

void FormColorView::on_copyButton_clicked()
{
    QApplication::clipboard()->setText(ui->hexEdit->text());
    ui->tishi->setText(QStringLiteral("已经复制到剪贴板！"));
}

void FormColorView::on_colorButton_clicked()
{
    emit ColorPicking();
    ui->tishi->clear();
}

void FormColorView::on_close_clicked()
{
    close();
    endKeepingClipboard(0);
}
