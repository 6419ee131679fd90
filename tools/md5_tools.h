#pragma once
// MD5 digests (RFC 1321) of texts and files, as 32 upper-case hexadecimal
// digits. One hasher belongs to its owner (the session, the tools page) and
// is re-initialised at the start of every digest, so no digest carries state
// into the next.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/session.h"

struct evp_md_ctx_st;
struct evp_md_st;

namespace orvane {

// The 16 digest bytes in order, two upper-case hexadecimal digits each.
std::string DigestText(const std::array<uint8_t, 16>& digest);

class Md5Hasher {
public:
    // Bytes read from a file at a time.
    static constexpr size_t kChunkSize = 16384;

    // Never fails: every digest raises EOrvane "ECryptoError" when the crypto
    // library offers no MD5.
    Md5Hasher();
    ~Md5Hasher();
    Md5Hasher(const Md5Hasher&) = delete;
    Md5Hasher& operator=(const Md5Hasher&) = delete;

    // The digest of `bytes`.
    std::array<uint8_t, 16> Digest(std::string_view bytes);

    // The digest text of the text's bytes (empty text digests zero bytes:
    // "D41D8CD98F00B204E9800998ECF8427E"). Shows nothing.
    std::string MD5_Str(std::string_view text);

    // The digest text of the file's bytes, read in chunks of kChunkSize until
    // the end of the file. A missing file (or a folder) shows the message box
    // "File not Exist", a file that cannot be opened or read "An error
    // occurred while reading the file" (error icon, through `host`); both
    // return empty text.
    std::string MD5_file(const std::string& FileName, EngineHost& host);

private:
    void Begin();
    void Feed(const void* data, size_t len);
    std::array<uint8_t, 16> Finish();

    evp_md_ctx_st* m_ctx = nullptr;
    evp_md_st* m_md = nullptr;
};

}  // namespace orvane
