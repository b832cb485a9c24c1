#include "formdetection.h"
#include "ui_formdetection.h"

FormDetection::FormDetection(QWidget *parent) : QWidget(parent), ui(new Ui::FormDetection)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

FormDetection::~FormDetection()
{
    delete ui;
}
