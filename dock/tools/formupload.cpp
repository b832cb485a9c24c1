#include "dock/tools/formupload.h"

#include "common/boundeddownload.h"
#include "common/logging.h"
#include "common/plaintext.h"
#include "common/windowdrag.h"

#include "dock/icons/productlinks.h"
#include "dock/tools/installerfile.h"
#include "dock/tools/updateanswer.h"
#include "dock/style/dockstyle.h"
#include "platform/opener.h"
#include "ui_formupload.h"

#include <QCloseEvent>
#include <QNetworkRequest>
#include <QPropertyAnimation>
#include <QStandardPaths>
#include <QScrollBar>
#include <QTimer>

namespace {

QString statusHtml(const QString &heading, const QString &line = QString())
{
    QString html = QStringLiteral("<html><head/><body><p align=\"center\"><span style=\" font-size:16pt;\">%1</span></p>")
                       .arg(heading.toHtmlEscaped());
    // Either may hold what a server said.
    if (!line.isEmpty())
        html += QStringLiteral("<p align=\"center\">%1</p>").arg(line.toHtmlEscaped());
    return html + QStringLiteral("</body></html>");
}

QString upToDateText()
{
    return statusHtml(QStringLiteral("已是最新版本"), QStringLiteral("您已安装了新版Zorvane，无需升级。"));
}

// What the user reads of a transfer that did not end well.
QString transferProblem(const BoundedDownload *d)
{
    switch (d->failure()) {
    case BoundedDownload::Failure::None:
        return QString();
    case BoundedDownload::Failure::TimedOut:
        return QStringLiteral("连接超时");
    case BoundedDownload::Failure::TooLarge:
        return QStringLiteral("文件过大");
    case BoundedDownload::Failure::Garbled:
        return QStringLiteral("数据已损坏");
    case BoundedDownload::Failure::Refused:
        return QStringLiteral("下载地址无效");
    case BoundedDownload::Failure::Network:
        break;
    }
    const int status = d->httpStatus();
    if (status != 0 && (status < 200 || status > 299))
        return QStringLiteral("服务器返回 %1").arg(status);
    return d->networkError();
}

QNetworkRequest requestFor(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

const QString buttonSheet = QStringLiteral(
    "QPushButton{background-color:#13B7F5;border:0px;border-radius:3px;color: #FFFFFF;}"
    "QPushButton:hover{background-color:#4DD2FF;border:0px;border-radius:3px;color: #FFFFFF;}"
    "QPushButton:pressed{background-color:#4DD2FF;border:0px;border-radius:3px;color: #FFFFFF;}");

const QString scrollBarSheet = QStringLiteral(
    "QScrollBar:vertical{width:10px;background:transparent;margin:0px;border:0px;}"
    "QScrollBar::handle:vertical{background:#414857;border-radius:5px;min-height:20px;}"
    "QScrollBar::handle:vertical:hover{background:#5294E2;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}");

} // namespace

FormUpload::FormUpload(QWidget *parent) : QWidget(parent), ui(new Ui::FormUpload)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &FormUpload::on_closeButton_clicked);
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &FormUpload::on_pushButtonClose_clicked);
    connect(ui->pushButtonStar, &QPushButton::clicked, this, &FormUpload::on_pushButtonStar_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    version = 1809;
    updatePage = ProductLinks::updatePage();
    // Not the shared temporary folder: another user can foresee names there.
    // Nor the runtime folder, which lives in memory and is often small.
    downloadFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);

    rocketHome = ui->label_5->pos();
    ui->frame_3->hide();
    ui->frame_8->hide();
    // Nothing has been checked yet: the first page says so rather than
    // claiming the version is the latest.
    showStatus(statusHtml(QStringLiteral("尚未检查更新")));

    QFont text(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    text.setPixelSize(15);
    ui->label_2->setFont(text);
    ui->label_3->setFont(text);
    QFont buttons(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    buttons.setPixelSize(18);
    for (QPushButton *b : { ui->pushButtonClose, ui->pushButtonStar }) {
        b->setFont(buttons);
        b->setStyleSheet(buttonSheet);
    }
    ui->closeButton->setStyleSheet(closeButtonSheet());
    ui->progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar{background-color: rgb(68, 69, 73);border:0px;border-radius:3px;}"
        "QProgressBar::chunk{background-color: #FFFFFF;border-radius:3px;}"));
    // On the one scroll bar, not the window: a window-wide sheet polishes
    // every child again.
    ui->textBrowser->verticalScrollBar()->setStyleSheet(scrollBarSheet);
    // The release notes are rich text from the network: they keep their
    // look, but a picture or style sheet they name is never loaded.
    ui->textBrowser->setDocument(new SealedDocument(ui->textBrowser));
    // What the download says may hold the installer's name or a server's words.
    ui->label_4->setTextFormat(Qt::PlainText);

    check = new BoundedDownload(this);
    connect(check, &BoundedDownload::finished, this, &FormUpload::checkFinished);
    fetch = new BoundedDownload(this);
    fetch->setKeepBody(false);
    connect(fetch, &BoundedDownload::piece, this, &FormUpload::httpReadyRead);
    connect(fetch, &BoundedDownload::progress, this, &FormUpload::updateDataReadProgress);
    connect(fetch, &BoundedDownload::finished, this, &FormUpload::httpFinished);
    checkTimer = new QTimer(this);
    connect(checkTimer, &QTimer::timeout, this, &FormUpload::startInit2);
}

