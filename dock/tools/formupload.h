#pragma once
#include <QPoint>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
class QTimer;
struct UpdateAnswer;

namespace Ui {
class FormUpload;
}

// The updater: asks the product's update page whether a newer version
// exists, and on request downloads the installer and hands it to the
// desktop's opener. Nothing here blocks: the check and the download run on
// the event loop, each with a time-out.
class FormUpload : public QWidget
{
    Q_OBJECT

public:
    enum Page { UpToDate, NewVersion, Download };

    explicit FormUpload(QWidget *parent = nullptr);
    ~FormUpload() override;

    // Starts the hourly automatic check.
    void startCheckTimer();
    // The automatic check; tells the dock through updates() when newer.
    void startInit2();
    // The check the user asked for: says on the window how it went.
    void checkUpdate();

    int builtInVersion() const { return version; }
    bool checkTimerActive() const;
    int checkInterval() const;
    Page page() const;
    bool isChecking() const { return !checkReply.isNull(); }
    bool isDownloading() const { return !reply.isNull(); }
    QString downloadTarget() const { return downloadPath; }
    QUrl installerUrl() const { return downloadUrl; }

    // Where the update page, the installer and the waits are, for tests.
    void setUpdatePage(const QUrl &url) { updatePage = url; }
    void setDownloadFolder(const QString &folder) { downloadFolder = folder; }
    void setTimeouts(int checkMs, int downloadMs);

    // Where an installer from url is saved in folder; empty when url is not
    // a web address.
    static QString targetFor(const QUrl &url, const QString &folder);

signals:
    void updates();

private slots:
    void httpReadyRead();
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);
    void httpFinished();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void query(bool announce, bool report);
    void checkFinished();
    void apply(const UpdateAnswer &answer, bool announce);
    void showPage(Page p);
    void showStatus(const QString &html);
    void startRequest(const QUrl &url);
    void downloadFailed(const QString &why);

    Ui::FormUpload *ui;
    int version = 1809;
    QUrl updatePage;
    QUrl downloadUrl;
    QString downloadFolder;
    QString downloadPath;
    int checkTimeout = 15000;
    int downloadTimeout = 30000;
    QNetworkAccessManager *manager;
    QPointer<QNetworkReply> checkReply;
    bool checkAnnounces = false; // the running check is an automatic one
    bool checkReports = false;   // the running check was asked for by the user
    QPointer<QNetworkReply> reply;
    QSaveFile *file = nullptr;
    QTimer *checkTimer;
    QPoint pressOffset;
    bool dragging = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_closeButton_clicked();
    void on_pushButtonClose_clicked();
    void on_pushButtonStar_clicked();
};
