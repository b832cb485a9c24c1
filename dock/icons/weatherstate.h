#pragma once
#include <QString>

// Weather state codes of the service (0 to 31) to our pictures and scenes.
namespace WeatherState {

// The state text read as a decimal number; a text that is no number is 0.
int code(const QString &state);
// Number N of ":/image/weather/icon/N.png"; 32 is "no data".
int pictureNumber(int code);
QString picture(const QString &state);

} // namespace WeatherState
