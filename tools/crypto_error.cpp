#include "tools/crypto_error.h"

#include <openssl/err.h>

#include "engine/errors.h"

namespace orvane {

[[noreturn]] void RaiseCrypto(const std::string& what) {
    unsigned long code = ERR_get_error();
    char text[256] = "unknown error";
    if (code) ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    throw EOrvane("ECryptoError", what + ": " + text);
}

}  // namespace orvane
