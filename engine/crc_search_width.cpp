// The search of one width, one polynomial at a time.
#include <algorithm>
#include <array>
#include <bit>
#include <span>

#include "engine/crc_catalogue.h"
#include "engine/crc_search_internal.h"

// How one polynomial is searched.
//
// The register is an element of GF(2)[x]/G with G = x^W + poly: one register
// step with a 0 data bit multiplies it by x. Feeding n bytes from init gives
//   reg(init, data) = h_n * init ^ L(data),   h_n = x^(8n) mod G,
// where L(data) is the register fed from 0 (a table-driven CRC with init 0 and
// no final XOR). The output reflection R is linear and its own inverse, so
// with the stored CRC c of a frame and x' = R(xorout):
//   h_n * init ^ x' = R(c) ^ L(data) =: z.
// The refout and byte order choices only change R(c), refin only changes
// L(data) (the data bytes are reflected), and h_n depends on the polynomial
// alone. All 8 variants (refin, refout, byte order) of a polynomial are
// therefore solved together: one coefficient matrix, 8 right-hand sides.
//
//  - Frames of one length must give equal z (the unknowns are the same).
//  - Each further length j gives g_j * init = y_j with g_j = h_nj ^ h_n0 and
//    y_j = z_j ^ z_0. As the ring is commutative, g_j * y_1 = g_1 * y_j must
//    hold for j >= 2: a test of a few dozen operations per variant that rules
//    out nearly every polynomial by the third length.
//  - The variants left are solved exactly: the W equations of each length
//    (rows of the multiplication matrix of g_j) go into an echelon basis
//    whose rows carry one right-hand-side bit per variant; a row that
//    reduces to 0 = 1 for a variant rules that variant out.
//  - The surviving variants' solutions form init = x0 ^ span(kernel), and x'
//    follows from the first frame. Inits that differ by an element of the
//    kernel of x^8 + 1 (there are some when x + 1 divides G, as for 0x8005 or
//    0x1021) give the same CRC for every message of every length: such a
//    class is one model and is reported once. Up to 2^kEnumerateBits classes
//    that other lengths could tell apart are all reported; more (one length
//    only, or lengths the polynomial cannot tell apart) are reported once.
//    A class is reported as the catalogue model in it, else with its
//    smallest init.
// The cost per polynomial is thus about one 256-entry table and a
// table-driven pass over the first two or three frames.

