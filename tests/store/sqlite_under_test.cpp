// The contract of a subject store, run on the desk's SQLite file.
#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_subject_store.h"
#include "store/store_under_test.h"
#include "support/data_support.h"

namespace morva::testing {
namespace {

class SqliteUnderTest final : public StoreUnderTest {
public:
    SqliteUnderTest() : store_(folder_.file(DataFilePath(DataFile::Subjects))) {}
    SubjectStore &store() override { return store_; }
    QString folder() const override { return folder_.path(); }

private:
    DataFolder folder_;
    SqliteSubjectStore store_;
};

} // namespace

std::unique_ptr<StoreUnderTest> NewStoreUnderTest()
{
    return std::make_unique<SqliteUnderTest>();
}

} // namespace morva::testing
