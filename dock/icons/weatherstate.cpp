#include "weatherstate.h"

namespace WeatherState {

int code(const QString &state)
{
    return state.toInt(nullptr, 10);
}

int pictureNumber(int code)
{
    if (code < 0 || code > 31)
        return 32;
    if (code >= 10 && code <= 12)
        return 9;
    if (code == 16)
        return 15;
    if (code == 19)
        return 6;
    if (code >= 21 && code <= 25)
        return 9;
    if (code >= 26 && code <= 28)
        return 14;
    return code; // 0 to 9, 13, 14, 15, 17, 18, 20, 29, 30, 31 have their own picture
}

QString picture(const QString &state)
{
    return QStringLiteral(":/image/weather/icon/%1.png").arg(pictureNumber(code(state)));
}

} // namespace WeatherState
