#include "engine/fp_check.h"

#include "engine/errors.h"

namespace orvane {

void RaiseFpFault(int flags) {
    std::feclearexcept(FE_ALL_EXCEPT);
    if (flags & FE_INVALID) throw EInvalidOp();
    if (flags & FE_DIVBYZERO) throw EZeroDivide();
    throw EOverflow();
}

}  // namespace orvane
