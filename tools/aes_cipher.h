#pragma once
// The tools page's symmetric cipher: AES-128 (FIPS-197) in CBC mode over the
// bytes of a text, with PKCS #7 padding and the result in Base64, and back.
//
// The AES block operations come from OpenSSL's EVP interface; the key and IV
// rules, the padding, the chaining and the rule for a final partial block are
// ours:
// - key: the first 16 bytes of the key text; a shorter text (the empty one
//   included) is filled out with zero bytes;
// - IV: the first 16 bytes of the IV text, filled out with zero bytes; an
//   empty IV text means the encryption, under the key, of sixteen zero bytes;
// - a final block of r < 16 bytes, in either direction, is XOR-ed with the
//   first r bytes of the encryption of the current chaining value.
//
// Failures of the crypto library raise EOrvane "ECryptoError".
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct evp_cipher_ctx_st;

namespace orvane {

using AesBlock = std::array<uint8_t, 16>;

// AES-128 under one key, for the lifetime of the object (one click).
class Aes128 {
public:
    explicit Aes128(const AesBlock& key);
    ~Aes128();
    Aes128(const Aes128&) = delete;
    Aes128& operator=(const Aes128&) = delete;

    // The encryption and the decryption of one block.
    AesBlock EncryptBlock(const AesBlock& in);
    AesBlock DecryptBlock(const AesBlock& in);

    // `blocks` independent blocks (ECB); `out` may equal `in`.
    void EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks);
    void DecryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks);

    // CBC encryption of `blocks` whole blocks chained from `chain`, which then
    // holds the last cipher block. The same bytes as XOR-ing each plain block
    // with the chaining value and encrypting it, one block at a time.
    void CbcEncryptBlocks(AesBlock& chain, const uint8_t* in, uint8_t* out, size_t blocks);

private:
    evp_cipher_ctx_st* m_ecbEncrypt = nullptr;
    evp_cipher_ctx_st* m_ecbDecrypt = nullptr;
    evp_cipher_ctx_st* m_cbcEncrypt = nullptr;
    AesBlock m_key;
};

// The key of a key text: its first 16 bytes, zero-filled when shorter.
AesBlock CipherKey(std::string_view keyText);
// The IV of an IV text: its first 16 bytes, zero-filled when shorter; the
// encryption of sixteen zero bytes under `aes` when the text is empty.
AesBlock CipherIV(Aes128& aes, std::string_view ivText);

// The PKCS #7 padding of a length: 1 to 16 bytes, each of that count, so that
// the padded length is a multiple of 16.
inline size_t Pkcs7PadCount(size_t length) { return 16 - length % 16; }

// CBC encryption of `plain` from `iv`; a final partial block takes the
// partial-block rule. No padding is added.
std::string CbcEncrypt(Aes128& aes, const AesBlock& iv, std::string_view plain);
// CBC decryption of `cipher` from `iv`; a final partial block takes the
// partial-block rule. No padding is checked or removed.
std::string CbcDecrypt(Aes128& aes, const AesBlock& iv, std::string_view cipher);

// The same two, one block at a time through EncryptBlock/DecryptBlock: the
// plain statement of the chaining, the oracle for the bulk forms above.
std::string CbcEncryptBlockwise(Aes128& aes, const AesBlock& iv, std::string_view plain);
std::string CbcDecryptBlockwise(Aes128& aes, const AesBlock& iv, std::string_view cipher);

// The encoding of "Button_encode" as a stream: the text goes in piece by
// piece and its Base64 cipher text comes out as far as it is known, so a text
// of any size is encoded in one pass through a small buffer. The text is
// padded by PKCS #7 and encrypted in CBC under the key and IV of the two
// texts.
class AesBase64Encoder {
public:
    AesBase64Encoder(std::string_view keyText, std::string_view ivText);

    // Takes the next piece of the text and appends to `out` the Base64 text
    // of the cipher bytes it completes.
    void Feed(std::string_view plain, std::string& out);
    // Pads the text, encrypts the last block and appends the rest of the
    // Base64 text. Call once, after the last Feed.
    void Finish(std::string& out);

    // The length of the whole Base64 text for a text of `plainLength` bytes.
    static size_t EncodedLength(size_t plainLength);

private:
    void EncryptAndEncode(const uint8_t* in, size_t blocks, std::string& out);

    Aes128 m_aes;
    AesBlock m_chain;
    AesBlock m_plain{};          // text bytes waiting for a whole block
    size_t m_plainLength = 0;
    std::string m_scratch;       // cipher bytes of one piece, before Base64
    size_t m_pending = 0;        // cipher bytes at the front of m_scratch waiting
                                 // for a whole Base64 group (0 to 2)
};

// The whole encoding in one call: the text the encoded box receives.
std::string AesEncodeText(std::string_view keyText, std::string_view ivText,
                          std::string_view plain);
// The plain bytes of "Button_decode": `encoded` read by Base64DecodeGroups,
// decrypted in CBC under the key and IV of the two texts, pad bytes and all.
std::string AesDecodeText(std::string_view keyText, std::string_view ivText,
                          std::string_view encoded);

}  // namespace orvane
