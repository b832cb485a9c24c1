#include "webengine.h"
#include "platform/logging.h"

#include <QCoreApplication>

#include <cerrno>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

void prepareWebEngine()
{
    // Web views share Qt's OpenGL context where there is one; where Qt has
    // no OpenGL on X, asking for that context would only fail, out loud.
    if (qgetenv("QT_XCB_GL_INTEGRATION") != "none")
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Our pages are small: software drawing serves them, and works where
    // there is no GPU or no OpenGL at all.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
}

bool userNamespacesAvailable()
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(unshare(CLONE_NEWUSER) == 0 ? 0 : 1);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool settleWebEngineSandbox()
{
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") == 0;
    if (qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QLatin1String("--no-sandbox")))
        return false;
    if (userNamespacesAvailable())
        return true;
    qCDebug(lcDesktop) << "no user namespaces: the web view runs without Chromium's sandbox";
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return false;
}

} // namespace platform
