#pragma once

namespace platform {

// What the web engine needs settled before the application object exists,
// although it is loaded only when a web view is first shown: shared GL
// contexts, and no sandbox where Chromium would refuse to start with one
// (as the superuser). Where there is no GPU the engine falls back to
// software drawing by itself.
void prepareWebEngine();

} // namespace platform
