#include "formtimingflash.h"
#include "ui_formtimingflash.h"

#include <QApplication>

FormTimingFlash::FormTimingFlash(QWidget *parent) : QWidget(parent), ui(new Ui::FormTimingFlash)
{
    ui->setupUi(this);
    // The ring sits under the pointer: it must neither take the pointer from
    // the icon being held nor the focus from the dock.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);

    QPalette pal = QApplication::palette();
    pal.setBrush(QPalette::Window, Qt::NoBrush);
    pal.setBrush(QPalette::AlternateBase, Qt::NoBrush);
    pal.setBrush(QPalette::Highlight, QBrush(QColor(0, 140, 255)));
    pal.setBrush(QPalette::Text, QBrush(Qt::black));
    ui->RoundBar->setDecimals(2);
    ui->RoundBar->setRingStyle(QRoundProgressBar::Line);
    ui->RoundBar->setOutlineWidth(5);
    ui->RoundBar->setDataWidth(5);
    ui->RoundBar->setPalette(pal);
}

FormTimingFlash::~FormTimingFlash()
{
    delete ui;
}

void FormTimingFlash::setRange(int min, int max)
{
    m_min = min;
    m_max = max;
    ui->RoundBar->setRange(min, max);
    ui->RoundBar->setValue(0);
}

void FormTimingFlash::setValue(int value)
{
    ui->RoundBar->setValue(value);
}

QRoundProgressBar *FormTimingFlash::ring() const
{
    return ui->RoundBar;
}
