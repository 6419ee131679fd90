#include "tools/aes_cipher.h"

#include <openssl/evp.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/errors.h"
#include "tools/base64.h"
#include "tools/crypto_error.h"

namespace orvane {

namespace {

EVP_CIPHER_CTX* NewContext(const EVP_CIPHER* cipher, const AesBlock& key, bool encrypt) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    if (!ctx) RaiseCrypto("Cannot create an AES context");
    const int ok = encrypt ? EVP_EncryptInit_ex(ctx, cipher, nullptr, key.data(), nullptr)
                           : EVP_DecryptInit_ex(ctx, cipher, nullptr, key.data(), nullptr);
    if (ok != 1 || EVP_CIPHER_CTX_set_padding(ctx, 0) != 1) {
        EVP_CIPHER_CTX_free(ctx);
        RaiseCrypto("AES initialisation failed");
    }
    return ctx;
}

// Runs whole blocks through a context, in pieces that fit the library's int
// lengths.
void Update(EVP_CIPHER_CTX* ctx, bool encrypt, const uint8_t* in, uint8_t* out, size_t blocks) {
    constexpr size_t kMaxPiece = (size_t(INT_MAX) / 16) * 16;
    size_t left = blocks * 16;
    while (left) {
        const size_t piece = std::min(left, kMaxPiece);
        int outLen = 0;
        const int ok = encrypt ? EVP_EncryptUpdate(ctx, out, &outLen, in, int(piece))
                               : EVP_DecryptUpdate(ctx, out, &outLen, in, int(piece));
        if (ok != 1 || size_t(outLen) != piece) RaiseCrypto("AES block operation failed");
        in += piece;
        out += piece;
        left -= piece;
    }
}

inline void XorInto(uint8_t* dst, const uint8_t* src, size_t n) {
    for (size_t i = 0; i < n; ++i) dst[i] ^= src[i];
}

// The partial-block rule: the r bytes at `in` XOR-ed with the first r bytes
// of the encryption of `chain`, into `out`.
void PartialBlock(Aes128& aes, const AesBlock& chain, const uint8_t* in, uint8_t* out, size_t r) {
    const AesBlock stream = aes.EncryptBlock(chain);
    for (size_t i = 0; i < r; ++i) out[i] = uint8_t(in[i] ^ stream[i]);
}

const uint8_t* Bytes(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }
uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }

AesBlock LoadBlock(const uint8_t* p) {
    AesBlock b;
    std::memcpy(b.data(), p, 16);
    return b;
}

}  // namespace

Aes128::Aes128(const AesBlock& key) : m_key(key) {
    m_ecbEncrypt = NewContext(EVP_aes_128_ecb(), key, true);
    try {
        m_ecbDecrypt = NewContext(EVP_aes_128_ecb(), key, false);
    } catch (...) {
        EVP_CIPHER_CTX_free(m_ecbEncrypt);
        throw;
    }
}

Aes128::~Aes128() {
    EVP_CIPHER_CTX_free(m_ecbEncrypt);
    EVP_CIPHER_CTX_free(m_ecbDecrypt);
    EVP_CIPHER_CTX_free(m_cbcEncrypt);
    OPENSSL_cleanse(m_key.data(), m_key.size());
}

AesBlock Aes128::EncryptBlock(const AesBlock& in) {
    AesBlock out;
    Update(m_ecbEncrypt, true, in.data(), out.data(), 1);
    return out;
}

AesBlock Aes128::DecryptBlock(const AesBlock& in) {
    AesBlock out;
    Update(m_ecbDecrypt, false, in.data(), out.data(), 1);
    return out;
}

void Aes128::EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks) {
    Update(m_ecbEncrypt, true, in, out, blocks);
}

void Aes128::DecryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks) {
    Update(m_ecbDecrypt, false, in, out, blocks);
}

void Aes128::CbcEncryptBlocks(AesBlock& chain, const uint8_t* in, uint8_t* out, size_t blocks) {
    if (blocks == 0) return;
    // The library's CBC does exactly this chaining, with the key schedule
    // kept in the processor's AES unit from block to block.
    if (!m_cbcEncrypt) m_cbcEncrypt = NewContext(EVP_aes_128_cbc(), m_key, true);
    if (EVP_EncryptInit_ex(m_cbcEncrypt, nullptr, nullptr, nullptr, chain.data()) != 1)
        RaiseCrypto("AES initialisation failed");
    Update(m_cbcEncrypt, true, in, out, blocks);
    chain = LoadBlock(out + (blocks - 1) * 16);
}

AesBlock CipherKey(std::string_view keyText) {
    AesBlock key{};
    if (!keyText.empty()) std::memcpy(key.data(), keyText.data(), std::min(keyText.size(), key.size()));
    return key;
}

AesBlock CipherIV(Aes128& aes, std::string_view ivText) {
    if (ivText.empty()) return aes.EncryptBlock(AesBlock{});
    return CipherKey(ivText);
}

std::string CbcEncrypt(Aes128& aes, const AesBlock& iv, std::string_view plain) {
    std::string out(plain.size(), '\0');
    const size_t full = plain.size() / 16, r = plain.size() % 16;
    AesBlock chain = iv;
    aes.CbcEncryptBlocks(chain, Bytes(plain), Bytes(out), full);
    if (r) PartialBlock(aes, chain, Bytes(plain) + full * 16, Bytes(out) + full * 16, r);
    return out;
}

