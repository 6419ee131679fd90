// The tools page's cipher: AES blocks, CBC with the partial-block rule, the
// key and IV rules, PKCS #7, Base64 both ways; checked against OpenSSL's own
// CBC wherever no partial block is involved.
#include "tools/aes_cipher.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>

#include "tools/base64.h"

namespace orvane {
namespace {

AesBlock HexBlock(const char* hex) {
    AesBlock b{};
    for (size_t i = 0; i < 16; ++i) b[i] = uint8_t(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
    return b;
}

std::string Str(const AesBlock& b) { return std::string(b.begin(), b.end()); }

// OpenSSL's AES-128-CBC with its PKCS #7 padding (or none).
std::string OpenSslCbc(const AesBlock& key, const AesBlock& iv, const std::string& plain,
                       bool pad = true) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EXPECT_EQ(EVP_EncryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, key.data(), iv.data()), 1);
    EVP_CIPHER_CTX_set_padding(ctx, pad ? 1 : 0);
    std::string out(plain.size() + 16, '\0');
    int n = 0, m = 0;
    EVP_EncryptUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &n,
                      reinterpret_cast<const unsigned char*>(plain.data()), int(plain.size()));
    EVP_EncryptFinal_ex(ctx, reinterpret_cast<unsigned char*>(out.data()) + n, &m);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(size_t(n + m));
    return out;
}

// One block through OpenSSL's ECB.
AesBlock OpenSslEncryptBlock(const AesBlock& key, const AesBlock& in) {
    const std::string c = OpenSslCbc(key, AesBlock{}, Str(in), false);
    AesBlock out;
    std::copy(c.begin(), c.end(), out.begin());
    return out;
}

std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(rng());
    return s;
}

TEST(AesCipher, Fips197ExampleBlocks) {
    struct Row {
        const char *key, *plain, *cipher;
    } rows[] = {
        // Appendix B and Appendix C.1.
        {"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
         "3925841d02dc09fbdc118597196a0b32"},
        {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
         "69c4e0d86a7b0430d8cdb78070b4c55a"},
    };
    for (const Row& r : rows) {
        Aes128 aes(HexBlock(r.key));
        EXPECT_EQ(aes.EncryptBlock(HexBlock(r.plain)), HexBlock(r.cipher)) << r.key;
        EXPECT_EQ(aes.DecryptBlock(HexBlock(r.cipher)), HexBlock(r.plain)) << r.key;
    }
}

TEST(AesCipher, KeyAndIVRules) {
    const AesBlock zero{};
    EXPECT_EQ(CipherKey(""), zero);
    EXPECT_EQ(Str(CipherKey("abc")), std::string("abc") + std::string(13, '\0'));
    EXPECT_EQ(Str(CipherKey("0123456789abcdefXYZ")), "0123456789abcdef");
    // "ü" takes two bytes in UTF-8: the key holds 15 characters' bytes.
    EXPECT_EQ(Str(CipherKey("schlüssel-123456")), "schl\xC3\xBCssel-12345");
    Aes128 aes(CipherKey("k"));
    EXPECT_EQ(CipherIV(aes, ""), OpenSslEncryptBlock(CipherKey("k"), zero));
    EXPECT_EQ(Str(CipherIV(aes, "iv")), std::string("iv") + std::string(14, '\0'));
}

// Encodings of padded texts are OpenSSL's CBC with its padding, in Base64,
// and decode back to the text followed by its pad bytes.
TEST(AesCipher, EncodeMatchesOpenSslAndRoundTrips) {
    struct Keys {
        const char* name;
        std::string key, iv;
    } keys[] = {
        {"placeholder", "1234567890123456", "1234567890123456"},
        {"empty IV", "1234567890123456", ""},
        {"empty key", "", "iv"},
        {"short key and IV", "abc", "x"},
        {"key longer than 16 bytes", "0123456789abcdef-ignored", "fedcba9876543210 too"},
        {"non-ASCII key", "s\xC3\xBC\xC3\x9F-\xE2\x82\xAC", "\xC3\xA9t\xC3\xA9"},
    };
    for (const Keys& k : keys) {
        Aes128 aes(CipherKey(k.key));
        const AesBlock iv = CipherIV(aes, k.iv);
        for (size_t len : {0, 1, 15, 16, 17, 33}) {
            const std::string plain = RandomBytes(len, unsigned(len));
            const std::string encoded = AesEncodeText(k.key, k.iv, plain);
            SCOPED_TRACE(std::string(k.name) + ", length " + std::to_string(len));
            EXPECT_EQ(encoded, Base64Encode(OpenSslCbc(CipherKey(k.key), iv, plain)));
            const size_t pad = Pkcs7PadCount(len);
            EXPECT_EQ(AesDecodeText(k.key, k.iv, encoded), plain + std::string(pad, char(pad)));
        }
    }
    // A key longer than 16 bytes encodes exactly like its first 16.
    EXPECT_EQ(AesEncodeText("0123456789abcdef-ignored", "", "text"),
              AesEncodeText("0123456789abcdef", "", "text"));
    // 16 bytes: two blocks, 44 characters ending in "="; nothing: one block
    // of pad bytes, 24 characters ending in "==".
    const std::string sixteen = AesEncodeText("k", "v", "1234567890123456");
    EXPECT_EQ(sixteen.size(), 44u);
    EXPECT_EQ(sixteen.back(), '=');
    EXPECT_NE(sixteen[42], '=');
    const std::string empty = AesEncodeText("k", "v", "");
    EXPECT_EQ(empty.size(), 24u);
    EXPECT_EQ(empty.substr(22), "==");
}