namespace orvane::crc_search {

namespace {

constexpr int kEnumerateBits = 4;

constexpr std::array<uint8_t, 256> kReflect8 = [] {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        uint8_t r = 0;
        for (int b = 0; b < 8; ++b)
            if (i & (1 << b)) r |= uint8_t(1 << (7 - b));
        t[size_t(i)] = r;
    }
    return t;
}();

// One frame as the search of one width sees it.
struct SearchFrame {
    const uint8_t* data;  // covered bytes
    const uint8_t* refl;  // the same bytes, each reflected
    size_t len;
    int group;  // index of its length among the frames' lengths, shortest first
    bool firstOfGroup;
    // R(c) for (refout, byte order) = variant >> 1.
    std::array<uint16_t, 4> rc;
};

template <int W>
class WidthSearch {
    static constexpr uint32_t kMask = (1u << W) - 1;
    static constexpr uint32_t kTop = 1u << (W - 1);
    static constexpr int kVariants = W == 8 ? 4 : 8;
    static constexpr unsigned kAllVariants = (1u << kVariants) - 1;

public:
    // The frames must be sorted by length: short frames first make the tests
    // that rule a polynomial out cheap, and frames of one length side by side
    // let the equality test come early.
    WidthSearch(const std::vector<std::vector<uint8_t>>& frames, size_t skip, Collector& out,
                Flags& flags)
        : m_out(out), m_flags(flags) {
        std::vector<size_t> lengths;
        size_t total = 0;
        for (const auto& f : frames) total += f.size() - skip - W / 8;
        m_bytes.reserve(total);
        m_refl.reserve(total);
        for (const auto& f : frames) {
            const size_t len = f.size() - skip - W / 8;
            SearchFrame sf{};
            sf.len = len;
            sf.firstOfGroup = lengths.empty() || lengths.back() != len;  // sorted by length
            if (sf.firstOfGroup) lengths.push_back(len);
            sf.group = int(lengths.size() - 1);
            for (int v = 0; v < kVariants; v += 2) {
                const CrcByteOrder order = W == 8 ? CrcByteOrder::None
                                           : (v & kVarLittle) ? CrcByteOrder::Little
                                                              : CrcByteOrder::Big;
                const uint16_t c = FrameCrcValue(f, W, order);
                sf.rc[size_t(v >> 1)] = (v & kVarRefout) ? ReflectCrcBits(c, W) : c;
            }
            m_frames.push_back(sf);
            for (size_t i = 0; i < len; ++i) {
                m_bytes.push_back(f[skip + i]);
                m_refl.push_back(kReflect8[f[skip + i]]);
            }
        }
        size_t offset = 0;
        for (SearchFrame& sf : m_frames) {
            sf.data = m_bytes.data() + offset;
            sf.refl = m_refl.data() + offset;
            offset += sf.len;
        }
        m_groups = lengths.size();
        m_groupH.resize(m_groups);
        m_groupZ.resize(m_groups);

        for (const CrcCatalogueModel& m : CrcCatalogue())
            if (m.params.width == W) m_catalogue.push_back(&m);
        std::stable_sort(m_catalogue.begin(), m_catalogue.end(),
                         [](auto* a, auto* b) { return a->params.poly < b->params.poly; });
    }

    void Run() {
        for (uint32_t poly = 1; poly <= kMask; poly += 2) SearchPoly(poly);
    }

private:
    uint32_t MulX(uint32_t v) const { return ((v << 1) ^ ((v & kTop) ? m_poly : 0)) & kMask; }

    // a * b in GF(2)[x]/G.
    uint32_t MulMod(uint32_t a, uint32_t b) const {
        uint32_t r = 0;
        for (int i = W - 1; i >= 0; --i) {
            r = MulX(r);
            if ((b >> i) & 1) r ^= a;
        }
        return r;
    }

    uint32_t Step(uint32_t reg, uint8_t byte) const {
        if constexpr (W == 8)
            return m_table[reg ^ byte];
        else
            return ((reg << 8) & kMask) ^ m_table[(reg >> 8) ^ byte];
    }

    // table[b] = b * x^W mod G: the register after feeding byte b into 0.
    void BuildTable() {
        uint32_t bit = m_poly;  // x^W mod G
        for (int k = 0; k < 8; ++k) {
            m_table[size_t(1) << k] = uint16_t(bit);
            bit = MulX(bit);
        }
        m_table[0] = 0;
        for (size_t k = 2; k < 256; k <<= 1)
            for (size_t j = 1; j < k; ++j) m_table[k + j] = m_table[k] ^ m_table[j];
    }

    // The columns g * x^i of multiplication by g in GF(2)[x]/G.
    using Columns = std::array<uint32_t, W>;
    Columns MulColumns(uint32_t g) const {
        Columns cols{};
        for (int i = 0; i < W; ++i, g = MulX(g)) cols[size_t(i)] = g;
        return cols;
    }
    static uint32_t Apply(const Columns& cols, uint32_t y) {
        uint32_t r = 0;
        for (int i = 0; i < W; ++i) r ^= cols[size_t(i)] & (0u - ((y >> i) & 1u));
        return r;
    }

