#pragma once
#include <QString>
#include <QWidget>

#include <functional>

namespace WeatherFeed {
struct Document;
}

class FormWeatherEffects;
class QTimer;
class WeatherDownload;

namespace Ui {
class FormWeather;
}

// The weather window: the weather of one chosen place, refreshed from the
// weather service and handed on to the dock's weather icon and scenes.
// Downloads never wait on the event loop: each step goes on when its answer
// (or its time-out) arrives.
class FormWeather : public QWidget
{
    Q_OBJECT

public:
    explicit FormWeather(QWidget *parent = nullptr);
    ~FormWeather() override;

    // The first call starts the weather; later ones re-send what is loaded.
    void startWeather();

    bool isStarted() const { return started; }
    bool isProvinceLoaded() const { return provinceLoaded; }
    // A download is on its way.
    bool isBusy() const;
    QString place() const { return placeName; }
    QString placeCode() const { return placePyName; }
    FormWeatherEffects *scenes() const { return sceneView; }
    WeatherDownload *provinceDownload() const { return m_provinceFeed; }
    WeatherDownload *cityDownload() const { return m_cityFeed; }

signals:
    void setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state);

private slots:
    void init();
    void initCity(int x);
    void updateData();
    void ReadSettings();
    void SaveSettings();
    void setWeatherIcon(QString state);
    void timeOver();

private:
    void load();
    void fetchProvinces(bool thenReadSettings);
    bool readProvinces(const WeatherFeed::Document &doc);
    void fetchCities(int province, std::function<void()> then);
    void readCities(const QString &pyName, const WeatherFeed::Document &doc);
    void takePlace();
    void confirmPlace();
    bool withoutCities() const;
    void showOffline();
    void showReading(const QString &name, const QString &passedOn, const QString &state);
    void setLooks();

    Ui::FormWeather *ui;
    FormWeatherEffects *sceneView = nullptr;
    QTimer *refreshTimer = nullptr;
    WeatherDownload *m_provinceFeed = nullptr;
    WeatherDownload *m_cityFeed = nullptr;

    bool started = false;
    bool provinceLoaded = false;
    bool provinceListReady = false;
    bool cityListReady = false;
    // The last city list came to nothing (no answer, an error, broken XML).
    bool cityListFailed = false;
    // "确定" was pressed while the chosen province's cities were still loading.
    bool confirmPending = false;
    QString placeName;
    QString placePyName;
    int provinceIndex = 0;
    int cityIndex = 0;

private:
    // Bound to the form's widgets in the constructor.
    void on_add_clicked();
    void on_addok_clicked();
    void on_province_currentIndexChanged(int index);
    void on_Update_clicked();
    void on_close_clicked();
};
