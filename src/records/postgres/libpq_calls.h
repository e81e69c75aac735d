#pragma once

#include <libpq-fe.h>

namespace morva {

// The functions of libpq that the server's reads call, taken from the copy that Qt's PostgreSQL
// driver loaded when it connected. The program does not link libpq itself: with the libraries it
// brings (TLS, Kerberos, LDAP) it would cost every start 3 ms, whether the desk uses a server or not.
struct LibPq {
    decltype(&PQprepare) prepare;
    decltype(&PQsendQueryPrepared) sendQueryPrepared;
    decltype(&PQsetSingleRowMode) setSingleRowMode;
    decltype(&PQgetResult) getResult;
    decltype(&PQresultStatus) resultStatus;
    decltype(&PQresultErrorField) resultErrorField;
    decltype(&PQresultErrorMessage) resultErrorMessage;
    decltype(&PQclear) clear;
    decltype(&PQnfields) nfields;
    decltype(&PQgetisnull) getisnull;
    decltype(&PQgetvalue) getvalue;
    decltype(&PQgetlength) getlength;
    decltype(&PQerrorMessage) errorMessage;
    decltype(&PQstatus) status;
    decltype(&PQtransactionStatus) transactionStatus;

    // The functions of the libpq in the process; nothing when the driver has loaded none.
    static const LibPq *Loaded();
};

} // namespace morva
