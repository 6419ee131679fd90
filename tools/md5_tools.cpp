#include "tools/md5_tools.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/errors.h"
#include "tools/crypto_error.h"

namespace orvane {

namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

std::string DigestText(const std::array<uint8_t, 16>& digest) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out(32, '0');
    for (size_t i = 0; i < 16; ++i) {
        out[2 * i] = kHex[digest[i] >> 4];
        out[2 * i + 1] = kHex[digest[i] & 15];
    }
    return out;
}

Md5Hasher::Md5Hasher() = default;

Md5Hasher::~Md5Hasher() {
    EVP_MD_CTX_free(m_ctx);
    EVP_MD_free(m_md);
}

void Md5Hasher::Begin() {
    // The algorithm is looked up on first use, so that a crypto library
    // without MD5 fails the digests and not the hasher's owner.
    if (!m_md && !(m_md = EVP_MD_fetch(nullptr, "MD5", nullptr))) RaiseCrypto("MD5 is not available");
    if (!m_ctx && !(m_ctx = EVP_MD_CTX_new())) RaiseCrypto("Cannot create an MD5 context");
    if (EVP_DigestInit_ex2(m_ctx, m_md, nullptr) != 1) RaiseCrypto("MD5 initialisation failed");
}

void Md5Hasher::Feed(const void* data, size_t len) {
    if (len && EVP_DigestUpdate(m_ctx, data, len) != 1) RaiseCrypto("MD5 update failed");
}

std::array<uint8_t, 16> Md5Hasher::Finish() {
    std::array<uint8_t, 16> d{};
    unsigned int n = 0;
    if (EVP_DigestFinal_ex(m_ctx, d.data(), &n) != 1 || n != d.size()) RaiseCrypto("MD5 final failed");
    return d;
}

std::array<uint8_t, 16> Md5Hasher::Digest(std::string_view bytes) {
    Begin();
    Feed(bytes.data(), bytes.size());
    return Finish();
}

std::string Md5Hasher::MD5_Str(std::string_view text) { return DigestText(Digest(text)); }

std::string Md5Hasher::MD5_file(const std::string& FileName, EngineHost& host) {
    struct stat st;
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        host.ShowMessage(MsgIcon::Error, "File not Exist");
        return {};
    }
    Fd fd(::open(FileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        host.ShowMessage(MsgIcon::Error, "An error occurred while reading the file");
        return {};
    }
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    Begin();
    // Until the end of the file: a short read is not the end for pipes,
    // terminals or some network file systems.
    alignas(64) unsigned char buf[kChunkSize];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            host.ShowMessage(MsgIcon::Error, "An error occurred while reading the file");
            return {};
        }
        if (n == 0) break;
        Feed(buf, size_t(n));
    }
    return DigestText(Finish());
}

}  // namespace orvane
