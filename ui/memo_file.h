#pragma once
// The script memo's file "orvane.txt": its lines are read at start-up and
// written back at shut-down. Also the example lines the memo shows when there
// is no such file.
//
// A file is written back in the form it was read in: UTF-8 (bytes that are not
// UTF-8 included), or UTF-16/UTF-32 marked by a byte-order mark, with its
// mark and its line breaks. A line the user did not change goes back byte for
// byte. Bytes that are not UTF-8 are shown one each as the code points
// U+DC80..U+DCFF (byte 0x80 + n as U+DC80 + n, lone low surrogates that no
// decoded text contains) and written back as those bytes; new text is
// written as UTF-8, or in the file's UTF-16/UTF-32 form.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace orvane::ui {

// The memo file's name, resolved against the current working directory.
inline constexpr const char* kMemoFileName = "orvane.txt";

// The 37 example lines (the last one empty) of a first start.
QStringList InitialMemoLines();

// Splits text into lines at CR LF, LF or a lone CR; a line break at the very
// end does not start another line, so "a\nb\n" and "a\nb" are both two lines.
QStringList SplitTextLines(const QString& text);

// How a memo file was read, and so how it is written back.
struct MemoFileFormat {
    enum class Encoding {
        Utf8,     // all bytes valid UTF-8
        NotUtf8,  // some bytes are not UTF-8 (a stray byte, GBK, Latin-1, ...)
        Utf16LE,
        Utf16BE,
        Utf32LE,
        Utf32BE,
    };
    // One line as read: its text as shown, its bytes and the line break after
    // it (empty for a last line without one).
    struct Line {
        QString text;
        QByteArray bytes;
        QByteArray lineBreak;
    };

    Encoding encoding = Encoding::Utf8;
    QByteArray byteOrderMark;          // as the file began, or empty
    QByteArray lineBreak = "\n";       // the file's first line break, for new lines
    QVector<Line> lines;
    QHash<QString, QVector<int>> byText;  // indexes into `lines` by their text
};

struct MemoText {
    QStringList lines;
    MemoFileFormat format;
};

// Decodes the bytes of a memo file into its lines and the form they came in.
MemoText DecodeMemoText(const QByteArray& bytes);

// The file bytes for `lines` in `format`: each line followed by a line break.
// A line whose text equals a line read (the first unused one of that text)
// gets that line's bytes and break back; any other line is encoded in the
// format's encoding with its line break, a line break typed inside a line
// (U+2028) becoming one too. The byte-order mark is kept.
QByteArray EncodeMemoText(const QStringList& lines, const MemoFileFormat& format);

// The whole text of file bytes decoded as DecodeMemoText does (line breaks
// kept as they are).
QString DecodeTextFile(const QByteArray& bytes);

// Reads the lines of the file at `path` into `lines`, and how they were read
// into `format` when given. A missing file leaves both as they are and gives
// true. False, with the reason in `error` ("Cannot open file ..."), when the
// file exists but cannot be read.
bool LoadMemoLines(const QString& path, QStringList& lines, QString* error = nullptr,
                   MemoFileFormat* format = nullptr);

// Writes the lines with EncodeMemoText in `format` (none: UTF-8 with LF line
// breaks) through a temporary file renamed over the old one. False, with the
// reason in `error`, when that fails (the old file is then unchanged).
bool SaveMemoLines(const QString& path, const QStringList& lines, QString* error = nullptr,
                   const MemoFileFormat* format = nullptr);

}  // namespace orvane::ui
