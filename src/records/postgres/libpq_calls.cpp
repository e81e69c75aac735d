#include "records/postgres/libpq_calls.h"

#include "common/library_functions.h"

#include <optional>

namespace morva {
namespace {

std::optional<LibPq> Find()
{
    void *library = dlopen("libpq.so.5", RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return std::nullopt;
    LibPq pq{};
    bool missing = false;
    TakeFunction(library, "PQprepare", pq.prepare, missing);
    TakeFunction(library, "PQsendQueryPrepared", pq.sendQueryPrepared, missing);
    TakeFunction(library, "PQsetSingleRowMode", pq.setSingleRowMode, missing);
    TakeFunction(library, "PQgetResult", pq.getResult, missing);
    TakeFunction(library, "PQresultStatus", pq.resultStatus, missing);
    TakeFunction(library, "PQresultErrorField", pq.resultErrorField, missing);
    TakeFunction(library, "PQresultErrorMessage", pq.resultErrorMessage, missing);
    TakeFunction(library, "PQclear", pq.clear, missing);
    TakeFunction(library, "PQnfields", pq.nfields, missing);
    TakeFunction(library, "PQgetisnull", pq.getisnull, missing);
    TakeFunction(library, "PQgetvalue", pq.getvalue, missing);
    TakeFunction(library, "PQgetlength", pq.getlength, missing);
    TakeFunction(library, "PQerrorMessage", pq.errorMessage, missing);
    TakeFunction(library, "PQstatus", pq.status, missing);
    TakeFunction(library, "PQtransactionStatus", pq.transactionStatus, missing);
    // The library stays loaded with the driver; the handle only counts one more use of it.
    if (missing)
        return std::nullopt;
    return pq;
}

} // namespace

const LibPq *LibPq::Loaded()
{
    static const std::optional<LibPq> found = Find();
    return found ? &*found : nullptr;
}

} // namespace morva