    void SearchPoly(uint32_t poly) {
        m_poly = poly;
        BuildTable();
        unsigned alive = kAllVariants;
        Columns cols1{};               // multiplication by g1 = h_n1 ^ h_n0
        std::array<uint32_t, 8> y1{};  // z ^ z0 of the second length
        for (const SearchFrame& f : m_frames) {
            // L(data) with plain and reflected bytes, and h_len for a new length.
            uint32_t l0 = 0, l1 = 0, h = 1;
            if (f.firstOfGroup) {
                for (size_t i = 0; i < f.len; ++i) {
                    l0 = Step(l0, f.data[i]);
                    l1 = Step(l1, f.refl[i]);
                    h = Step(h, 0);
                }
            } else {
                for (size_t i = 0; i < f.len; ++i) {
                    l0 = Step(l0, f.data[i]);
                    l1 = Step(l1, f.refl[i]);
                }
            }
            std::array<uint32_t, 8> z{};
            for (int v = 0; v < kVariants; ++v)
                z[size_t(v)] = f.rc[size_t(v >> 1)] ^ ((v & kVarRefin) ? l1 : l0);
            const size_t g = size_t(f.group);
            if (!f.firstOfGroup) {
                for (int v = 0; v < kVariants; ++v)
                    if (z[size_t(v)] != m_groupZ[g][size_t(v)]) alive &= ~(1u << v);
            } else {
                m_groupH[g] = h;
                m_groupZ[g] = z;
                // With g_j * init = y_j for every further length j, the ring
                // being commutative, g_j * y_1 = g_1 * y_j must hold: a quick
                // test that rules out nearly every polynomial. The survivors
                // are solved exactly below.
                if (g == 1) {
                    cols1 = MulColumns(h ^ m_groupH[0]);
                    for (int v = 0; v < kVariants; ++v) y1[size_t(v)] = z[size_t(v)] ^ m_groupZ[0][size_t(v)];
                } else if (g > 1) {
                    const Columns colsJ = MulColumns(h ^ m_groupH[0]);
                    for (int v = 0; v < kVariants; ++v)
                        if (Apply(colsJ, y1[size_t(v)]) != Apply(cols1, z[size_t(v)] ^ m_groupZ[0][size_t(v)]))
                            alive &= ~(1u << v);
                }
            }
            if (!alive) return;
        }
        m_pivots.fill(0);
        m_pivotMask = 0;
        for (size_t g = 1; g < m_groups && alive; ++g)
            alive = AddLength(m_groupH[g] ^ m_groupH[0], m_groupZ[g], alive);
        if (alive) Solve(alive);
    }

    // Adds the W equations (h_n ^ h_n0) * init = z ^ z0 to the echelon basis
    // and returns the variants that stay consistent.
    unsigned AddLength(uint32_t gd, const std::array<uint32_t, 8>& z, unsigned alive) {
        std::array<uint32_t, 8> y{};
        for (int v = 0; v < kVariants; ++v) y[size_t(v)] = z[size_t(v)] ^ m_groupZ[0][size_t(v)];
        const Columns cols = MulColumns(gd);
        for (int b = 0; b < W && alive; ++b) {
            uint32_t coef = 0, rhs = 0;
            for (int i = 0; i < W; ++i) coef |= ((cols[size_t(i)] >> b) & 1u) << i;
            for (int v = 0; v < kVariants; ++v) rhs |= ((y[size_t(v)] >> b) & 1u) << v;
            uint32_t row = coef | (rhs << 16);
            for (;;) {
                coef = row & 0xFFFF;
                if (!coef) {
                    alive &= ~(row >> 16);
                    break;
                }
                const int p = std::bit_width(coef) - 1;
                if (!m_pivots[size_t(p)]) {
                    m_pivots[size_t(p)] = row;
                    m_pivotMask |= 1u << p;
                    break;
                }
                row ^= m_pivots[size_t(p)];
            }
        }
        return alive;
    }

    bool CatalogueFits(const CrcCatalogueModel& m, int v) const {
        const uint32_t xr = (v & kVarRefout) ? ReflectCrcBits(m.params.xorout, W) : m.params.xorout;
        for (size_t g = 0; g < m_groups; ++g)
            if ((MulMod(m_groupH[g], m.params.init) ^ xr) != m_groupZ[g][size_t(v)]) return false;
        return true;
    }

