#include "dock/tools/formabout.h"

#include "common/windowdrag.h"
#include "dock/icons/productlinks.h"
#include "platform/opener.h"
#include "ui_formabout.h"

#include <QShortcut>

FormAbout::FormAbout(QWidget *parent) : QWidget(parent), ui(new Ui::FormAbout)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormAbout::on_close_clicked);
    connect(ui->web, &QPushButton::clicked, this, &FormAbout::on_web_clicked);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    ui->close->setStyleSheet(
        "QPushButton{border-image: url(:/image/menu/c00.png);background-image: url();background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:hover{border-image: url(:/image/menu/c1.png);background-image: url();background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:pressed{border-image: url(:/image/menu/c1.png);background-image: url();background-color: rgba(255, 255, 255, 0);}");
    // Opened from the settings panel with the keyboard, it closes on Esc.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &FormAbout::on_close_clicked);
    // The address line lies under the clear "web" button.
    ui->label->setText(QStringLiteral("Zorvane\n%1\n\n").arg(ProductLinks::homePage().toString()));
}

FormAbout::~FormAbout()
{
    delete ui;
}

void FormAbout::on_close_clicked()
{
    hide();
}

void FormAbout::on_web_clicked()
{
    platform::OpenerService::get().openUrl(QUrl(ProductLinks::homePage().toString(), QUrl::TolerantMode));
}
