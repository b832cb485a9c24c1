#include "dock/widgets/formweather.h"

#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/settings/docksettings.h"
#include "dock/widgets/formweathereffects.h"
#include "dock/widgets/weatherfeed.h"
#include "dock/icons/weatherstate.h"
#include "dock/model/dockfile.h"
#include "dock/style/dockstyle.h"
#include "ui_formweather.h"

#include <QLabel>
#include <QListView>
#include <QTimer>

namespace {

const int RefreshMs = 30 * 60 * 1000;
// Province rows from this index on are the places without a city list.
const int FirstSpecialProvince = 34;

bool isSpecialPlace(const QString &name)
{
    return name == QStringLiteral("西沙") || name == QStringLiteral("南沙") || name == QStringLiteral("钓鱼岛");
}

// The chosen place in config.ini: two combo indices. Absent, the defaults
// apply and nothing is written back.
struct StoredPlace
{
    int province = DockSettings::defaults().weatherProvince;
    int city = DockSettings::defaults().weatherCity;
};

StoredPlace loadPlace()
{
    StoredPlace p;
    const DockSettings &set = *DockSettings::instance();
    if (set.hasText(DockSettings::Key::weatherProvince)) {
        p.province = set.weatherProvince();
        p.city = set.weatherCity();
    }
    return p;
}

void savePlace(int province, int city)
{
    DockSettings &set = *DockSettings::instance();
    set.setWeatherProvince(province);
    set.setWeatherCity(city);
    set.save();
}

void fillRow(QTableWidget *table, const QStringList &columns, const QHash<QString, QString> &values)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < columns.size(); ++c) {
        const auto it = values.find(columns.at(c));
        if (it != values.end())
            table->setItem(row, c, new QTableWidgetItem(it.value()));
    }
}

QString comboSheet()
{
    return QStringLiteral(
        "QComboBox{background-color: #5F616E;border-radius: 2px;border: 0px;color: rgb(255, 255, 255);"
        "selection-color: #25272B;}"
        "QComboBox::drop-down{image: url(:/image/menu/arrow-drop.png);background-color: #5F616E;"
        "min-width: 26px;border-radius: 2px;}"
        "QComboBox QAbstractItemView{color: #828385;selection-color: #ffffff;selection-background-color: #5F616E;"
        "outline: 0px;background-color: #25272B;}"
        "QComboBox QAbstractItemView::item{min-height: 25px;background-color: #25272B;}"
        "QComboBox QAbstractItemView::item:hover, QComboBox QAbstractItemView::item:selected"
        "{background-color: #5294E2;color: #ffffff;}");
}

} // namespace

FormWeather::FormWeather(QWidget *parent) : QWidget(parent), ui(new Ui::FormWeather)
{
    ui->setupUi(this);
    connect(ui->add, &QPushButton::clicked, this, &FormWeather::on_add_clicked);
    connect(ui->addok, &QPushButton::clicked, this, &FormWeather::on_addok_clicked);
    connect(ui->province, QOverload<int>::of(&QComboBox::currentIndexChanged),
            this, &FormWeather::on_province_currentIndexChanged);
    connect(ui->Update, &QPushButton::clicked, this, &FormWeather::on_Update_clicked);
    connect(ui->close, &QPushButton::clicked, this, &FormWeather::on_close_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    // What the weather service sends is shown as text, never as HTML.
    for (QLabel *l : { ui->cityname, ui->stateDetailed, ui->tem, ui->humidity, ui->windPower, ui->temNow })
        l->setTextFormat(Qt::PlainText);

    new WindowDrag(this);
    ui->frameset->hide();
    ui->IcoData->hide();
    ui->IcoData2->hide();
    ui->Icon->hide();
    started = false;

    sceneView = new FormWeatherEffects(ui->frameE);
    sceneView->setGeometry(ui->frameE->rect());

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &FormWeather::timeOver);
    m_provinceFeed = new WeatherDownload(this);
    m_cityFeed = new WeatherDownload(this);
    connect(ui->mini, &QPushButton::clicked, this, &QWidget::showMinimized);

    setLooks();
}

FormWeather::~FormWeather()
{
    delete ui;
}