// The bulk forms against the block-at-a-time chaining, whole and partial
// blocks, across the encoder's internal piece size.
TEST(AesCipher, BulkChainingEqualsBlockwise) {
    Aes128 aes(CipherKey("bulk key"));
    const AesBlock iv = CipherIV(aes, "");
    for (size_t len : {size_t(0), size_t(5), size_t(16), size_t(20), size_t(47), size_t(48),
                       size_t(49152 - 3), size_t(49152), size_t(49152 + 21), size_t(150001)}) {
        const std::string data = RandomBytes(len, 7);
        const std::string enc = CbcEncrypt(aes, iv, data);
        EXPECT_EQ(enc, CbcEncryptBlockwise(aes, iv, data)) << len;
        EXPECT_EQ(CbcDecrypt(aes, iv, data), CbcDecryptBlockwise(aes, iv, data)) << len;
        EXPECT_EQ(CbcDecrypt(aes, iv, enc), data) << len;
        if (len % 16 == 0) {
            EXPECT_EQ(enc, OpenSslCbc(CipherKey("bulk key"), iv, data, false)) << len;
        }
    }
}

// A final block of r bytes is XOR-ed with the first r bytes of the encryption
// of the chaining value: the last cipher block, or the IV when there is none.
TEST(AesCipher, PartialBlockRule) {
    const std::string key = "partial", ivText = "iv text";
    Aes128 aes(CipherKey(key));
    const AesBlock iv = CipherIV(aes, ivText);
    const std::string cipher = RandomBytes(20, 3);  // 16 in CBC, 4 by the rule
    AesBlock c0;
    std::copy(cipher.begin(), cipher.begin() + 16, c0.begin());
    std::string expected = Str(aes.DecryptBlock(c0));
    for (size_t i = 0; i < 16; ++i) expected[i] = char(expected[i] ^ iv[i]);
    const AesBlock stream = OpenSslEncryptBlock(CipherKey(key), c0);
    for (size_t i = 0; i < 4; ++i) expected += char(cipher[16 + i] ^ stream[i]);
    // Through Base64 as the decode button reads it: 20 bytes are 28 characters.
    const std::string encoded = Base64Encode(cipher);
    ASSERT_EQ(encoded.size(), 28u);
    EXPECT_EQ(AesDecodeText(key, ivText, encoded), expected);

    // Fewer than 16 bytes: the stream is the encryption of the IV.
    const AesBlock ivStream = OpenSslEncryptBlock(CipherKey(key), iv);
    const std::string three = "abc";
    std::string enc3 = CbcEncrypt(aes, iv, three);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(uint8_t(enc3[i]), uint8_t(three[i] ^ ivStream[i]));
    // The encryption of a text with a partial block starts as OpenSSL's CBC.
    const std::string text = RandomBytes(37, 5);
    EXPECT_EQ(CbcEncrypt(aes, iv, text).substr(0, 32),
              OpenSslCbc(CipherKey(key), iv, text.substr(0, 32), false));
    EXPECT_EQ(CbcDecrypt(aes, iv, CbcEncrypt(aes, iv, text)), text);
}

// The streamed encoder gives the same text whatever pieces the text comes in.
TEST(AesCipher, StreamedEncodingIgnoresPieceSizes) {
    const std::string text = RandomBytes(200003, 11);
    const std::string whole = AesEncodeText("stream", "", text);
    EXPECT_EQ(whole, Base64Encode(OpenSslCbc(CipherKey("stream"),
                                             OpenSslEncryptBlock(CipherKey("stream"), AesBlock{}), text)));
    EXPECT_EQ(whole.size(), AesBase64Encoder::EncodedLength(text.size()));
    for (size_t piece : {size_t(1), size_t(7), size_t(16), size_t(17), size_t(4096), size_t(65537)}) {
        AesBase64Encoder encoder("stream", "");
        std::string out;
        for (size_t at = 0; at < text.size(); at += piece)
            encoder.Feed(std::string_view(text).substr(at, piece), out);
        encoder.Feed("", out);
        encoder.Finish(out);
        EXPECT_EQ(out, whole) << piece;
    }
}

TEST(Base64, EncodesRfc4648Vectors) {
    const char* rows[][2] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                             {"foo", "Zm9v"},  {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                             {"foobar", "Zm9vYmFy"}};
    for (const auto& r : rows) {
        EXPECT_EQ(Base64Encode(r[0]), r[1]);
        EXPECT_EQ(Base64DecodeGroups(r[1]), r[0]);
    }
    std::string all;
    for (int i = 0; i < 256; ++i) all += char(i);
    EXPECT_EQ(Base64DecodeGroups(Base64Encode(all)), all);
}

TEST(Base64, DecodesGroupsOfFour) {
    struct Row {
        const char* name;
        std::string text, bytes;
    } rows[] = {
        {"third character =", "Zg==", "f"},
        {"only the fourth =", "Zm8=", "fo"},
        {"= third, fourth a letter", "Zg=x", "f"},
        {"= in a middle group", "Zg==Zm9v", "ffoo"},
        {"= first: zero bits, three bytes", "=Zm9", std::string("\x01\x99\xBD", 3)},
        {"short trailing group ignored", "Zm9vYg", "foo"},
        {"one character only", "Z", ""},
        {"typed line break takes its place", "Zm9v\r\nYmFy", std::string("foo\x00\x06\x26", 6)},
        {"other characters count zero bits", "Zm*v", "f`/"},
        {"non-ASCII byte", "Zm9\xC3", "fo@"},
    };
    for (const Row& r : rows) EXPECT_EQ(Base64DecodeGroups(r.text), r.bytes) << r.name;
}

}  // namespace
}  // namespace orvane
