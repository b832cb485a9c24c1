#include "dock/editing/formaddurl.h"
#include "ui_formaddurl.h"

#include "common/boundeddownload.h"
#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/editing/catalogueview.h"
#include "dock/editing/iconfolder.h"
#include "dock/icons/productlinks.h"
#include "dock/model/iconclasses.h"
#include "dock/style/dockstyle.h"
#include "platform/regularfile.h"

#include <QFileInfo>
#include <QImage>
#include <QNetworkRequest>

namespace {

// No site picture comes near this; a bigger answer is cut off.
constexpr qint64 MaxPictureBytes = 8 << 20;
const QChar IdeographicStop(0x3002);

const char *const AddButtonSheet =
    "QPushButton{border-image: url();border-radius:2px;border-width: 0px;background-image: url();background-color:#26B15E;color: rgb(255, 255, 255);}"
    "QPushButton:hover{border-image: url();background-image: url();border-radius:2px;border-width: 0px;background-color:#2DD26F;color: rgb(255, 255, 255);}"
    "QPushButton:pressed{border-image: url();background-image: url();border-radius:2px;border-width: 0px;background-color:#2DD26F;color: rgb(255, 255, 255);}";
const char *const ProgressSheet =
    "QProgressBar{border-radius:3px;border-width: 0px;border-style: solid;border-color:#ffffff;color: white;text-align: center;background:#ffffff;}"
    "QProgressBar::chunk {border-radius:0px;border-width: 0px;border-style: solid;background: #26B15E;}";

} // namespace

