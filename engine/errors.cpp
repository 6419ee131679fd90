#include "engine/errors.h"

namespace orvane {

void RaiseInvalidInteger(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}
void RaiseInvalidFloat(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}
void RaiseInvalidDateTime(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid date and time");
}
void RaiseTimeEncode() { throw EConvertError("Invalid argument to time encode"); }

}  // namespace orvane
