#pragma once
#include "platform/trash.h"

#include <QList>
#include <QUrl>

// Fakes of the services the dock icons use. Each installs itself while it lives.

class FakeTrash : public platform::Trash
{
public:
    FakeTrash();
    ~FakeTrash() override;
    State state() override
    {
        ++queries;
        return current;
    }
    bool emptyAll() override
    {
        ++emptied;
        if (emptySucceeds)
            current = Empty;
        return emptySucceeds;
    }

    State current = Empty;
    bool emptySucceeds = true;
    int queries = 0;
    int emptied = 0;
};
