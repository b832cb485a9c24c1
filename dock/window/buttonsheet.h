#pragma once
// The style sheets live in dock/style.
#include "dock/style/dockstyle.h"
