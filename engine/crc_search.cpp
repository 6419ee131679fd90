#include "engine/crc_search.h"

#include <algorithm>
#include <cstring>

#include "engine/crc_catalogue.h"
#include "engine/crc_search_internal.h"

namespace orvane {

namespace {

using crc_search::Candidate;
using crc_search::kVarLittle;
using crc_search::kVarRefin;
using crc_search::kVarRefout;

CrcFoundModel ToModel(const Candidate& c) {
    CrcFoundModel m;
    m.params = {c.width, c.poly, c.init, bool(c.variant & kVarRefin), bool(c.variant & kVarRefout),
                c.xorout};
    m.order = c.width == 8 ? CrcByteOrder::None
              : (c.variant & kVarLittle) ? CrcByteOrder::Little
                                         : CrcByteOrder::Big;
    if (c.catalogue >= 0) m.catalogueName = CrcCatalogue()[size_t(c.catalogue)].name;
    return m;
}

// True when a frame of n bytes holds `skip` bytes and a CRC of crcBytes
// (written so that no skip, however large, wraps around).
bool Holds(size_t n, size_t skip, size_t crcBytes) { return n >= skip && n - skip >= crcBytes; }

std::string FrameNumber(size_t index) { return "frame " + std::to_string(index + 1); }

}  // namespace

uint16_t FrameCrcValue(std::span<const uint8_t> frame, int width, CrcByteOrder order) {
    const size_t n = frame.size();
    if (width == 8) return frame[n - 1];
    return order == CrcByteOrder::Little ? uint16_t(frame[n - 1] << 8 | frame[n - 2])
                                         : uint16_t(frame[n - 2] << 8 | frame[n - 1]);
}

bool CrcModelFitsFrame(const CrcFoundModel& model, std::span<const uint8_t> frame, size_t skip) {
    const size_t crcBytes = size_t(model.params.width / 8);
    if (!Holds(frame.size(), skip, crcBytes)) return false;
    const uint16_t crc = CrcBitwise(model.params, frame.subspan(skip, frame.size() - skip - crcBytes));
    return crc == FrameCrcValue(frame, model.params.width, model.order);
}

CrcSearchResult SearchCrcModels(const CrcSearchRequest& request) {
    CrcSearchResult result;
    const auto& frames = request.frames;
    if (!request.width8 && !request.width16) {
        result.error = "no CRC width to search";
        return result;
    }
    if (frames.empty()) {
        result.error = "no frames to search";
        return result;
    }
    size_t total = 0;
    bool fits8 = true, fits16 = true;
    for (size_t i = 0; i < frames.size(); ++i) {
        const size_t n = frames[i].size();
        if (n > kCrcSearchMaxFrameBytes) {
            result.error = FrameNumber(i) + " has more than " +
                           std::to_string(kCrcSearchMaxFrameBytes) + " bytes";
            result.errorFrame = int(i);
            return result;
        }
        total += n;
        if (!Holds(n, request.skip, 1)) fits8 = false;
        if (!Holds(n, request.skip, 2)) fits16 = false;
    }
    if (total > kCrcSearchMaxTotalBytes) {
        result.error =
            "the frames hold more than " + std::to_string(kCrcSearchMaxTotalBytes) + " bytes in all";
        return result;
    }
    const bool do8 = request.width8 && fits8;
    const bool do16 = request.width16 && fits16;
    if (!do8 && !do16) {
        const size_t crcBytes = request.width8 ? 1 : 2;
        for (size_t i = 0; i < frames.size(); ++i) {
            if (Holds(frames[i].size(), request.skip, crcBytes)) continue;
            const size_t n = frames[i].size();
            result.error = FrameNumber(i) + " has " + std::to_string(n) + (n == 1 ? " byte" : " bytes") +
                           ": too short for " + std::to_string(request.skip) +
                           " skipped bytes and a " + std::to_string(crcBytes) + "-byte CRC";
            result.errorFrame = int(i);
            return result;
        }
    }
    result.searched8 = do8;
    result.searched16 = do16;
    if (request.width16 && !do16) result.warnings.push_back(kCrcWarnNo16);

    // Identical frames tell nothing new. Short frames go first (see SearchWidth).
    std::vector<std::vector<uint8_t>> distinct = frames;
    const auto shorterOrLess = [](const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        if (a.size() != b.size()) return a.size() < b.size();
        return !a.empty() && std::memcmp(a.data(), b.data(), a.size()) < 0;
    };
    std::sort(distinct.begin(), distinct.end(), shorterOrLess);
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (distinct.size() < 3) result.warnings.push_back(kCrcWarnFewFrames);

    crc_search::Collector collector;
    crc_search::Flags flags;
    if (do8) crc_search::SearchWidth(8, distinct, request.skip, collector, flags);
    if (do16) crc_search::SearchWidth(16, distinct, request.skip, collector, flags);
    collector.Finish();

    size_t rejected = 0;
    for (const Candidate& c : collector.Best()) {
        if (result.models.size() == kCrcSearchCap) break;
        const CrcFoundModel m = ToModel(c);
        const bool verified = std::all_of(frames.begin(), frames.end(), [&](const auto& f) {
            return CrcModelFitsFrame(m, f, request.skip);
        });
        if (verified)
            result.models.push_back(m);
        else
            ++rejected;  // the linear solve and the reference disagree: not reported
    }
    result.moreModels =
        collector.Dropped() + collector.Best().size() - result.models.size() - rejected;

    if (flags.sameLength) result.notes.push_back(kCrcNoteSameLength);
    if (flags.openInit) result.notes.push_back(kCrcNoteOpenInit);
    if (flags.severalPairs) result.notes.push_back(kCrcNoteSeveralPairs);
    return result;
}

}  // namespace orvane
