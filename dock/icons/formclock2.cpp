#include "formclock2.h"
#include "ui_formclock2.h"

FormClock2::FormClock2(QWidget *parent)
    : ClockFace(parent, QStringLiteral(":/image/icon/Clock2.png"), QStringLiteral(":/image/LCDNumber/")),
      ui(new Ui::FormClock2)
{
    ui->setupUi(this);
    setParts({ ui->bg, ui->text2, ui->t1, ui->t2, ui->t3, ui->t4, ui->t5 });
    timeOver();
    startTicking();
}

FormClock2::~FormClock2()
{
    delete ui;
}

void FormClock2::placeDigits(int w, int h)
{
    const QSize digit(int(w / 5.8), int((w / 5) * 1.6));
    ui->t1->resize(digit);
    ui->t1->move(w / 7, int(h / 2.6 - ui->t1->height() / 2));
    const int y = ui->t1->y();
    ui->t2->resize(digit);
    ui->t2->move(ui->t1->x() + ui->t1->width() + w / 36, y);
    ui->t3->resize(digit);
    ui->t3->move(ui->t2->x() + ui->t2->width() - w / 28, y);
    const QSize small(int(ui->t1->width() / 1.2), int(ui->t1->height() / 1.2));
    ui->t4->resize(small);
    ui->t4->move(ui->t3->x() + ui->t3->width() - w / 28, y + ui->t1->height() - small.height());
    ui->t5->resize(small);
    ui->t5->move(ui->t4->x() + ui->t4->width() + w / 36, ui->t4->y());
}

void FormClock2::placeDate(int w, int h)
{
    ui->text2->setFont(dateFont(w / 7));
    ui->text2->adjustSize();
    ui->text2->move(w / 16, h - ui->text2->height() - w / 16);
}
