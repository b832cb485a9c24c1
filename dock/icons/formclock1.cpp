#include "formclock1.h"
#include "ui_formclock1.h"

#include <QApplication>

FormClock1::FormClock1(QWidget *parent)
    : ClockFace(parent, QStringLiteral(":/image/icon/Clock1.png"), QStringLiteral(":/image/TNumber/")),
      ui(new Ui::FormClock1)
{
    ui->setupUi(this);
    setParts({ ui->bg, ui->text2, ui->t1, ui->t2, ui->t3, ui->t4, ui->t5 });
    timeOver();

    QPalette pal = QApplication::palette();
    pal.setBrush(QPalette::Window, Qt::NoBrush);
    pal.setBrush(QPalette::AlternateBase, Qt::NoBrush);
    pal.setBrush(QPalette::Highlight, QBrush(QColor(255, 54, 87)));
    pal.setBrush(QPalette::Text, QBrush(Qt::black));
    ui->RoundBar->setDecimals(2);
    ui->RoundBar->setRingStyle(QRoundProgressBar::Line);
    ui->RoundBar->setOutlineWidth(8);
    ui->RoundBar->setDataWidth(10);
    ui->RoundBar->setPalette(pal);

    startTicking();
}

FormClock1::~FormClock1()
{
    delete ui;
}

QRoundProgressBar *FormClock1::ring() const
{
    return ui->RoundBar;
}

void FormClock1::showSeconds(int s)
{
    ui->RoundBar->setValue(s);
}

void FormClock1::placeDigits(int w, int h)
{
    const QSize digit(w / 8, int((w / 8) * 1.6));
    ui->t1->resize(digit);
    ui->t1->move(w / 5, int(h / 2.2 - ui->t1->height() / 2));
    const int y = ui->t1->y();
    ui->t2->resize(digit);
    ui->t2->move(ui->t1->x() + ui->t1->width() + w / 36, y);
    ui->t3->resize(digit);
    ui->t3->move(ui->t2->x() + ui->t2->width() - w / 28, y);
    ui->t4->resize(digit);
    ui->t4->move(ui->t3->x() + ui->t3->width() - w / 28, y);
    ui->t5->resize(digit);
    ui->t5->move(ui->t4->x() + ui->t4->width() + w / 36, y);
}

void FormClock1::placeDate(int w, int)
{
    ui->text2->setFont(dateFont(w / 11));
    ui->text2->adjustSize();
    ui->text2->move(ui->t1->x(), ui->t1->y() + ui->t1->height() + ui->text2->height() / 5);
}

void FormClock1::resizeEvent(QResizeEvent *e)
{
    ui->RoundBar->resize(size());
    ClockFace::resizeEvent(e);
}
