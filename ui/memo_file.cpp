#include "ui/memo_file.h"

#include <QFile>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/atomic_file.h"

namespace orvane::ui {

QStringList InitialMemoLines() {
    return {
        "ABS(-123)",
        "INT(1.6)",
        "ROUND(1.4)",
        "ROUND(1.5)",
        "ROUND(2.5)",
        "ROUND(3.5)",
        "FRAC(1.6)",
        "EXP(1)",
        "LOG10(100)",
        "LOG2(4)",
        "Ln(1)",
        "x0210(1010)",
        "x1610(10)",
        "0x10 AND 0x30",
        "1 OR 2",
        "1 XOR 2",
        "1010.b",
        "MIN(1,2,3) ",
        "MAX(1,2,3)",
        "AVG(1,2,3)",
        "0xABCDEF0 / 0xABCDEF",
        "0x1D",
        "0xAA",
        "X1016(255)",
        "X1610(FF)",
        "ROUND(sin(0963.080-987)*100)",
        "ABS(INT(log10(10^4)))",
        "MAX(1,2,3,min(2,3,4))",
        "A=100",
        "S:str=ABCD",
        "1+['&VAR:A']",
        "1+['&STR_VAR:S':X1610(ALL)]",
        "pi=3.141592653589793238",
        "sin(['&VAR:PI'])",
        "cos(['&VAR:PI'])",
        "-1E-1-1E-1",
        "",
    };
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

namespace {

using Encoding = MemoFileFormat::Encoding;

// Bytes 0x80..0xFF that are not UTF-8 stand as U+DC80..U+DCFF.
constexpr char16_t kEscapeBase = 0xDC00;
bool IsEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

int UnitWidth(Encoding e) {
    switch (e) {
        case Encoding::Utf16LE:
        case Encoding::Utf16BE: return 2;
        case Encoding::Utf32LE:
        case Encoding::Utf32BE: return 4;
        default: return 1;
    }
}

bool BigEndian(Encoding e) { return e == Encoding::Utf16BE || e == Encoding::Utf32BE; }

// The encoding named by a byte-order mark at the start of `bytes`, and the
// mark's length; UTF-32 is tried first, its mark starting like UTF-16's.
Encoding DetectMark(const QByteArray& bytes, int& markLength) {
    const auto starts = [&](const char* mark, int n) {
        return bytes.size() >= n && std::memcmp(bytes.constData(), mark, size_t(n)) == 0;
    };
    markLength = 0;
    if (starts("\xFF\xFE\x00\x00", 4)) return markLength = 4, Encoding::Utf32LE;
    if (starts("\x00\x00\xFE\xFF", 4)) return markLength = 4, Encoding::Utf32BE;
    if (starts("\xEF\xBB\xBF", 3)) return markLength = 3, Encoding::Utf8;
    if (starts("\xFF\xFE", 2)) return markLength = 2, Encoding::Utf16LE;
    if (starts("\xFE\xFF", 2)) return markLength = 2, Encoding::Utf16BE;
    return Encoding::Utf8;
}

uint32_t UnitAt(const char* p, int width, bool bigEndian) {
    uint32_t v = 0;
    for (int i = 0; i < width; ++i) {
        const uint32_t b = static_cast<unsigned char>(p[bigEndian ? i : width - 1 - i]);
        v = (v << 8) | b;
    }
    return v;
}

void AppendCodePoint(QString& out, uint32_t cp) {
    if (cp >= 0x10000) {
        out += QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
        out += QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
        out += QChar(char16_t(cp));
    }
}

// Characters the memo box cannot hold inside one line (they end a block).
bool SplitsBlock(uint32_t cp) { return cp == 0x2029 || cp == 0xFDD0 || cp == 0xFDD1; }

// Decodes one line of UTF-8; each byte that is not part of a valid sequence
// becomes its escape, and so do the bytes of a character the box would split
// the line at. `invalid` tells whether any byte was not UTF-8.
QString DecodeUtf8Line(const char* p, qsizetype n, bool& invalid) {
    QString out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        if (b < 0x80) {
            out += QChar(char16_t(b));
            ++i;
            continue;
        }
        int len = 0;
        uint32_t cp = 0, min = 0;
        if (b >= 0xC2 && b <= 0xDF) len = 2, cp = b & 0x1F, min = 0x80;
        else if (b >= 0xE0 && b <= 0xEF) len = 3, cp = b & 0x0F, min = 0x800;
        else if (b >= 0xF0 && b <= 0xF4) len = 4, cp = b & 0x07, min = 0x10000;
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            const unsigned char c = static_cast<unsigned char>(p[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!ok) {
            invalid = true;
            out += QChar(char16_t(kEscapeBase + b));
            ++i;
            continue;
        }
        if (SplitsBlock(cp)) {
            for (int k = 0; k < len; ++k)
                out += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(p[i + k])));
        } else {
            AppendCodePoint(out, cp);
        }
        i += len;
    }
    return out;
}

// Decodes one line of UTF-16 or UTF-32 code units. Unpaired surrogates stay
// as they are; a code point beyond U+10FFFF or a cut-off unit becomes U+FFFD.
QString DecodeWideLine(const char* p, qsizetype n, int width, bool bigEndian) {
    QString out;
    out.reserve(n / width + 1);
    qsizetype i = 0;
    for (; i + width <= n; i += width) {
        const uint32_t u = UnitAt(p + i, width, bigEndian);
        if (width == 2) out += QChar(char16_t(u));
        else AppendCodePoint(out, u <= 0x10FFFF ? u : 0xFFFD);
    }
    if (i < n) out += QChar(QChar::ReplacementCharacter);
    return out;
}

void AppendUnit(QByteArray& out, uint32_t u, int width, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        out += char((u >> shift) & 0xFF);
    }
}

