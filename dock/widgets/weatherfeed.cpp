#include "dock/widgets/weatherfeed.h"

#include "common/boundeddownload.h"
#include "common/logging.h"

#include <QNetworkRequest>
#include <QRegularExpression>
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

struct Reader::State
{
    QStringList attributes;
    QXmlStreamReader xml;
    QByteArray pending; // the start of a character the next piece ends
    Document doc;
    int depth = 0;
    bool ended = false;      // a NUL came, or the root closed: the rest is no part of the list
    bool rootClosed = false;
    bool failed = false;

    void readOn()
    {
        while (!failed && !rootClosed && !xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::Invalid)
                break; // the end of what came so far, or an error
            take(token);
        }
        // Whatever follows the list is not looked at, however it is cut
        // into pieces.
        if (rootClosed) {
            ended = true;
            return;
        }
        if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
            failed = true;
    }

    void take(QXmlStreamReader::TokenType token)
    {
        switch (token) {
        case QXmlStreamReader::DTD:
            // A declaration inside the root is no XML; read in pieces, the
            // stream reader lets it pass.
            if (depth > 0 || !xml.entityDeclarations().isEmpty())
                failed = true;
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxDepth) {
                failed = true;
                break;
            }
            if (depth == 1) {
                doc.root = xml.name().toString();
            } else if (depth == 2 && xml.name() == QLatin1String("city")) {
                if (doc.cities.size() >= MaxCities) {
                    failed = true;
                    break;
                }
                QHash<QString, QString> row;
                const QXmlStreamAttributes attrs = xml.attributes();
                for (const QString &a : qAsConst(attributes)) {
                    if (!attrs.hasAttribute(a))
                        continue;
                    const QStringRef value = attrs.value(a);
                    if (value.size() > MaxValueLength) {
                        failed = true;
                        break;
                    }
                    row.insert(a, value.toString());
                }
                doc.cities.append(row);
            }
            break;
        case QXmlStreamReader::EndElement:
            if (--depth == 0)
                rootClosed = true;
            break;
        default:
            break;
        }
    }
};

Reader::Reader(const QStringList &attributes) : d(new State)
{
    d->attributes = attributes;
}

namespace {

// Where the last character of bytes starts when it is not complete yet, else
// bytes.size(). Cut there, every piece decodes as the same bytes do whole: a
// byte that starts a character always starts one afresh.
int completeLength(const QByteArray &bytes)
{
    const int n = bytes.size();
    for (int back = 1; back <= 3 && back <= n; ++back) {
        const uchar c = uchar(bytes.at(n - back));
        if ((c & 0xc0) == 0x80)
            continue; // a continuation byte
        const int length = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        return length > back ? n - back : n;
    }
    return n;
}

} // namespace

Reader::~Reader() = default;

void Reader::feed(const QByteArray &piece)
{
    if (d->ended || d->failed || piece.isEmpty())
        return;
    QByteArray bytes = d->pending + piece;
    d->pending.clear();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0) {
        d->ended = true;
        bytes.truncate(nul);
    } else {
        const int whole = completeLength(bytes);
        d->pending = bytes.mid(whole);
        bytes.truncate(whole);
    }
    d->xml.addData(QString::fromUtf8(bytes));
    d->readOn();
}

bool Reader::failed() const
{
    return d->failed;
}

Document Reader::finish()
{
    // Given in pieces, the reader cannot know that no more will come: a
    // list is whole when its root has closed and nothing was wrong before.
    // The start of a character still held back follows whatever closed the
    // root, or else cannot close it: it is no part of the list either way.
    if (d->failed || !d->rootClosed)
        return Document();
    Document doc = std::move(d->doc);
    doc.parsed = true;
    return doc;
}

Document parse(const QByteArray &body, const QStringList &attributes)
{
    Reader r(attributes);
    r.feed(body);
    return r.finish();
}

} // namespace WeatherFeed

WeatherDownload::WeatherDownload(QObject *parent)
    : QObject(parent), m_download(new BoundedDownload(this))
{
    m_download->setKeepBody(false);
    connect(m_download, &BoundedDownload::piece, this, [this](const QByteArray &piece) {
        if (!m_reader)
            return;
        m_reader->feed(piece);
        if (m_reader->failed()) {
            // No weather list: the rest need not come.
            m_download->abort();
            finish(false);
        }
    });
    connect(m_download, &BoundedDownload::finished, this, &WeatherDownload::finish);
}

WeatherDownload::~WeatherDownload()
{
    abort();
}

bool WeatherDownload::isBusy() const
{
    return m_download->isRunning();
}

void WeatherDownload::abort()
{
    m_done = nullptr;
    m_reader.reset();
    m_download->abort();
}

void WeatherDownload::get(const QString &path, const QStringList &attributes, Done done)
{
    abort();
    m_done = std::move(done);
    m_reader.reset(new WeatherFeed::Reader(attributes));
    m_download->start(QNetworkRequest(QUrl(WeatherFeed::baseUrl() + path)),
                      BoundedDownload::Budget { WeatherFeed::MaxBody, m_timeoutMs, m_timeoutMs });
}

void WeatherDownload::finish(bool ok)
{
    if (!ok)
        qCDebug(lcNet) << "weather download failed:" << m_download->url().toString();
    WeatherFeed::Document doc;
    if (ok && m_reader)
        doc = m_reader->finish();
    m_reader.reset();
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(doc);
}