    void Emit(int v, uint32_t init, uint32_t xr, int16_t catalogue) {
        Candidate c{};
        c.poly = uint16_t(m_poly);
        c.init = uint16_t(init);
        c.xorout = uint16_t((v & kVarRefout) ? ReflectCrcBits(uint16_t(xr), W) : xr);
        c.width = W;
        c.variant = uint8_t(v);
        c.catalogue = catalogue;
        if (c.catalogue < 0) {
            for (auto* m : CatalogueOfPoly())
                if (m->params.refin == bool(v & kVarRefin) && m->params.refout == bool(v & kVarRefout) &&
                    m->params.init == c.init && m->params.xorout == c.xorout)
                    c.catalogue = int16_t(m - CrcCatalogue().data());
        }
        m_out.Add(c);
    }

    // The catalogue models of this width with the current polynomial.
    std::span<const CrcCatalogueModel* const> CatalogueOfPoly() const {
        auto lo = std::lower_bound(m_catalogue.begin(), m_catalogue.end(), m_poly,
                                   [](const CrcCatalogueModel* m, uint32_t p) { return m->params.poly < p; });
        auto hi = std::upper_bound(lo, m_catalogue.end(), m_poly,
                                   [](uint32_t p, const CrcCatalogueModel* m) { return p < m->params.poly; });
        return {lo, hi};
    }

    // Echelon basis with distinct top bits, for reducing to the smallest
    // element of a coset.
    using Echelon = std::array<uint32_t, W>;

    static void Insert(Echelon& basis, uint32_t vec) {
        while (vec) {
            const int top = std::bit_width(vec) - 1;
            if (!basis[size_t(top)]) {
                basis[size_t(top)] = vec;
                return;
            }
            vec ^= basis[size_t(top)];
        }
    }

    static uint32_t Reduce(const Echelon& basis, uint32_t x) {
        for (int b = W - 1; b >= 0; --b)
            if (basis[size_t(b)] && (x >> b & 1)) x ^= basis[size_t(b)];
        return x;
    }

    // The inits that no message of any length can tell from 0: the kernel of
    // multiplication by x^8 + 1 (every h_n ^ h_m is a multiple of it). They
    // exist when x + 1 divides G; shifting init by one of them, with the
    // matching final XOR, gives the same CRC for every message.
    Echelon InvisibleInits() const {
        const uint32_t u = Step(1, 0) ^ 1;  // x^8 + 1 mod G
        std::array<uint32_t, W> vecs{}, combos{};
        Echelon invisible{};
        uint32_t col = u;
        for (int i = 0; i < W; ++i, col = MulX(col)) {
            uint32_t vec = col, combo = 1u << i;
            for (;;) {
                if (!vec) {
                    Insert(invisible, combo);
                    break;
                }
                const int top = std::bit_width(vec) - 1;
                if (!vecs[size_t(top)]) {
                    vecs[size_t(top)] = vec;
                    combos[size_t(top)] = combo;
                    break;
                }
                vec ^= vecs[size_t(top)];
                combo ^= combos[size_t(top)];
            }
        }
        return invisible;
    }

