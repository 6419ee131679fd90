#pragma once
// Finding the CRC parameters of captured frames. Each frame ends in its CRC
// (the last width/8 bytes, either byte order for CRC-16); the CRC covers the
// bytes after the first `skip` ones up to the CRC. The search tries every odd
// polynomial of each width, all four reflection combinations, both byte orders
// and every init and final XOR, and reports each model under which every
// frame's CRC matches (the model of crc_model.h, the one the template
// functions CRC_w_init_xor_poly_ri_ro compute).
//
// Init and final XOR are not tried one by one: for a fixed polynomial and
// reflection the CRC is linear over GF(2),
//   CRC(data) = A_len * init ^ L(data) ^ xorout,
// so frames of one length must agree after removing L, and frames of
// different lengths give init through a small linear system (see
// crc_search.cpp). Every reported model is checked against every frame with
// the bit-wise reference before it is reported.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/crc_model.h"

namespace orvane {

// How the CRC-16 is stored at the end of a frame; None for CRC-8.
enum class CrcByteOrder { None, Big, Little };

struct CrcFoundModel {
    CrcParams params;
    CrcByteOrder order = CrcByteOrder::None;
    const char* catalogueName = nullptr;  // current catalogue name, nullptr if none

    // Names compare by their text.
    friend bool operator==(const CrcFoundModel& a, const CrcFoundModel& b) {
        if (!(a.params == b.params) || a.order != b.order) return false;
        if (!a.catalogueName || !b.catalogueName) return a.catalogueName == b.catalogueName;
        return std::string_view(a.catalogueName) == b.catalogueName;
    }
};

struct CrcSearchRequest {
    std::vector<std::vector<uint8_t>> frames;
    size_t skip = 0;      // leading bytes of each frame that the CRC does not cover
    bool width8 = true;   // try CRC-8
    bool width16 = true;  // try CRC-16
};

// At most this many models are reported; the count of the others is kept.
inline constexpr size_t kCrcSearchCap = 100;
// Input limits that keep the search within seconds whatever is pasted.
inline constexpr size_t kCrcSearchMaxFrameBytes = 2048;
inline constexpr size_t kCrcSearchMaxTotalBytes = 32768;

// Notes (about the result) and warnings (about the input), as reported.
inline constexpr const char* kCrcNoteSameLength =
    "all frames have the same length: init and xorout cannot be told apart; add a frame of "
    "another length";
inline constexpr const char* kCrcNoteOpenInit =
    "the frames' lengths do not fix init and xorout for some models: each of them is listed "
    "once; add frames of other lengths";
inline constexpr const char* kCrcNoteSeveralPairs =
    "some models fit these frames with several init and xorout pairs: every pair is listed; "
    "frames of other lengths tell them apart";
inline constexpr const char* kCrcWarnFewFrames =
    "fewer than three frames: many models fit little data; add more frames to be sure";
inline constexpr const char* kCrcWarnNo16 =
    "a frame is too short for a CRC-16 after the skipped bytes: only CRC-8 was searched";
inline constexpr const char* kCrcNoModel = "no CRC-8 or CRC-16 model fits these frames";
inline constexpr const char* kCrcNoModel8 = "no CRC-8 model fits these frames";
inline constexpr const char* kCrcNoModel16 = "no CRC-16 model fits these frames";

struct CrcSearchResult {
    // Set when the request could not be searched (no frames, a frame too short
    // or too long); everything else is empty then.
    std::string error;
    int errorFrame = -1;  // 0-based frame the error names, -1 for none

    bool searched8 = false;   // CRC-8 was searched
    bool searched16 = false;  // CRC-16 was searched
    // Catalogue models first, then by width, polynomial, reflection, byte
    // order, init and final XOR. At most kCrcSearchCap.
    std::vector<CrcFoundModel> models;
    size_t moreModels = 0;  // further fitting models left out by the cap
    std::vector<std::string> warnings;
    std::vector<std::string> notes;
};

// Searches the request's widths. Never throws for any frames.
CrcSearchResult SearchCrcModels(const CrcSearchRequest& request);

// The CRC stored at the end of the frame in that byte order (width 8: the last
// byte). The frame must hold at least width/8 bytes.
uint16_t FrameCrcValue(std::span<const uint8_t> frame, int width, CrcByteOrder order);

// True when the frame is long enough and the bit-wise reference CRC of its
// covered bytes equals the CRC stored at its end.
bool CrcModelFitsFrame(const CrcFoundModel& model, std::span<const uint8_t> frame, size_t skip);

}  // namespace orvane
