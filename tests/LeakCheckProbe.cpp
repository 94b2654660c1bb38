// Leaks one object from a slot run by the Qt event loop, as a forgotten
// parent or deleteLater would. The sanitizer build's leak check, with the
// project's suppressions, must report it (see tests/CMakeLists.txt).
#include <QCoreApplication>
#include <QObject>
#include <QTimer>

namespace {

__attribute__((noinline)) void leakedFromAQueuedCall()
{
    new QObject(); // deliberately never deleted
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTimer::singleShot(0, &application, [] {
        leakedFromAQueuedCall();
        QCoreApplication::quit();
    });
    return application.exec();
}
