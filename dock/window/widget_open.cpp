#include "widget_p.h"

// ---- opening --------------------------------------------------------------

void Widget::IconOpen(QString ID)
{
    const int r = DockFile::findRow(ui->IcoData, 0, ID);
    if (r < 0)
        return;
    qDebug() << "open" << ID << DockFile::rowOf(ui->IcoData, r).Class;
}

void Widget::IconOpens(QString cl) { qDebug() << "open tool" << cl; }

void Widget::upDate()
{
    m_upload->checkUpdate();
    m_upload->show();
}

void Widget::showAbout() { m_about->show(); }

void Widget::showSet()
{
    popupOpen = true;
    m_settingsPanel->readSettings();
    m_settingsPanel->showNormal();
    m_settingsPanel->show();
    m_settingsPanel->activateWindow();
}

void Widget::openKelvash()
{
    const QRect r = screenRect();
    m_vesk->setWindowRect(r.x(), r.y(), r.width(), r.height());
    m_vesk->toggle();
}

void Widget::openColorPicker()
{
    auto &p = platform::ProcessesService::get();
    p.killByName(QStringLiteral("Tandrel"));
    p.startOwnProgram(QStringLiteral("Tandrel"));
}

void Widget::openScreenshot()
{
    auto &p = platform::ProcessesService::get();
    p.killByName(QStringLiteral("Ostiva.exe"));
    p.startOutsideProgram(QStringLiteral("Ostiva.exe"));
}

void Widget::showLaunchStarter()
{
    m_launchPad->toggleShow();
}

void Widget::LaunchPadClose() {}

void Widget::hideStartMenu()
{
    m_startMenu->hideMenu();
}
