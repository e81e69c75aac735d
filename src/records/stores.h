#pragma once

namespace morva {

class SettingsStore;
class SubjectStore;

// The stores of a running program, opened once at its start and handed to every window.
struct Stores {
    SettingsStore &settings;
    SubjectStore &subjects;
};

} // namespace morva
