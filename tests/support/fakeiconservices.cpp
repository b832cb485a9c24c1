#include "fakeiconservices.h"

FakeTrash::FakeTrash() { platform::TrashService::install(this); }
FakeTrash::~FakeTrash() { platform::TrashService::install(nullptr); }
