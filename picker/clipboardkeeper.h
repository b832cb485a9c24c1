#pragma once
#include "platform/service.h"

// An X11 clipboard lives in the program that owns it: a copied colour is gone
// when the picker ends, unless a clipboard manager takes it over at the end.
class ClipboardKeeper
{
public:
    virtual ~ClipboardKeeper() = default;
    // Whether ending now would lose the clipboard: it is ours, and no
    // clipboard manager is running to take it over.
    virtual bool endWouldLoseClipboard() = 0;
};

using ClipboardKeeperService = platform::Service<ClipboardKeeper>;

// Ends the picker with `code`: at once, or, when that would lose the copied
// colour, only once another program has taken the clipboard (as xclip does).
// The windows are closed before; the picker waits without any.
void endKeepingClipboard(int code);