void FormWeather::setLooks()
{
    auto font = [](int px) {
        QFont f(QStringLiteral("Microsoft YaHei"), 10, 10, false);
        f.setPixelSize(px);
        return f;
    };
    ui->label_6->setFont(font(18));
    for (QWidget *w : { (QWidget *)ui->addok, (QWidget *)ui->stateDetailed, (QWidget *)ui->humidity,
                        (QWidget *)ui->tem, (QWidget *)ui->windPower })
        w->setFont(font(15));
    ui->temNow->setFont(font(100));
    ui->cityname->setFont(font(17));
    // Top aligned in a 22-pixel line: a taller CJK face needs its whole line.
    ui->cityname->resize(ui->cityname->width(), qMax(ui->cityname->height(), ui->cityname->fontMetrics().height()));
    ui->add->setFont(font(20));

    ui->close->setStyleSheet(closeButtonSheet());
    ui->mini->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/n00.png"), QStringLiteral(":/image/menu/n1.png")));
    ui->add->setStyleSheet(QStringLiteral(
        "QPushButton{background-color: #5F616E;border: 0px;border-radius: 2px;border-color: #312E4D;color: white;}"
        "QPushButton:hover, QPushButton:pressed{background-color: #5294E2;}"));
    ui->addok->setStyleSheet(QStringLiteral(
        "QPushButton{background-color: #5294E2;border: 0px;border-radius: 2px;color: white;font-weight: bold;}"
        "QPushButton:hover, QPushButton:pressed{background-color: #85B3EB;}"));
    ui->Update->setStyleSheet(QStringLiteral(
        "QPushButton{border-image: url(:/image/menu/Update24.png);background-color: #5F616E;border: 0px;"
        "border-radius: 2px;color: white;}"
        "QPushButton:hover, QPushButton:pressed{background-color: #5294E2;}"));
    for (QComboBox *combo : { ui->province, ui->citycity }) {
        combo->setView(new QListView(combo));
        combo->setStyleSheet(comboSheet());
    }
    setStyleSheet(QStringLiteral(
        "QScrollBar:vertical, QScrollBar:horizontal{width: 8px;background: transparent;}"
        "QScrollBar::handle{background: #414857;border-radius: 3px;min-height: 20px;}"
        "QScrollBar::handle:hover{background: #5294E2;}"
        "QScrollBar::up-arrow{image: url(:/images/up-arrow.png);width: 6px;height: 6px;}"
        "QScrollBar::down-arrow{image: url(:/images/down-arrow.png);width: 6px;height: 6px;}"
        "QScrollBar::add-page, QScrollBar::sub-page{background: transparent;}"));
}

bool FormWeather::isBusy() const
{
    return m_provinceFeed->isBusy() || m_cityFeed->isBusy();
}

// ---- downloads -------------------------------------------------------------

void FormWeather::startWeather()
{
    if (!started) {
        started = true;
        load();
    } else if (provinceLoaded) {
        updateData();
    }
}

void FormWeather::load()
{
    refreshTimer->start(RefreshMs);
    fetchProvinces(true);
}

void FormWeather::init()
{
    fetchProvinces(false);
}

void FormWeather::fetchProvinces(bool thenReadSettings)
{
    m_provinceFeed->get(WeatherFeed::provinceListPath(), WeatherFeed::ProvinceColumns,
                        [this, thenReadSettings](const WeatherFeed::Document &doc) {
                            if (readProvinces(doc) && thenReadSettings)
                                ReadSettings();
                        });
}

bool FormWeather::readProvinces(const WeatherFeed::Document &doc)
{
    if (!doc.parsed)
        qCDebug(lcNet) << "add setcontent error...";
    if (doc.root != QLatin1String("china")) {
        qCDebug(lcNet) << "root.tagname != History...";
        provinceLoaded = false;
        showOffline();
        return false;
    }
    provinceLoaded = true;
    provinceListReady = false;
    const QSignalBlocker block(ui->province);
    ui->province->clear();
    // Table and combo are filled together, one entry per element, so a
    // combo index always names its table row.
    ui->IcoData->setRowCount(0);
    for (const auto &city : doc.cities) {
        fillRow(ui->IcoData, WeatherFeed::ProvinceColumns, city);
        const QString name = city.value(QStringLiteral("quName"));
        qCDebug(lcNet) << "---" << "NAME=" << name;
        ui->province->addItem(name);
    }
    provinceListReady = true;
    return true;
}

