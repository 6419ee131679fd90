#pragma once
// The CRC catalogue: every CRC-8 and CRC-16 model of the public catalogue of
// parametrised CRC algorithms, under its current name, with its check value
// (the CRC of the ASCII text "123456789") and its residue (the register after
// a codeword, the data followed by its CRC, with the output reflection applied
// and the final XOR left out). Well-known older names are kept as aliases of
// the current ones; lookups by name accept both.
#include <span>
#include <string_view>

#include "engine/crc_model.h"

namespace orvane {

struct CrcCatalogueModel {
    const char* name;  // current catalogue name, e.g. "CRC-16/MODBUS"
    CrcParams params;
    uint16_t check;
    uint16_t residue;
};

struct CrcCatalogueAlias {
    const char* alias;  // e.g. "CRC-16/CCITT-FALSE"
    const char* name;   // the current name it stands for
};

// Every model, CRC-8 first, each width in name order.
std::span<const CrcCatalogueModel> CrcCatalogue();
// Every alias, each naming a model of CrcCatalogue().
std::span<const CrcCatalogueAlias> CrcCatalogueAliases();

// The model with this current name or alias (ASCII case ignored); nullptr when
// there is none.
const CrcCatalogueModel* FindCrcModelByName(std::string_view name);
// The model with exactly these parameters (values above the width must be 0);
// nullptr when the catalogue has none.
const CrcCatalogueModel* FindCrcModel(const CrcParams& params);

}  // namespace orvane