std::string CbcDecrypt(Aes128& aes, const AesBlock& iv, std::string_view cipher) {
    std::string out(cipher.size(), '\0');
    const size_t full = cipher.size() / 16, r = cipher.size() % 16;
    const uint8_t* in = Bytes(cipher);
    uint8_t* o = Bytes(out);
    // Every block decrypts on its own; the chaining is an XOR with the
    // previous cipher block afterwards.
    aes.DecryptBlocks(in, o, full);
    if (full) {
        XorInto(o, iv.data(), 16);
        XorInto(o + 16, in, (full - 1) * 16);
    }
    const AesBlock chain = full ? LoadBlock(in + (full - 1) * 16) : iv;
    if (r) PartialBlock(aes, chain, in + full * 16, o + full * 16, r);
    return out;
}

std::string CbcEncryptBlockwise(Aes128& aes, const AesBlock& iv, std::string_view plain) {
    std::string out(plain.size(), '\0');
    const size_t full = plain.size() / 16, r = plain.size() % 16;
    AesBlock chain = iv;
    for (size_t b = 0; b < full; ++b) {
        AesBlock block = LoadBlock(Bytes(plain) + b * 16);
        XorInto(block.data(), chain.data(), 16);
        chain = aes.EncryptBlock(block);
        std::memcpy(Bytes(out) + b * 16, chain.data(), 16);
    }
    if (r) PartialBlock(aes, chain, Bytes(plain) + full * 16, Bytes(out) + full * 16, r);
    return out;
}

std::string CbcDecryptBlockwise(Aes128& aes, const AesBlock& iv, std::string_view cipher) {
    std::string out(cipher.size(), '\0');
    const size_t full = cipher.size() / 16, r = cipher.size() % 16;
    AesBlock chain = iv;
    for (size_t b = 0; b < full; ++b) {
        const AesBlock block = LoadBlock(Bytes(cipher) + b * 16);
        AesBlock plain = aes.DecryptBlock(block);
        XorInto(plain.data(), chain.data(), 16);
        std::memcpy(Bytes(out) + b * 16, plain.data(), 16);
        chain = block;
    }
    if (r) PartialBlock(aes, chain, Bytes(cipher) + full * 16, Bytes(out) + full * 16, r);
    return out;
}

namespace {
// Blocks encrypted per piece: 48 KiB of cipher bytes, a multiple of three,
// so that each piece ends on a whole Base64 group and stays in the cache.
constexpr size_t kPieceBlocks = 3072;
}  // namespace

AesBase64Encoder::AesBase64Encoder(std::string_view keyText, std::string_view ivText)
    : m_aes(CipherKey(keyText)), m_chain(CipherIV(m_aes, ivText)) {}

size_t AesBase64Encoder::EncodedLength(size_t plainLength) {
    return Base64Length(plainLength + Pkcs7PadCount(plainLength));
}

void AesBase64Encoder::EncryptAndEncode(const uint8_t* in, size_t blocks, std::string& out) {
    while (blocks) {
        const size_t n = std::min(blocks, kPieceBlocks);
        m_scratch.resize(m_pending + n * 16);
        uint8_t* cipher = Bytes(m_scratch);
        m_aes.CbcEncryptBlocks(m_chain, in, cipher + m_pending, n);
        const size_t total = m_pending + n * 16;
        const size_t whole = total / 3 * 3;
        Base64EncodeAppend(std::string_view(m_scratch.data(), whole), out);
        m_pending = total - whole;
        for (size_t i = 0; i < m_pending; ++i) cipher[i] = cipher[whole + i];
        in += n * 16;
        blocks -= n;
    }
}

void AesBase64Encoder::Feed(std::string_view plain, std::string& out) {
    const auto* p = Bytes(plain);
    size_t left = plain.size();
    if (left == 0) return;
    if (m_plainLength) {
        const size_t take = std::min(left, 16 - m_plainLength);
        std::memcpy(m_plain.data() + m_plainLength, p, take);
        m_plainLength += take;
        p += take;
        left -= take;
        if (m_plainLength < 16) return;
        EncryptAndEncode(m_plain.data(), 1, out);
        m_plainLength = 0;
    }
    // The whole blocks straight from the text, never copied.
    EncryptAndEncode(p, left / 16, out);
    m_plainLength = left % 16;
    if (m_plainLength) std::memcpy(m_plain.data(), p + left / 16 * 16, m_plainLength);
}

void AesBase64Encoder::Finish(std::string& out) {
    const size_t pad = Pkcs7PadCount(m_plainLength);
    std::memset(m_plain.data() + m_plainLength, int(pad), pad);
    EncryptAndEncode(m_plain.data(), 1, out);
    m_plainLength = 0;
    Base64EncodeAppend(std::string_view(m_scratch.data(), m_pending), out);
    m_pending = 0;
}

std::string AesEncodeText(std::string_view keyText, std::string_view ivText,
                          std::string_view plain) {
    AesBase64Encoder encoder(keyText, ivText);
    std::string out;
    out.reserve(AesBase64Encoder::EncodedLength(plain.size()));
    encoder.Feed(plain, out);
    encoder.Finish(out);
    return out;
}

std::string AesDecodeText(std::string_view keyText, std::string_view ivText,
                          std::string_view encoded) {
    const std::string cipher = Base64DecodeGroups(encoded);
    Aes128 aes(CipherKey(keyText));
    return CbcDecrypt(aes, CipherIV(aes, ivText), cipher);
}

}  // namespace orvane
