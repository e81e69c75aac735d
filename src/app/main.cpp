#include "app/single_instance.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    morva::ConfigureApplication(app);
    morva::SingleInstanceLock lock;
    if (!morva::StartProgram(lock))
        return 1;
    return app.exec();
}
