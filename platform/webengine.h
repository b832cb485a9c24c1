#pragma once

namespace platform {

// What the web engine needs settled before the application object exists,
// although it is loaded only when a web view is first shown: shared GL
// contexts, software drawing (no GPU needed), and no sandbox where Chromium
// would refuse to start with one (as the superuser). Settings already in the
// environment are kept.
void prepareWebEngine();

// Run just before the web engine is first loaded. Chromium's sandbox needs
// user namespaces (Debian ships no setuid helper); where the kernel or a
// container refuses them, Chromium would abort the whole program on its first
// page, so the sandbox is turned off instead. An explicit setting in the
// environment is kept. Returns whether the sandbox stays on.
bool settleWebEngineSandbox();

// Whether this process may make a user namespace (tried in a child process).
bool userNamespacesAvailable();

} // namespace platform