FormUpload::~FormUpload()
{
    fetch->abort();
    installer.reset();
    delete ui;
}

void FormUpload::setTimeouts(int checkMs, int downloadMs)
{
    checkTimeout = checkMs;
    downloadTimeout = downloadMs;
}

void FormUpload::setTotalTimes(int checkMs, int downloadMs)
{
    checkTotal = checkMs;
    downloadTotal = downloadMs;
}

bool FormUpload::isChecking() const
{
    return check->isRunning();
}

bool FormUpload::isDownloading() const
{
    return fetch->isRunning();
}

void FormUpload::startCheckTimer()
{
    checkTimer->start(3600000);
}

bool FormUpload::checkTimerActive() const
{
    return checkTimer->isActive();
}

int FormUpload::checkInterval() const
{
    return checkTimer->interval();
}

FormUpload::Page FormUpload::page() const
{
    if (!ui->frame_3->isHidden())
        return Download;
    return ui->frame_8->isHidden() ? UpToDate : NewVersion;
}

void FormUpload::showPage(Page p)
{
    if (p != Download) {
        // Back from a download: the rocket no longer stands over the offer's text.
        for (auto *fly : findChildren<QPropertyAnimation *>(QString(), Qt::FindDirectChildrenOnly))
            if (fly->targetObject() == ui->label_5)
                fly->stop();
        ui->label_5->move(rocketHome);
    }
    ui->frame_7->setVisible(p == UpToDate);
    ui->frame_8->setVisible(p == NewVersion);
    ui->frame_3->setVisible(p == Download);
}

void FormUpload::showStatus(const QString &html)
{
    ui->label_2->setText(html);
    showPage(UpToDate);
}

// ---- the check ------------------------------------------------------------------

void FormUpload::startInit2()
{
    qCDebug(lcNet) << "获取信息" << updatePage.toString();
    query(true, false);
}

void FormUpload::checkUpdate()
{
    // The window stays on the download while it runs.
    if (isDownloading())
        return;
    showStatus(statusHtml(QStringLiteral("正在检查更新…")));
    query(false, true);
}

// One check at a time: a second one asked for while the first runs joins it.
void FormUpload::query(bool announce, bool report)
{
    checkAnnounces = checkAnnounces || announce;
    checkReports = checkReports || report;
    if (check->isRunning())
        return;
    // The answer is a few hundred bytes: a larger one is no answer of ours.
    check->start(requestFor(updatePage), { MaxAnswerBytes, checkTotal, checkTimeout });
}

void FormUpload::checkFinished(bool ok)
{
    const bool announce = checkAnnounces;
    const bool report = checkReports;
    checkAnnounces = checkReports = false;

    QString problem = ok ? QString() : transferProblem(check);
    UpdateAnswer answer;
    if (problem.isEmpty()) {
        answer = UpdateAnswer::parse(check->body(), version);
        if (!answer.parsed || answer.versionsNewer.isEmpty())
            problem = QStringLiteral("升级信息无法识别");
    }
    if (!problem.isEmpty()) {
        qCDebug(lcNet) << "update check failed:" << updatePage.toString() << problem;
        // Only the user's own check says so; an automatic one leaves the
        // window as it was.
        if (report && !isDownloading())
            showStatus(statusHtml(QStringLiteral("检查更新失败"), problem));
        return;
    }
    apply(answer, announce);
}

void FormUpload::apply(const UpdateAnswer &answer, bool announce)
{
    if (answer.number)
        ui->label_3->setText(statusHtml(tr("发现新版本！V%1").arg(*answer.number)));
    if (answer.downloadUrl)
        downloadUrl = QUrl(*answer.downloadUrl);
    if (answer.content) {
        // Release notes are a few lines: what is more is not laid out.
        const PlainText::Bounded notes = PlainText::bounded(*answer.content, MaxNotesCharacters, int(MaxAnswerBytes));
        if (notes.rich)
            ui->textBrowser->setHtml(notes.content);
        else
            ui->textBrowser->setPlainText(notes.content);
    }
    if (isDownloading())
        return;
    if (answer.newer()) {
        showPage(NewVersion);
    } else {
        ui->label_2->setText(upToDateText());
        showPage(UpToDate);
    }
    if (announce) {
        for (int i = 0; i < answer.newerCount(); ++i) {
            qCDebug(lcNet) << "发现新版本";
            emit updates();
        }
    }
}

