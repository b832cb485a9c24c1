#include "dock/widgets/formdesktopwidget.h"

#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/settings/docksettings.h"
#include "platform/processes.h"
#include "ui_formdesktopwidget.h"
#include "dock/style/dockstyle.h"

namespace {
const char *const NotesProgram = "Mirelka";
} // namespace

FormDesktopWidget::FormDesktopWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormDesktopWidget)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormDesktopWidget::on_close_clicked);
    connect(ui->TimeSwitch, &QCheckBox::clicked, this, &FormDesktopWidget::on_TimeSwitch_clicked);
    connect(ui->Timelocking, &QCheckBox::clicked, this, &FormDesktopWidget::on_Timelocking_clicked);
    connect(ui->NotesSwitch, &QCheckBox::clicked, this, &FormDesktopWidget::on_NotesSwitch_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);

    QFont title("Microsoft YaHei", 10, 10, false);
    title.setPixelSize(18);
    ui->label_6->setFont(title);
    QFont names("Microsoft YaHei", 10, 10, false);
    names.setPixelSize(16);
    ui->name->setFont(names);
    ui->name_2->setFont(names);

    ui->close->setStyleSheet(closeButtonSheet());
    ui->Timelocking->setStyleSheet(QStringLiteral(
        "QCheckBox{color: rgb(255, 255, 255);spacing: 5px;}"
        "QCheckBox::indicator{width: 20px;height: 20px;}"
        "QCheckBox::indicator:unchecked{image: url(:/image/menu/s1.png);}"
        "QCheckBox::indicator:checked{image: url(:/image/menu/s2.png);}"));
    setStyleSheet(QStringLiteral(
        "QCheckBox::indicator{width: 32px;height: 32px;}"
        "QCheckBox::indicator:unchecked{image: url(:/image/menu/chenck.png);}"
        "QCheckBox::indicator:checked{image: url(:/image/menu/chenck1.png);}"
        "QScrollBar:vertical{width: 10px;background: transparent;}"
        "QScrollBar::groove:vertical, QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical"
        "{background: transparent;}"
        "QScrollBar::handle:vertical{background: #5B5E63;border-radius: 4px;min-height: 20px;}"
        "QScrollBar::handle:vertical:hover{background: #5294E2;}"));
}

FormDesktopWidget::~FormDesktopWidget()
{
    delete ui;
}

void FormDesktopWidget::on_close_clicked()
{
    hide();
    SaveSettings();
}

void FormDesktopWidget::on_TimeSwitch_clicked(bool checked)
{
    emit DesktopTimeShow(checked);
    ui->Timelocking->setEnabled(checked);
    ui->TimeSwitch->setText(checked ? tr("开") : tr("关"));
}

void FormDesktopWidget::on_Timelocking_clicked(bool checked)
{
    emit DesktopTimelocking(checked);
    ui->Timelocking->setText(checked ? tr("锁定") : tr("未锁"));
}

void FormDesktopWidget::on_NotesSwitch_clicked(bool checked)
{
    platform::Processes &processes = platform::ProcessesService::get();
    if (checked) {
        ui->NotesSwitch->setText(tr("开"));
        qCDebug(lcDesktop) << "开启";
        // A second copy of the notes program ends by itself.
        processes.startOwnProgram(NotesProgram);
    } else {
        ui->NotesSwitch->setText(tr("关"));
        if (processes.isRunning(NotesProgram)) {
            processes.killByName(NotesProgram);
            qCDebug(lcDesktop) << "关闭";
        }
    }
}

void FormDesktopWidget::ReadSettings()
{
    bool locking = false;
    bool timeOn = false;
    bool notesOn = false;
    bool hasTime = false;
    bool hasNote = false;
    {
        const DockSettings &settings = *DockSettings::instance();
        // A key counts only when it holds some text.
        hasTime = settings.hasText(DockSettings::Key::desktopTimeSwitch);
        locking = settings.desktopTimeLocking();
        timeOn = settings.desktopTimeSwitch();
        hasNote = settings.hasText(DockSettings::Key::desktopNote);
        notesOn = settings.desktopNote();
    }

    if (hasTime) {
        // Lock first, so a clock that comes up locked is never movable.
        if (locking) {
            ui->Timelocking->setChecked(true);
            on_Timelocking_clicked(true);
        }
        ui->TimeSwitch->setChecked(timeOn);
        on_TimeSwitch_clicked(timeOn);
    } else {
        on_TimeSwitch_clicked(false);
    }

    if (hasNote) {
        ui->NotesSwitch->setChecked(notesOn);
        on_NotesSwitch_clicked(notesOn);
    } else {
        on_NotesSwitch_clicked(false);
    }
}

void FormDesktopWidget::SaveSettings()
{
    DockSettings &settings = *DockSettings::instance();
    settings.setDesktopTimeSwitch(ui->TimeSwitch->isChecked());
    settings.setDesktopTimeLocking(ui->Timelocking->isChecked());
    settings.setDesktopNote(ui->NotesSwitch->isChecked());
    settings.save();
}

void FormDesktopWidget::ReceiveSystemMessage(QString object, QString content)
{
    if (object == "Mirelka" && content == "MirelkaClose") {
        ui->NotesSwitch->setChecked(false);
        on_NotesSwitch_clicked(false);
    }
    SaveSettings();
}
