#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcDesktop, "zorvane.desktop", QtInfoMsg)
