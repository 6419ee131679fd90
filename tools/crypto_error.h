#pragma once
// The one way the digests and the cipher report a failure of the crypto
// library.
#include <string>

namespace orvane {

// Raises ECryptoError "<what>: <the library's first queued error>" and clears
// the library's error queue.
[[noreturn]] void RaiseCrypto(const std::string& what);

}  // namespace orvane
