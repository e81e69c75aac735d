#include "app/app_context.h"
#include "app/font_configuration.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/startup_timeline.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    morva::StartupTimeline::Begin();
    morva::FontConfigurationLoad fonts;
    QApplication app(argc, argv);
    morva::StartupTimeline::Mark("application object");
    morva::ConfigureApplication(app);
    morva::StartupTimeline::Mark("language and font");
    morva::StartupTimeline::EndAfterFirstPaint("Frm1");
    morva::SingleInstanceLock lock;
    const std::unique_ptr<morva::AppContext> context = morva::StartProgram(lock, &fonts);
    if (!context)
        return 1;
    return app.exec();
}
