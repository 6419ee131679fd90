#pragma once
// The record shared by the program family in the "myKORMappedFile" block:
// 23680 bytes, little-endian, fixed layout. Entries are numbered from 1 in
// every message and name; the arrays here are indexed from 0, so use the
// accessors below with the numbers as users see them.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orvane {

// Not interpreted by this program; kept for the layout.
struct Share_Memory_csv_sno {
    char Share_Mem_csv_name[128];
    int32_t Share_Mem_sno;
    uint8_t share_mem_sno_inuse;  // boolean byte: 0 false, 1 true
    uint8_t gap[3];
};

// The slot of instance n (1..8).
struct Share_Memory_KOR {
    uint8_t Share_Mem_KOR_num;             // n, written by instance n at start-up
    uint8_t gap[3];
    int32_t Share_Mem_KOR_handle;          // main-window handle of instance n; 0 = never used
    char Share_Mem_KOR_tp_name[256];       // written by other family programs, read here
    char Share_Mem_private_data[256];      // written only by instance n ("KOR_P_S_MEM")
    char Share_Mem_KOR_tp_fullname[256];   // not interpreted
};

struct Share_Memory_Public_data {
    char Share_Mem_Public_data[256];  // read and written by anybody ("KOR_G_S_MEM")
};

inline constexpr int kCsvSnoEntries = 8;
inline constexpr int kKorSlots = 8;
inline constexpr int kPublicTexts = 64;

struct Share_Memory {
    Share_Memory_csv_sno csv_sno[kCsvSnoEntries];
    Share_Memory_KOR KOR[kKorSlots];
    Share_Memory_Public_data Public_data[kPublicTexts];
};

static_assert(std::endian::native == std::endian::little, "the shared record is little-endian");
static_assert(std::is_standard_layout_v<Share_Memory> && std::is_trivially_copyable_v<Share_Memory>);

static_assert(sizeof(Share_Memory_csv_sno) == 136);
static_assert(offsetof(Share_Memory_csv_sno, Share_Mem_csv_name) == 0);
static_assert(offsetof(Share_Memory_csv_sno, Share_Mem_sno) == 128);
static_assert(offsetof(Share_Memory_csv_sno, share_mem_sno_inuse) == 132);
static_assert(offsetof(Share_Memory_csv_sno, gap) == 133);

static_assert(sizeof(Share_Memory_KOR) == 776);
static_assert(offsetof(Share_Memory_KOR, Share_Mem_KOR_num) == 0);
static_assert(offsetof(Share_Memory_KOR, gap) == 1);
static_assert(offsetof(Share_Memory_KOR, Share_Mem_KOR_handle) == 4);
static_assert(offsetof(Share_Memory_KOR, Share_Mem_KOR_tp_name) == 8);
static_assert(offsetof(Share_Memory_KOR, Share_Mem_private_data) == 264);
static_assert(offsetof(Share_Memory_KOR, Share_Mem_KOR_tp_fullname) == 520);

static_assert(sizeof(Share_Memory_Public_data) == 256);

static_assert(offsetof(Share_Memory, csv_sno) == 0 && sizeof(Share_Memory::csv_sno) == 1088);
static_assert(offsetof(Share_Memory, KOR) == 1088 && sizeof(Share_Memory::KOR) == 6208);
static_assert(offsetof(Share_Memory, Public_data) == 7296 && sizeof(Share_Memory::Public_data) == 16384);
static_assert(sizeof(Share_Memory) == 23680);

// Absolute offsets of entry n as the access rules state them.
constexpr std::size_t KorSlotOffset(int n) { return offsetof(Share_Memory, KOR) + sizeof(Share_Memory_KOR) * (n - 1); }
constexpr std::size_t PrivateDataOffset(int n) { return KorSlotOffset(n) + offsetof(Share_Memory_KOR, Share_Mem_private_data); }
constexpr std::size_t PublicDataOffset(int n) { return offsetof(Share_Memory, Public_data) + sizeof(Share_Memory_Public_data) * (n - 1); }
static_assert(KorSlotOffset(1) == 312 + 776 * 1 && KorSlotOffset(8) == 312 + 776 * 8);
static_assert(PrivateDataOffset(1) == 576 + 776 * 1 && PrivateDataOffset(8) == 576 + 776 * 8);
static_assert(PublicDataOffset(1) == 7040 + 256 * 1 && PublicDataOffset(64) == 7040 + 256 * 64);
static_assert(PublicDataOffset(64) + 256 == sizeof(Share_Memory));

// Slot n (1..8) and public entry n (1..64); the caller checks the range.
inline Share_Memory_KOR& KorSlot(Share_Memory& m, int n) { return m.KOR[n - 1]; }
inline const Share_Memory_KOR& KorSlot(const Share_Memory& m, int n) { return m.KOR[n - 1]; }
inline Share_Memory_Public_data& PublicData(Share_Memory& m, int n) { return m.Public_data[n - 1]; }
inline const Share_Memory_Public_data& PublicData(const Share_Memory& m, int n) { return m.Public_data[n - 1]; }

}  // namespace orvane
