#pragma once
// The expression engine in one include: number text, scanner, evaluator, base
// conversion, CRC and LRC.
#include "engine/base_convert.h"
#include "engine/crc.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/format_settings.h"
#include "engine/number_text.h"
#include "engine/scanner.h"
#include "engine/session.h"
#include "engine/value_text.h"