void FormWeather::initCity(int x)
{
    fetchCities(x, nullptr);
}

void FormWeather::on_province_currentIndexChanged(int index)
{
    confirmPending = false;
    fetchCities(index, nullptr);
}

void FormWeather::fetchCities(int province, std::function<void()> then)
{
    if (!provinceListReady)
        return;
    {
        const QSignalBlocker block(ui->citycity);
        ui->citycity->clear();
    }
    cityListReady = false;
    cityListFailed = false;
    ui->IcoData2->setRowCount(0);

    const QString pyName = DockFile::cell(ui->IcoData, province, 1);
    const QString path = WeatherFeed::cityListPath(pyName);
    if (path.isEmpty()) {
        // No such row, or a name that cannot be a file of the service.
        m_cityFeed->abort();
        qCDebug(lcNet) << "no city list for province" << province << pyName;
        // Nothing was asked of the service: no place, but no failure of it.
        readCities(pyName, WeatherFeed::Document());
        if (then)
            then();
        return;
    }
    m_cityFeed->get(path, WeatherFeed::CityColumns, [this, pyName, then](const WeatherFeed::Document &doc) {
        // No answer, an error, broken XML or a list without a city: nothing
        // to take a place from.
        cityListFailed = doc.cities.isEmpty();
        readCities(pyName, doc);
        if (then)
            then();
    });
}

void FormWeather::readCities(const QString &pyName, const WeatherFeed::Document &doc)
{
    if (!doc.parsed)
        qCDebug(lcNet) << "add setcontent error...";
    if (doc.root != pyName)
        qCDebug(lcNet) << "root.tagname != History...";
    {
        const QSignalBlocker block(ui->citycity);
        for (const auto &city : doc.cities) {
            fillRow(ui->IcoData2, WeatherFeed::CityColumns, city);
            const QString name = city.value(QStringLiteral("cityname"));
            qCDebug(lcNet) << "---" << "city=" << name;
            ui->citycity->addItem(name);
        }
    }
    cityListReady = true;
    if (confirmPending) {
        confirmPending = false;
        confirmPlace();
    }
}

// ---- the chosen place ------------------------------------------------------

void FormWeather::takePlace()
{
    const int p = ui->province->currentIndex();
    if (p >= FirstSpecialProvince) {
        placeName = DockFile::cell(ui->IcoData, p, 0);
        placePyName = DockFile::cell(ui->IcoData, p, 1);
    } else {
        const int c = ui->citycity->currentIndex();
        placeName = DockFile::cell(ui->IcoData2, c, 0);
        placePyName = DockFile::cell(ui->IcoData2, c, 1);
    }
    ui->cityname->setText(placeName);
}

void FormWeather::ReadSettings()
{
    if (!provinceLoaded)
        return;
    confirmPending = false;
    const StoredPlace stored = loadPlace();
    provinceIndex = stored.province;
    {
        // The explicit city download below is the only one.
        const QSignalBlocker block(ui->province);
        ui->province->setCurrentIndex(provinceIndex);
    }
    fetchCities(provinceIndex, [this, stored] {
        if (withoutCities()) {
            // The stored place stands; only its weather is unknown now.
            showOffline();
            return;
        }
        cityIndex = stored.city;
        {
            const QSignalBlocker block(ui->citycity);
            ui->citycity->setCurrentIndex(cityIndex);
        }
        takePlace();
        updateData();
    });
}

void FormWeather::SaveSettings()
{
    if (ui->province->currentIndex() < 0)
        return;
    provinceIndex = ui->province->currentIndex();
    cityIndex = ui->citycity->currentIndex();
    savePlace(provinceIndex, cityIndex);
}

void FormWeather::on_add_clicked()
{
    ui->frameset->show();
}

void FormWeather::on_addok_clicked()
{
    ui->frameset->hide();
    if (!provinceLoaded)
        return;
    if (ui->province->currentIndex() < FirstSpecialProvince && !cityListReady) {
        // The cities of the chosen province are on their way: take the
        // place when they are in.
        confirmPending = true;
        return;
    }
    confirmPlace();
}

