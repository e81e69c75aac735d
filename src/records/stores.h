#pragma once

#include <QDateTime>

#include <functional>

namespace morva {

class SettingsStore;
class SubjectStore;

// The stores of a running program, opened once at its start and handed to every window, with the
// clock that dates what the windows write (the tests set their own).
struct Stores {
    SettingsStore &settings;
    SubjectStore &subjects;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

} // namespace morva
