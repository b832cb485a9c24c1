#include "dock/tools/formvesk.h"

#include "ui_formvesk.h"

#include <QShortcut>

FormVesk::FormVesk(QWidget *parent) : QWidget(parent), ui(new Ui::FormVesk)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    shown = false;
    ui->frame->raise();

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(18);
    ui->lineEdit->setFont(font);
    ui->pushButton->setFont(font);

    auto *esc = new QShortcut(QKeySequence("Esc"), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &FormVesk::winOut);
}

FormVesk::~FormVesk()
{
    delete ui;
}

void FormVesk::setWindowRect(int x, int y, int w, int h)
{
    if (pos() == QPoint(x, y) && size() == QSize(w, h))
        return;
    resize(w, h);
    move(x, y);
    ui->pushButton_2->resize(size());
}

void FormVesk::toggle()
{
    if (shown)
        winOut();
    else
        winIn();
}

void FormVesk::winIn()
{
    show();
    ui->frame->move(width() / 2 - ui->frame->width() / 2,
                    height() / 2 - ui->frame->height() / 2 - 10);
    shown = true;
    activateWindow();
    ui->lineEdit->setFocus();
}

void FormVesk::winOut()
{
    ShowOut();
}

void FormVesk::ShowOut()
{
    hide();
    shown = false;
}

void FormVesk::on_pushButton_2_clicked()
{
    winOut();
}
