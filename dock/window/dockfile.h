#pragma once
// Moved below the window so menus and the launch pad can use it too.
#include "dock/model/dockfile.h"
