#include "dock/widgets/weatherfeed.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

namespace WeatherFeed {

namespace {
// The weather service is an outside one; its address is a setting of the
// product, not of this code.
const char *const DefaultBaseUrl = "https://weather.zorvane.example";
const char *const BaseUrlVariable = "ZV_WEATHER_URL";
// The lists are a few kilobytes; anything this large is not a weather list.
const qint64 MaxBody = 8 * 1024 * 1024;
// The files hold a root and one level of "city" elements.
const int MaxDepth = 32;
} // namespace

const QStringList ProvinceColumns = { "quName", "pyName", "cityname", "state1", "state2",
                                      "stateDetailed", "tem1", "tem2", "windState" };
const QStringList CityColumns = { "cityname", "pyName", "state1", "state2", "stateDetailed", "tem1",
                                  "tem2", "temNow", "windState", "windDir", "windPower", "humidity" };
const QStringList ProvinceHeaders = { "名称", "编码", "省会", "state1", "state2", "天气", "最低温", "最高温", "风力" };
const QStringList CityHeaders = { "名称", "编码", "state1", "state2", "天气", "最低温",
                                  "最高温", "当前温度", "风", "风向", "风力", "湿度" };
const QString NoObservation = QStringLiteral("暂无实况");

QString baseUrl()
{
    const QString fromEnv = qEnvironmentVariable(BaseUrlVariable);
    QString url = fromEnv.isEmpty() ? QString::fromLatin1(DefaultBaseUrl) : fromEnv;
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

QString provinceListPath()
{
    return QStringLiteral("/wmaps/xml/china.xml");
}

QString cityListPath(const QString &pyName)
{
    // The name comes from the downloaded list: it must not reach another
    // path of the server.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+$"));
    if (!plain.match(pyName).hasMatch())
        return QString();
    return QStringLiteral("/wmaps/xml/") + pyName + QStringLiteral(".xml");
}

Document parse(const QByteArray &body, const QStringList &attributes)
{
    Document doc;
    const int nul = body.indexOf('\0');
    QXmlStreamReader xml(QString::fromUtf8(nul < 0 ? body : body.left(nul)));
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            if (!xml.entityDeclarations().isEmpty())
                xml.raiseError(QStringLiteral("entity declarations are not accepted"));
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxDepth) {
                xml.raiseError(QStringLiteral("elements nest too deep"));
                break;
            }
            if (depth == 1) {
                doc.root = xml.name().toString();
            } else if (depth == 2 && xml.name() == QLatin1String("city")) {
                QHash<QString, QString> row;
                const QXmlStreamAttributes attrs = xml.attributes();
                for (const QString &a : attributes) {
                    if (attrs.hasAttribute(a))
                        row.insert(a, attrs.value(a).toString());
                }
                doc.cities.append(row);
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || doc.root.isEmpty())
        return Document();
    doc.parsed = true;
    return doc;
}

} // namespace WeatherFeed

WeatherDownload::WeatherDownload(QObject *parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_reply) {
            qDebug() << "weather download timed out:" << m_reply->url().toString();
            m_reply->abort(); // finished() follows: the failure path
        }
    });
}

WeatherDownload::~WeatherDownload()
{
    abort();
}

void WeatherDownload::abort()
{
    m_timer->stop();
    m_done = nullptr;
    if (QNetworkReply *old = m_reply.data()) {
        m_reply = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
}

void WeatherDownload::get(const QString &path, std::function<void(const QByteArray &)> done)
{
    abort();
    m_done = std::move(done);
    QNetworkRequest request(QUrl(WeatherFeed::baseUrl() + path));
    QNetworkReply *reply = m_manager->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > WeatherFeed::MaxBody)
            reply->abort();
    });
    m_timer->start(m_timeoutMs);
}

void WeatherDownload::finish(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_timer->stop();
    m_reply = nullptr;
    QByteArray body;
    if (reply->error() == QNetworkReply::NoError)
        body = reply->read(WeatherFeed::MaxBody + 1);
    if (body.size() > WeatherFeed::MaxBody) {
        qDebug() << "weather download too large:" << reply->url().toString();
        body.clear();
    } else if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "weather download failed:" << reply->url().toString() << reply->errorString();
    }
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(body);
}
