#include "obt/pending_io_error.h"

#include "obt/io_error.h"

namespace obt {

void PendingIoError::RaisePending() { throw IoError(TakeIoError()); }

}  // namespace obt
