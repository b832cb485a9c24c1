#pragma once
#include <QPoint>
#include <QUrl>
#include <QWidget>

#include <memory>

class BoundedDownload;
class InstallerFile;
class QTimer;
struct UpdateAnswer;

namespace Ui {
class FormUpload;
}

// The updater: asks the product's update page whether a newer version
// exists, and on request downloads the installer and hands it to the
// desktop's opener. Nothing here blocks: the check and the download run on
// the event loop, each within a budget of bytes and of time (for the whole
// exchange as much as for a silence).
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
    bool isChecking() const;
    bool isDownloading() const;
    QString downloadTarget() const { return downloadPath; }
    QUrl installerUrl() const { return downloadUrl; }

    // Where the update page and the waits are, for tests, and the folder in
    // which each download makes a private folder of its own for the
    // installer (by default the user's cache folder).
    void setUpdatePage(const QUrl &url) { updatePage = url; }
    void setDownloadFolder(const QString &folder) { downloadFolder = folder; }
    // The longest silence of the check and of the download, and the longest
    // each may take in all.
    void setTimeouts(int checkMs, int downloadMs);
    void setTotalTimes(int checkMs, int downloadMs);

    // The most the update page's answer, and an installer, may hold.
    static constexpr qint64 MaxAnswerBytes = 256 * 1024;
    static constexpr qint64 MaxInstallerBytes = qint64(1) << 30;
    // Characters of the release notes shown.
    static constexpr int MaxNotesCharacters = 16000;

signals:
    void updates();

private slots:
    void httpReadyRead(const QByteArray &piece);
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);
    void httpFinished(bool ok);

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void query(bool announce, bool report);
    void checkFinished(bool ok);
    void apply(const UpdateAnswer &answer, bool announce);
    void showPage(Page p);
    void showStatus(const QString &html);
    void startRequest(const QUrl &url);
    void downloadFailed(const QString &why);
    void cancelDownload();

    Ui::FormUpload *ui;
    int version = 1809;
    QUrl updatePage;
    QUrl downloadUrl;
    QString downloadFolder;
    QString downloadPath;
    int checkTimeout = 15000;
    int downloadTimeout = 30000;
    int checkTotal = 30000;
    int downloadTotal = 3600000;
    BoundedDownload *check;
    bool checkAnnounces = false; // the running check is an automatic one
    bool checkReports = false;   // the running check was asked for by the user
    BoundedDownload *fetch;
    // The installer being written; its partial file goes with it.
    std::unique_ptr<InstallerFile> installer;
    // Where the rocket stands beside the offer; it flies aside for a download.
    QPoint rocketHome;
    QTimer *checkTimer;

private:
    // Bound to the form's widgets in the constructor.
    void on_closeButton_clicked();
    void on_pushButtonClose_clicked();
    void on_pushButtonStar_clicked();
};
