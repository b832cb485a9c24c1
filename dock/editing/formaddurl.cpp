#include "dock/editing/formaddurl.h"

#include "ui_formaddurl.h"
#include "dock/style/dockstyle.h"

FormAddUrl::FormAddUrl(QWidget *parent) : QWidget(parent), ui(new Ui::FormAddUrl)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    // The compact shape; the catalogue page below it opens once it has loaded.
    resize(600, 110);
    ui->frame_4->resize(size());

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    ui->closeButton->setStyleSheet(
        pictureButtonSheet(QStringLiteral(":/image/menu/c00.png"), QStringLiteral(":/image/menu/c1.png")));
    connect(ui->closeButton, &QPushButton::clicked, this, &QWidget::close);
}

FormAddUrl::~FormAddUrl()
{
    delete ui;
}

void FormAddUrl::openAddPage(QString ID)
{
    m_id = ID;
}