void FormWeather::confirmPlace()
{
    if (withoutCities()) {
        // Nothing to choose from: the place stored stays chosen.
        showOffline();
        return;
    }
    takePlace();
    updateData();
    SaveSettings();
}

bool FormWeather::withoutCities() const
{
    return ui->province->currentIndex() < FirstSpecialProvince && cityListFailed;
}

// The service could not be reached or sent nothing usable: the window says
// so, and nothing it shows or hands on passes for a current reading.
void FormWeather::showOffline()
{
    if (!placeName.isEmpty())
        ui->cityname->setText(placeName);
    ui->stateDetailed->setText(tr("网路数据异常...请检查网络连接"));
    for (QLabel *reading : { ui->tem, ui->humidity, ui->windPower, ui->temNow })
        reading->setText(tr("N/A"));
    showReading(placeName, QString(), QStringLiteral("32"));
}

void FormWeather::updateData()
{
    const bool special = isSpecialPlace(placeName);
    QTableWidget *table = special ? ui->IcoData : ui->IcoData2;
    if (!(special ? provinceListReady : cityListReady))
        return;
    if (placePyName.isEmpty())
        return;
    int row = -1;
    for (int r = 0; r < table->rowCount() && row < 0; ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (DockFile::cell(table, r, c) == placePyName) {
                row = r;
                break;
            }
        }
    }
    if (row < 0)
        return;
    auto cell = [table, row](int c) { return DockFile::cell(table, row, c); };

    QString state;
    QString passedOn;
    if (!special) {
        state = cell(2);
        const QString tem1 = cell(5);
        const QString now = cell(7);
        ui->stateDetailed->setText(QStringLiteral("%1,%2").arg(cell(4), cell(8)));
        ui->tem->setText(tr("%1/%2°C").arg(cell(6), tem1));
        const QString humidity = cell(11);
        ui->humidity->setText(humidity == WeatherFeed::NoObservation ? tr("N/A") : tr("%1").arg(humidity));
        const QString power = cell(10);
        ui->windPower->setText(power == WeatherFeed::NoObservation ? tr("N/A") : tr("%1").arg(power));
        if (now == WeatherFeed::NoObservation) {
            ui->temNow->setText(tr("N/A"));
            passedOn = tem1;
        } else {
            ui->temNow->setText(tr("%1°C").arg(now));
            passedOn = now;
        }
    } else {
        state = cell(3);
        const QString tem1 = cell(6);
        const QString tem2 = cell(7);
        ui->stateDetailed->setText(QStringLiteral("%1,%2").arg(cell(5), cell(8)));
        ui->tem->setText(tr("%1/%2°C").arg(tem2, tem1));
        ui->humidity->setText(tr("N/A"));
        ui->windPower->setText(tr("N/A"));
        if (tem2 == WeatherFeed::NoObservation) {
            ui->temNow->setText(tr("N/A"));
            passedOn = tem1;
        } else {
            ui->temNow->setText(tr("%1°C").arg(tem2));
            passedOn = tem2;
        }
    }
    showReading(ui->cityname->text(), passedOn, state);
}

// What the window shows now goes to the icon and the scene alike.
void FormWeather::showReading(const QString &name, const QString &passedOn, const QString &state)
{
    emit setWeatherInit(name, ui->stateDetailed->text(), passedOn, state);
    sceneView->setWeatherIcon(state);
    setWeatherIcon(state);
}

void FormWeather::setWeatherIcon(QString state)
{
    const QPixmap picture(WeatherState::picture(state));
    if (!picture.isNull())
        ui->Icon->setPixmap(picture.scaled(ui->Icon->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void FormWeather::timeOver()
{
    if (!provinceLoaded)
        return;
    ReadSettings();
    qCDebug(lcNet) << "更新天气";
}

void FormWeather::on_Update_clicked()
{
    ui->frameset->hide();
    if (provinceLoaded)
        timeOver();
    else
        load();
}

void FormWeather::on_close_clicked()
{
    hide();
    ui->frameset->hide();
}
