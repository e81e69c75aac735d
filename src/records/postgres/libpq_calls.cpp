#include "records/postgres/libpq_calls.h"

#include <dlfcn.h>

#include <optional>

namespace morva {
namespace {

template <class Function>
void Take(void *library, const char *name, Function &function, bool &missing)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    missing = missing || !function;
}

std::optional<LibPq> Find()
{
    void *library = dlopen("libpq.so.5", RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return std::nullopt;
    LibPq pq{};
    bool missing = false;
    Take(library, "PQprepare", pq.prepare, missing);
    Take(library, "PQsendQueryPrepared", pq.sendQueryPrepared, missing);
    Take(library, "PQsetSingleRowMode", pq.setSingleRowMode, missing);
    Take(library, "PQgetResult", pq.getResult, missing);
    Take(library, "PQresultStatus", pq.resultStatus, missing);
    Take(library, "PQresultErrorField", pq.resultErrorField, missing);
    Take(library, "PQresultErrorMessage", pq.resultErrorMessage, missing);
    Take(library, "PQclear", pq.clear, missing);
    Take(library, "PQnfields", pq.nfields, missing);
    Take(library, "PQgetisnull", pq.getisnull, missing);
    Take(library, "PQgetvalue", pq.getvalue, missing);
    Take(library, "PQgetlength", pq.getlength, missing);
    Take(library, "PQerrorMessage", pq.errorMessage, missing);
    Take(library, "PQstatus", pq.status, missing);
    Take(library, "PQtransactionStatus", pq.transactionStatus, missing);
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
