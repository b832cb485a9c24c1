#include "formdetection.h"
#include "ui_formdetection.h"

FormDetection::FormDetection(QWidget *parent) : QWidget(parent), ui(new Ui::FormDetection)
{
    ui->setupUi(this);
    // Touched or clicked, it brings the bar back; the keyboard stays where it is.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MouseTracking);
    ui->frame->setAttribute(Qt::WA_MouseTracking);
}

FormDetection::~FormDetection()
{
    delete ui;
}

void FormDetection::resizeEvent(QResizeEvent *)
{
    ui->frame->setGeometry(rect());
}
