// The contract of a subject store, run on a PostgreSQL server of the test's own.
#include "records/postgres/postgres_subject_store.h"
#include "store/store_under_test.h"
#include "support/data_support.h"
#include "support/postgres_server.h"

namespace morva::testing {
namespace {

class PostgresUnderTest final : public StoreUnderTest {
public:
    PostgresUnderTest() : store_(TestServer().newDatabase(), std::nullopt) {}
    SubjectStore &store() override { return store_; }
    QString folder() const override { return folder_.path(); }

private:
    DataFolder folder_; // the working directory, with a desk's files, as the program has it
    PostgresSubjectStore store_;
};

} // namespace

std::unique_ptr<StoreUnderTest> NewStoreUnderTest()
{
    return std::make_unique<PostgresUnderTest>();
}

} // namespace morva::testing
