#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class BoundedDownload;

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

// What a list may hold: far more than the service's lists ever do, and
// little enough for the tables and combo boxes to fill at once.
constexpr int MaxCities = 2000;
constexpr int MaxValueLength = 256;

// Reads a body as it arrives, piece by piece, as UTF-8 up to its first NUL
// byte or the end of its root element, whichever comes first. A document that is not well-formed, nests too deep, declares
// entities or holds more than the limits above gives an unparsed, empty
// Document: half a list is never taken.
class Reader
{
public:
    explicit Reader(const QStringList &attributes);
    ~Reader();
    void feed(const QByteArray &piece);
    // Whether what came so far already rules the list out.
    bool failed() const;
    // The list, once the whole body has been fed.
    Document finish();

private:
    struct State;
    std::unique_ptr<State> d;
};

// The same for a whole body.
Document parse(const QByteArray &body, const QStringList &attributes);

} // namespace WeatherFeed

// One download at a time from the weather service, taken apart as it
// arrives. A new get() abandons the pending one, whose callback then never
// runs. Every failure (no answer within the time-out, an error reply, a body
// past the size limit, compressed or not, a list that is none) calls back
// with an unparsed, empty Document, so the caller has a single failure path.
class WeatherDownload : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(const WeatherFeed::Document &)>;

    explicit WeatherDownload(QObject *parent = nullptr);
    ~WeatherDownload() override;

    // Keeps the given attributes of each "city" (ProvinceColumns or CityColumns).
    void get(const QString &path, const QStringList &attributes, Done done);
    void abort();
    bool isBusy() const;

    // The whole exchange may take no longer than this, however slowly the
    // answer trickles in.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }

private:
    void finish(bool ok);

    BoundedDownload *m_download;
    std::unique_ptr<WeatherFeed::Reader> m_reader;
    Done m_done;
    int m_timeoutMs = 15000;
};
