#pragma once
#include "platform/service.h"

// Ends the picker. The real one leaves through the event loop, so that the
// application object is destroyed normally and hands a copied colour to the
// clipboard manager before the process goes. Tests install a recorder.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void end(int code) = 0;
};

using ProgramEndService = platform::Service<ProgramEnd>;
