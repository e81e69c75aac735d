#include "app/app_context.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/startup_timeline.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    morva::StartupTimeline::Begin();
    QApplication app(argc, argv);
    morva::StartupTimeline::Mark("application object");
    morva::ConfigureApplication(app);
    morva::StartupTimeline::Mark("language and font");
    morva::StartupTimeline::EndAfterFirstPaint("Frm1");
    morva::SingleInstanceLock lock;
    const std::unique_ptr<morva::AppContext> context = morva::StartProgram(lock);
    if (!context)
        return 1;
    return app.exec();
}
