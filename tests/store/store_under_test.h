#pragma once

#include "records/subject_store.h"

#include <QString>

#include <memory>

namespace morva::testing {

// A subject store of the kind under test, empty, for one test, and a folder of its own for the
// files a test writes (backups).
class StoreUnderTest {
public:
    virtual ~StoreUnderTest() = default;
    virtual SubjectStore &store() = 0;
    virtual QString folder() const = 0;
};

// Made by each kind of store's test program.
std::unique_ptr<StoreUnderTest> NewStoreUnderTest();

} // namespace morva::testing
