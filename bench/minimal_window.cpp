// The floor of the program's start-up: the least a Qt program does to show what Morva shows
// first, one right-to-left window with one Persian label in Nazli. Ends after its first paint;
// the environment variable MORVA_STARTUP_TIMELINE is read as the program reads it, so that both
// are measured alike.
#include "common/peak_memory.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point Origin()
{
    static const Clock::time_point origin = [] {
        const char *value = std::getenv("MORVA_STARTUP_TIMELINE");
        const Clock::time_point now = Clock::now();
        const Clock::time_point started(std::chrono::nanoseconds(value ? std::atoll(value) : 0));
        return started <= now && now - started < std::chrono::minutes(1) ? started : now;
    }();
    return origin;
}

void Mark(const char *step)
{
    const std::chrono::duration<double, std::milli> since = Clock::now() - Origin();
    std::fprintf(stderr, "morva start-up: %.1f ms %s\n", since.count(), step);
}

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (painted_)
            return;
        painted_ = true;
        QTimer::singleShot(0, qApp, [] {
            Mark("first paint");
            morva::WritePeakMemory();
            QCoreApplication::exit(0);
        });
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char *argv[])
{
    Origin();
    Mark("main");
    QApplication app(argc, argv);
    app.setLayoutDirection(Qt::RightToLeft);
    Mark("application object");
    Window window;
    window.setWindowTitle(QStringLiteral("Morva"));
    auto *label = new QLabel(QStringLiteral("برنامه‌ی سنجش عشق"), &window);
    label->setFont(QFont(QStringLiteral("Nazli"), 11));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(label);
    window.resize(714, 531); // the main window's size
    window.show();
    Mark("window shown");
    return app.exec();
}