// ---- the download -----------------------------------------------------------------

void FormUpload::on_pushButtonStar_clicked()
{
    // A second press while one runs changes nothing.
    if (isDownloading())
        return;
    checkTimer->stop();
    showPage(Download);
    ui->progressBar->setMaximum(100);
    ui->progressBar->setValue(0);
    ui->label_4->setText(QStringLiteral("正在升级请耐心等待，马上就好..."));

    downloadPath.clear();
    if (!BoundedDownload::isWebAddress(downloadUrl)) {
        downloadFailed(QStringLiteral("下载地址无效"));
        return;
    }
    // One installer is kept at a time: the one opened last goes now.
    InstallerFile::removeEarlier(downloadFolder);
    installer.reset(new InstallerFile(downloadFolder));
    QString why;
    if (!installer->create(InstallerFile::nameFor(downloadUrl), &why)) {
        qCWarning(lcNet) << "file open error" << installer->path() << why;
        downloadFailed(QStringLiteral("无法写入 %1").arg(downloadFolder));
        return;
    }
    downloadPath = installer->path();
    qCDebug(lcNet) << downloadPath;
    startRequest(downloadUrl);

    auto *fly = new QPropertyAnimation(ui->label_5, "pos", this);
    fly->setDuration(200);
    fly->setStartValue(ui->label_5->pos());
    fly->setEndValue(QPoint(150, ui->label_5->y()));
    fly->setEasingCurve(QEasingCurve::OutCubic);
    fly->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormUpload::startRequest(const QUrl &url)
{
    fetch->start(requestFor(url), { MaxInstallerBytes, downloadTotal, downloadTimeout });
}

void FormUpload::httpReadyRead(const QByteArray &piece)
{
    if (!installer)
        return;
    QString why;
    if (!installer->write(piece, &why)) {
        qCWarning(lcNet) << "write error" << why;
        fetch->abort();
        downloadFailed(QStringLiteral("无法写入 %1").arg(downloadPath));
    }
}

void FormUpload::updateDataReadProgress(qint64 bytesRead, qint64 totalBytes)
{
    // Without a known size the bar only shows that something is happening.
    ui->progressBar->setMaximum(totalBytes > 0 ? int(totalBytes) : 0);
    ui->progressBar->setValue(totalBytes > 0 ? int(bytesRead) : 0);
}

void FormUpload::httpFinished(bool ok)
{
    QString problem = ok ? QString() : transferProblem(fetch);
    QString why;
    if (problem.isEmpty() && installer && !installer->finish(&why)) {
        qCWarning(lcNet) << "write error" << why;
        problem = QStringLiteral("无法写入 %1").arg(downloadPath);
    }
    if (!problem.isEmpty()) {
        downloadFailed(problem);
        return;
    }
    // Kept for the opener, which reads it after we let go: the next
    // download removes it.
    installer.reset();

    // Never run: the desktop decides what opening the installer means.
    ui->label_4->setText(QStringLiteral("下载完成，正在打开安装程序…"));
    if (!platform::OpenerService::get().openUrl(QUrl::fromLocalFile(downloadPath)))
        ui->label_4->setText(QStringLiteral("下载完成，但无法打开 %1").arg(downloadPath));
}

void FormUpload::downloadFailed(const QString &why)
{
    qCDebug(lcNet) << "download failed:" << downloadUrl.toString() << why;
    // The partial installer goes with its folder.
    installer.reset();
    ui->progressBar->setMaximum(100);
    ui->progressBar->setValue(0);
    ui->label_4->setText(QStringLiteral("下载失败：%1").arg(why));
}

void FormUpload::cancelDownload()
{
    if (!isDownloading())
        return;
    fetch->abort();
    installer.reset();
    qCDebug(lcNet) << "download cancelled:" << downloadUrl.toString();
    ui->progressBar->setMaximum(100);
    ui->progressBar->setValue(0);
    // The offer stands: the user may start again.
    showPage(NewVersion);
}

void FormUpload::on_closeButton_clicked()
{
    close();
}

// The × and the window manager's close (Alt+F4) alike: closing the window is
// no way to leave a download running unseen, nor to have an installer opened
// after the user turned away.
void FormUpload::closeEvent(QCloseEvent *e)
{
    cancelDownload();
    QWidget::closeEvent(e);
}

void FormUpload::on_pushButtonClose_clicked()
{
    hide();
}