FormAddUrl::FormAddUrl(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormAddUrl), m_host(ProductLinks::webHost())
{
    ui->setupUi(this);
    connect(ui->lineEdit, &QLineEdit::textChanged, this, &FormAddUrl::on_lineEdit_textChanged);
    connect(ui->lineEditURL, &QLineEdit::textChanged, this, &FormAddUrl::on_lineEditURL_textChanged);
    connect(ui->pushButtonAdd, &QPushButton::clicked, this, &FormAddUrl::on_pushButtonAdd_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    ui->label->hide();
    ui->labelico->setTextFormat(Qt::PlainText); // the first letter of a typed title

    // The compact shape; the catalogue page below it opens once it has loaded.
    setShape(false);
    ui->webProgressBar->resize(width() - 8, 2);
    ui->webProgressBar->move(4, height() - ui->webProgressBar->height() - 1);

    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    font.setPixelSize(20);
    ui->labelico->setFont(font);
    font.setPixelSize(14);
    ui->pushButtonAdd->setFont(font);
    ui->closeButton->setStyleSheet(
        pictureButtonSheet(QStringLiteral(":/image/menu/c00.png"), QStringLiteral(":/image/menu/c1.png")));
    ui->pushButtonAdd->setStyleSheet(QString::fromLatin1(AddButtonSheet));
    ui->webProgressBar->setStyleSheet(QString::fromLatin1(ProgressSheet));
    connect(ui->closeButton, &QPushButton::clicked, this, &QWidget::close);

}

FormAddUrl::~FormAddUrl()
{
    delete ui;
}

void FormAddUrl::setShape(bool full)
{
    resize(600, full ? 347 : 110);
    ui->frame_4->resize(size());
}

QUrl FormAddUrl::cataloguePage() const
{
    QUrl url(m_host);
    url.setPath(QStringLiteral("/addurl/index.html"));
    return url;
}

QUrl FormAddUrl::sitePicture(const QString &site) const
{
    QUrl url(m_host);
    url.setPath(QStringLiteral("/addurl/img/") + site + QStringLiteral(".png"), QUrl::DecodedMode);
    return url;
}

void FormAddUrl::ensureWebView()
{
    if (m_webViewTried)
        return;
    m_webViewTried = true;
    m_webView = CatalogueViewModule::createView(ui->frame_4);
    if (!m_webView)
        return;
    m_webView->setObjectName(QStringLiteral("webView"));
    m_webView->setGeometry(7, 90, 591, 255);
    m_webView->hide();
    connect(m_webView, SIGNAL(linkClicked(QUrl)), this, SLOT(urlClick(QUrl)));
    connect(m_webView, SIGNAL(loadProgress(int)), this, SLOT(loadProgress(int)));
    connect(m_webView, SIGNAL(loadFinished(bool)), this, SLOT(loadWebpage(bool)));
    ui->webProgressBar->raise();
}

void FormAddUrl::openAddPage(QString ID)
{
    m_id = ID;
    ensureWebView();
    // What the user types first is the title: the keyboard the window gets
    // on opening lands in its field, not on the hidden page.
    ui->lineEdit->setFocus(Qt::OtherFocusReason);
    if (m_webView) {
        m_pageLoading = true;
        m_webView->setProperty("url", cataloguePage());
    }
}

void FormAddUrl::loadProgress(int v)
{
    ui->webProgressBar->setValue(v);
    if (v > 99)
        ui->webProgressBar->hide();
}

void FormAddUrl::loadWebpage(bool b)
{
    if (!m_pageLoading)
        return;
    m_pageLoading = false;
    if (m_webView)
        m_webView->setVisible(b);
    setShape(b);
}

void FormAddUrl::on_lineEdit_textChanged(const QString &text)
{
    ui->labelico->setText(text.isEmpty() ? tr("网") : text.left(1));
}

void FormAddUrl::on_lineEditURL_textChanged(const QString &text)
{
    if (text.contains(IdeographicStop)) {
        QString t = text;
        ui->lineEditURL->setText(t.replace(IdeographicStop, QLatin1Char('.')));
    }
}

QString FormAddUrl::siteName(const QString &withoutScheme)
{
    QString site = withoutScheme.section(QLatin1Char('/'), 0, 0);
    if (site.startsWith(QLatin1String("www.")))
        site.remove(0, 4);
    return site;
}

void FormAddUrl::on_pushButtonAdd_clicked()
{
    if (downloading())
        return;
    if (ui->lineEdit->text().isEmpty()) {
        ui->label->setText(tr("请输入标题名称！"));
        ui->label->show();
        return;
    }
    m_title = ui->lineEdit->text();
    if (ui->lineEditURL->text().isEmpty()) {
        ui->label->setText(tr("请输入网址！"));
        ui->label->show();
        return;
    }
    ui->label->hide();
    QString t = ui->lineEditURL->text();
    t.replace(IdeographicStop, QLatin1Char('.'));
    ui->lineEditURL->setText(t);
    m_address = t;
    // "HTTPS://x" has a scheme as much as "https://x" has.
    if (t.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        t.remove(0, 7);
    else if (t.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        t.remove(0, 8);
    else
        m_address = QStringLiteral("http://") + t;
    getPhotoup(sitePicture(siteName(t)).toString(), m_title, m_address);
}

void FormAddUrl::urlClick(QUrl url)
{
    const QString text = url.toString();
    qCDebug(lcNet) << text;
    if (downloading())
        return;
    // Catalogue links read "picture,name,address"; any other link is no site.
    const QStringList pieces = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (pieces.size() < 3)
        return;
    getPhotoup(pieces.at(0), pieces.at(1), pieces.at(2));
}

void FormAddUrl::getPhotoup(QString url, QString name, QString address)
{
    if (downloading())
        return;
    m_pending = { url, name, address, m_id };
    if (url.isEmpty()) {
        finishAdd(QString());
        return;
    }
    qCDebug(lcNet) << url;
    if (!m_download) {
        m_download = new BoundedDownload(this);
        connect(m_download, &BoundedDownload::finished, this, &FormAddUrl::pictureArrived);
    }
    QNetworkRequest request{ QUrl(url) };
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_download->start(request, { MaxPictureBytes, m_timeoutMs, m_timeoutMs });
}

bool FormAddUrl::downloading() const
{
    return m_download && m_download->isRunning();
}

void FormAddUrl::pictureArrived(bool ok)
{
    QString saved;
    if (ok) {
        const QString fileName = QFileInfo(QUrl(m_pending.url).path(QUrl::FullyDecoded)).fileName();
        qCDebug(lcNet) << fileName;
        // Decoded only when the size it states is one we decode.
        const QImage picture = platform::RegularFile::decodeImage(m_download->body());
        if (IconFolder::savePng(picture, fileName))
            saved = IconFolder::file(fileName);
    } else {
        qCDebug(lcNet) << "site picture:" << m_download->networkError();
    }
    finishAdd(saved);
}

void FormAddUrl::finishAdd(const QString &picture)
{
    emit AddIcon(picture.isEmpty() ? stockPicture() : picture, m_pending.name, IconClass::URL,
                 m_pending.address, m_pending.id);
}
