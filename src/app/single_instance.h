#pragma once

#include <QLockFile>
#include <QString>

namespace morva {

// Held for the whole run of the program: a second start finds it taken. A lock left behind by a
// program that was killed is taken over.
class SingleInstanceLock {
public:
    SingleInstanceLock();
    bool acquire();
    static QString path();

private:
    QLockFile lock_;
};

} // namespace morva
