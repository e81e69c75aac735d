#include "app/startup_timeline.h"

#include "common/peak_memory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace morva {
namespace {

using Clock = std::chrono::steady_clock;

struct Timeline {
    bool active = false;
    Clock::time_point origin;
};

Timeline &State()
{
    static Timeline timeline;
    return timeline;
}

// Watches every object's events for the first paint of the named window.
class FirstPaint : public QObject {
public:
    FirstPaint(const char *windowName, QObject *parent) : QObject(parent), windowName_(windowName) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->objectName() == QLatin1String(windowName_)) {
            seen_ = true;
            // The rest of the window is painted and shown in the same round of the event loop.
            QTimer::singleShot(0, qApp, [] {
                StartupTimeline::Mark("first paint");
                WritePeakMemory();
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    const char *windowName_;
    bool seen_ = false;
};

} // namespace

void StartupTimeline::Begin()
{
    const char *value = std::getenv("MORVA_STARTUP_TIMELINE");
    if (!value)
        return;
    Timeline &timeline = State();
    timeline.active = true;
    timeline.origin = Clock::now();
    char *end = nullptr;
    const Clock::time_point started(std::chrono::nanoseconds(std::strtoll(value, &end, 10)));
    // A moment of the last minute; anything else ("1") only switches the timeline on.
    if (*value != '\0' && *end == '\0' && started <= timeline.origin
        && timeline.origin - started < std::chrono::minutes(1)) {
        timeline.origin = started;
        Mark("main");
    }
}

bool StartupTimeline::Active()
{
    return State().active;
}

void StartupTimeline::Mark(const char *step)
{
    if (!State().active)
        return;
    const std::chrono::duration<double, std::milli> since = Clock::now() - State().origin;
    std::fprintf(stderr, "morva start-up: %.1f ms %s\n", since.count(), step);
}

void StartupTimeline::EndAfterFirstPaint(const char *windowName)
{
    if (State().active)
        qApp->installEventFilter(new FirstPaint(windowName, qApp));
}

} // namespace morva