    void Solve(unsigned alive) {
        // Reduced row echelon form: each pivot row keeps only its own pivot bit.
        for (int p = 0; p < W; ++p) {
            if (!(m_pivotMask >> p & 1)) continue;
            for (int q = p + 1; q < W; ++q)
                if ((m_pivotMask >> q & 1) && (m_pivots[size_t(q)] >> p & 1))
                    m_pivots[size_t(q)] ^= m_pivots[size_t(p)];
        }
        // The solution space is init = x0 ^ span(kernel). Within it, inits that
        // differ by an invisible one are the same model for every message;
        // the classes left are told apart by messages of other lengths.
        Echelon kernel{}, invisible{}, classes{};
        int e = 0;
        if (m_groups == 1) {
            for (int b = 0; b < W; ++b) kernel[size_t(b)] = 1u << b;
        } else if (m_pivotMask != kMask) {
            invisible = InvisibleInits();
            for (int f = 0; f < W; ++f) {
                if (m_pivotMask >> f & 1) continue;
                uint32_t k = 1u << f;
                for (int p = f + 1; p < W; ++p)
                    if ((m_pivotMask >> p & 1) && (m_pivots[size_t(p)] >> f & 1)) k |= 1u << p;
                Insert(kernel, k);
            }
            for (uint32_t k : kernel) {
                const uint32_t rest = Reduce(classes, Reduce(invisible, k));
                if (rest) {
                    Insert(classes, rest);
                    ++e;
                }
            }
        }
        std::array<uint32_t, W> classVecs{};
        for (int b = 0, k = 0; b < W; ++b)
            if (classes[size_t(b)]) classVecs[size_t(k++)] = classes[size_t(b)];

        for (int v = 0; v < kVariants; ++v) {
            if (!(alive >> v & 1)) continue;
            uint32_t x0 = 0;
            for (int p = 0; p < W; ++p)
                if (m_pivotMask >> p & 1) x0 |= ((m_pivots[size_t(p)] >> (16 + v)) & 1u) << p;
            std::array<const CrcCatalogueModel*, 16> fitting{};
            size_t fits = 0;
            for (auto* m : CatalogueOfPoly())
                if (fits < fitting.size() && m->params.refin == bool(v & kVarRefin) &&
                    m->params.refout == bool(v & kVarRefout) && CatalogueFits(*m, v))
                    fitting[fits++] = m;
            auto emitInit = [&](uint32_t init, const CrcCatalogueModel* named) {
                Emit(v, init, m_groupZ[0][size_t(v)] ^ MulMod(m_groupH[0], init),
                     named ? int16_t(named - CrcCatalogue().data()) : int16_t(-1));
            };
            if (m_groups > 1 && e <= kEnumerateBits) {
                // One model per class: its catalogue model, else its smallest init.
                for (uint32_t combo = 0; combo < (1u << e); ++combo) {
                    uint32_t init = x0;
                    for (int k = 0; k < e; ++k)
                        if (combo >> k & 1) init ^= classVecs[size_t(k)];
                    init = Reduce(invisible, init);
                    const CrcCatalogueModel* named = nullptr;
                    for (size_t i = 0; i < fits && !named; ++i)
                        if (Reduce(invisible, fitting[i]->params.init) == init) named = fitting[i];
                    emitInit(named ? named->params.init : init, named);
                }
                if (e > 0) m_flags.severalPairs = true;
                continue;
            }
            // One length only, or too many classes to list: one model, the
            // catalogue's if one fits, else the smallest init.
            (m_groups == 1 ? m_flags.sameLength : m_flags.openInit) = true;
            if (fits)
                emitInit(fitting[0]->params.init, fitting[0]);
            else
                emitInit(Reduce(kernel, x0), nullptr);
        }
    }

    Collector& m_out;
    Flags& m_flags;
    std::vector<SearchFrame> m_frames;
    std::vector<uint8_t> m_bytes, m_refl;
    std::vector<const CrcCatalogueModel*> m_catalogue;  // this width, by polynomial
    size_t m_groups = 0;
    std::vector<uint32_t> m_groupH;                 // h_len of each length
    std::vector<std::array<uint32_t, 8>> m_groupZ;  // z of each length's first frame
    uint32_t m_poly = 0;
    std::array<uint16_t, 256> m_table{};
    std::array<uint32_t, W> m_pivots{};  // echelon rows: coefficients | rhs bits << 16
    uint32_t m_pivotMask = 0;
};

}  // namespace

void SearchWidth(int width, const std::vector<std::vector<uint8_t>>& frames, size_t skip,
                 Collector& out, Flags& flags) {
    if (width == 8)
        WidthSearch<8>(frames, skip, out, flags).Run();
    else
        WidthSearch<16>(frames, skip, out, flags).Run();
}

}  // namespace orvane::crc_search
