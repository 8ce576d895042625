#pragma once
// Failures of the module history, each carrying its message. None of them
// stops an operation on a module: the recorder catches them and tells the
// user once that history was not kept, and why.

#include <stdexcept>
#include <string>

namespace qx {

class EHistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// This build keeps no history (it was made without SQLite).
class EHistoryUnavailable : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// Another program held the database locked for longer than the busy time-out.
class EHistoryBusy : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// The file is damaged, is no history database, or was written by a newer
// version of the program. It is left as it is.
class EHistoryCorrupt : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// The disk (or the database's size limit) is full.
class EHistoryFull : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// The database or its folder may not be written.
class EHistoryReadOnly : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// No entry has the identifier asked for, or it holds no configuration.
class EHistoryNoEntry : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

// A "history:ID" operand whose ID is not a whole positive number.
class EHistoryOperandError : public EHistoryError {
public:
    using EHistoryError::EHistoryError;
};

}  // namespace qx
