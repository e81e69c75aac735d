#pragma once

#include <QString>

#include <stdexcept>

namespace morva {

// A failure of the data files: what the user is told (Persian) and what the engine said.
class DataError : public std::runtime_error {
public:
    DataError(const QString &userText, const QString &detail = {});

    QString userText() const { return userText_; }
    QString detail() const { return detail_; }
    // The whole text for a message box: the user text, then the engine's words if any.
    QString fullText() const;

private:
    QString userText_;
    QString detail_;
};

// A clinic's server asks for a password that the desk has not given.
class ServerNeedsPassword : public DataError {
public:
    using DataError::DataError;
};

// A subject was deleted (from another window, or another room of the clinic) between reading it
// and writing to it: nothing was written.
class SubjectGone : public DataError {
public:
    SubjectGone();
};

} // namespace morva