// Encodes text in the format's encoding; escapes become their bytes again
// where the encoding is UTF-8.
void EncodeText(QByteArray& out, const QString& text, Encoding e) {
    const int width = UnitWidth(e);
    const bool big = BigEndian(e);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        uint32_t cp = c;
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode());
        if (pair) cp = QChar::surrogateToUcs4(c, text.at(++i).unicode());
        if (width == 2) {
            if (pair) {
                AppendUnit(out, QChar::highSurrogate(cp), 2, big);
                AppendUnit(out, QChar::lowSurrogate(cp), 2, big);
            } else {
                AppendUnit(out, cp, 2, big);
            }
        } else if (width == 4) {
            AppendUnit(out, cp, 4, big);
        } else if (IsEscape(c) && !pair) {
            out += char(c - kEscapeBase);
        } else if (QChar::isSurrogate(c) && !pair) {
            out += "\xEF\xBF\xBD";  // a lone surrogate has no UTF-8 form
        } else if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
}

}  // namespace

MemoText DecodeMemoText(const QByteArray& bytes) {
    MemoText result;
    MemoFileFormat& f = result.format;
    int markLength = 0;
    f.encoding = DetectMark(bytes, markLength);
    f.byteOrderMark = bytes.left(markLength);
    const int width = UnitWidth(f.encoding);
    const bool big = BigEndian(f.encoding);
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    bool invalid = false;
    bool firstBreak = true;

    qsizetype start = markLength, i = markLength;
    auto addLine = [&](qsizetype end, qsizetype breakLength) {
        MemoFileFormat::Line line;
        line.bytes = QByteArray(data + start, end - start);
        line.lineBreak = QByteArray(data + end, breakLength);
        line.text = width == 1 ? DecodeUtf8Line(data + start, end - start, invalid)
                               : DecodeWideLine(data + start, end - start, width, big);
        if (breakLength > 0 && firstBreak) {
            f.lineBreak = line.lineBreak;
            firstBreak = false;
        }
        f.byText[line.text].append(int(f.lines.size()));
        result.lines.append(line.text);
        f.lines.append(std::move(line));
    };
    while (i + width <= n) {
        const uint32_t u = UnitAt(data + i, width, big);
        if (u != '\n' && u != '\r') {
            i += width;
            continue;
        }
        qsizetype breakLength = width;
        if (u == '\r' && i + 2 * width <= n && UnitAt(data + i + width, width, big) == '\n')
            breakLength = 2 * width;
        addLine(i, breakLength);
        i += breakLength;
        start = i;
    }
    // What follows the last line break is one more line (a cut-off unit included).
    if (start < n) addLine(n, 0);
    if (width == 1 && invalid) f.encoding = Encoding::NotUtf8;
    // A file without any line break gets LF, in its own encoding.
    if (firstBreak) {
        f.lineBreak.clear();
        EncodeText(f.lineBreak, QStringLiteral("\n"), f.encoding);
    }
    return result;
}

QByteArray EncodeMemoText(const QStringList& lines, const MemoFileFormat& format) {
    QByteArray out = format.byteOrderMark;
    QByteArray newBreak = format.lineBreak;
    if (newBreak.isEmpty()) EncodeText(newBreak, QStringLiteral("\n"), format.encoding);
    QHash<QString, int> used;  // how many lines of each text were given back
    const qsizetype count = lines.size();
    for (qsizetype k = 0; k < count; ++k) {
        const QString& text = lines.at(k);
        const bool last = k + 1 == count;
        const auto found = format.byText.constFind(text);
        if (found != format.byText.constEnd()) {
            int& next = used[text];
            const MemoFileFormat::Line& line = format.lines.at(found->at(qMin(next, int(found->size()) - 1)));
            ++next;
            out += line.bytes;
            // A last line without a break keeps it so only while it is last.
            out += line.lineBreak.isEmpty() && !last ? newBreak : line.lineBreak;
            continue;
        }
        // A line break typed inside a line is a line break of the file.
        const QStringList parts = text.split(QChar(QChar::LineSeparator));
        for (const QString& part : parts) {
            EncodeText(out, part, format.encoding);
            out += newBreak;
        }
    }
    return out;
}

QString DecodeTextFile(const QByteArray& bytes) {
    const MemoText decoded = DecodeMemoText(bytes);
    const int width = UnitWidth(decoded.format.encoding);
    const bool big = BigEndian(decoded.format.encoding);
    QString text;
    for (const MemoFileFormat::Line& line : decoded.format.lines) {
        text += line.text;
        for (qsizetype i = 0; i + width <= line.lineBreak.size(); i += width)
            text += QChar(char16_t(UnitAt(line.lineBreak.constData() + i, width, big)));
    }
    return text;
}

bool LoadMemoLines(const QString& path, QStringList& lines, QString* error, MemoFileFormat* format) {
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    MemoText decoded = DecodeMemoText(bytes);
    lines = std::move(decoded.lines);
    if (format) *format = std::move(decoded.format);
    return true;
}

bool SaveMemoLines(const QString& path, const QStringList& lines, QString* error,
                   const MemoFileFormat* format) {
    const QByteArray bytes = EncodeMemoText(lines, format ? *format : MemoFileFormat());
    errno = 0;
    if (platform::WriteFileAtomically(path.toStdString(),
                                      std::string_view(bytes.constData(), size_t(bytes.size()))))
        return true;
    if (error) {
        const int err = errno;
        *error = QStringLiteral("Cannot create file \"%1\". %2")
                     .arg(path, err ? QString::fromLocal8Bit(std::strerror(err))
                                    : QStringLiteral("The file could not be written"));
    }
    return false;
}

}  // namespace orvane::ui
