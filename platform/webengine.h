#pragma once

namespace platform {

// What the web engine needs settled before the application object exists,
// although it is loaded only when a web view is first shown: shared GL
// contexts, software drawing (no GPU needed), and no sandbox where Chromium
// would refuse to start with one (as the superuser). Settings already in the
// environment are kept.
void prepareWebEngine();

} // namespace platform
