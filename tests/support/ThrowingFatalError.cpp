// In the logic's unit tests a fatal run-time error becomes an exception that
// a test can expect, instead of a report box and the end of the process.
#include "tests/support/ThrowingFatalError.h"

namespace varnesse {

void RaiseFatalRuntimeError(const FatalError& error) { throw FatalErrorRaised(error); }

}  // namespace varnesse
