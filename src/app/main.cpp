#include "app/app_context.h"
#include "app/single_instance.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    morva::ConfigureApplication(app);
    morva::SingleInstanceLock lock;
    const std::unique_ptr<morva::AppContext> context = morva::StartProgram(lock);
    if (!context)
        return 1;
    return app.exec();
}
