#include "ui/data_guard.h"

#include "ui/message_box.h"
#include "records/data_error.h"

namespace morva {

bool RunGuarded(QWidget *owner, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const DataError &error) {
        ShowMessageBox(owner, error.fullText(), QStringLiteral("خطا"), BoxStyle::OkStopRtl);
        return false;
    }
}

} // namespace morva
