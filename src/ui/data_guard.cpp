#include "ui/data_guard.h"

#include "records/data_error.h"

namespace morva {

bool RunGuarded(QWidget *owner, const std::function<void()> &step, const FailureBox &box)
{
    try {
        step();
        return true;
    } catch (const DataError &error) {
        ShowMessageBox(owner, error.fullText(), box.title, box.style);
        return false;
    }
}

} // namespace morva
