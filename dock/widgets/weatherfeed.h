#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// The weather service: a province list and one city list per province, plain
// XML over HTTP.
namespace WeatherFeed {

// The service's address. The environment variable ZV_WEATHER_URL replaces it
// (tests point it at a server of their own).
QString baseUrl();
QString provinceListPath();
// Empty when the pinyin name could not name a file of the service.
QString cityListPath(const QString &pyName);

// The attribute held in each column of the hidden province and city tables.
extern const QStringList ProvinceColumns;
extern const QStringList CityColumns;
// The header text of each of those columns.
extern const QStringList ProvinceHeaders;
extern const QStringList CityHeaders;

// The "no live observation" value of the service.
extern const QString NoObservation;

struct Document
{
    bool parsed = false;
    QString root;
    // One entry per "city" child of the root, in document order, holding only
    // the wanted attributes the element carries.
    QList<QHash<QString, QString>> cities;
};

// Reads the body as UTF-8 up to its first NUL byte. A document that is not
// well-formed, nests too deep or declares entities gives an unparsed, empty
// Document: half a list is never taken.
Document parse(const QByteArray &body, const QStringList &attributes);

} // namespace WeatherFeed

// One download at a time from the weather service. A new get() abandons the
// pending one, whose callback then never runs. Every failure (no answer within
// the time-out, an error reply, a body past the size limit) calls back with an
// empty body, so the caller has a single failure path.
class WeatherDownload : public QObject
{
    Q_OBJECT
public:
    explicit WeatherDownload(QObject *parent = nullptr);
    ~WeatherDownload() override;

    void get(const QString &path, std::function<void(const QByteArray &)> done);
    void abort();
    bool isBusy() const { return !m_reply.isNull(); }

    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }

private:
    void finish(QNetworkReply *reply);

    QNetworkAccessManager *m_manager;
    QTimer *m_timer;
    QPointer<QNetworkReply> m_reply;
    std::function<void(const QByteArray &)> m_done;
    int m_timeoutMs = 15000;
};
