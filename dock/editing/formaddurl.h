#pragma once
#include <QString>
#include <QUrl>
#include <QWidget>

namespace Ui {
class FormAddUrl;
}
class BoundedDownload;

// The add-web-site dialog: turns a web site into a URL icon for the target it
// was opened for, typed in or picked from the catalogue page.
class FormAddUrl : public QWidget
{
    Q_OBJECT

public:
    explicit FormAddUrl(QWidget *parent = nullptr);
    ~FormAddUrl() override;

    // Prepares the dialog for a target ("0" the dock bar or the launch pad,
    // otherwise the IconID of an icon menu) and loads the catalogue page anew;
    // the caller shows the dialog.
    void openAddPage(QString ID);
    QString targetId() const { return m_id; }
    QString title() const { return m_title; }
    QString address() const { return m_address; }
    // The catalogue's view: none until the dialog is first opened, nor where
    // the web engine cannot be loaded.
    QWidget *webView() const { return m_webView; }
    // A site picture is being fetched: Add and link clicks wait for it.
    bool downloading() const;

    // The site name in an address less its scheme: up to the first "/", less
    // one leading "www.".
    static QString siteName(const QString &withoutScheme);
    QUrl cataloguePage() const;
    QUrl sitePicture(const QString &site) const;

    // The web server (scheme and host) of the catalogue and the site pictures.
    void setWebHost(const QString &host) { m_host = host; }
    // How long a site picture may take before the stock picture is used.
    void setDownloadTimeout(int ms) { m_timeoutMs = ms; }

    static QString stockPicture() { return QStringLiteral(":/image/icon/url.png"); }

signals:
    void AddIcon(QString ico, QString name, QString cl, QString path, QString ID);

public slots:
    void urlClick(QUrl url);
    void loadProgress(int v);
    void loadWebpage(bool b);
    // Fetches the picture at url into the icon folder, then adds the site
    // with it (or with the stock picture).
    void getPhotoup(QString url, QString name, QString address);

private slots:
    void pictureArrived(bool ok);

private:
    void ensureWebView();
    void setShape(bool full);
    void finishAdd(const QString &picture);

    Ui::FormAddUrl *ui;
    QString m_id;
    QString m_title;
    QString m_address;
    QString m_host;
    QWidget *m_webView = nullptr;
    bool m_webViewTried = false;
    // A catalogue load we asked for is under way. Only its end changes the
    // shape: a link click the page is refused ends as a failed load too.
    bool m_pageLoading = false;
    BoundedDownload *m_download = nullptr;
    int m_timeoutMs = 10000;
    struct Pending
    {
        QString url, name, address, id;
    } m_pending;

private:
    // Bound to the form's widgets in the constructor.
    void on_lineEdit_textChanged(const QString &text);
    void on_lineEditURL_textChanged(const QString &text);
    void on_pushButtonAdd_clicked();
};
