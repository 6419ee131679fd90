#pragma once
// The script memo's file "orvane.txt": its lines are read at start-up and
// written back at shut-down. Also the example lines the memo shows when there
// is no such file.
#include <QString>
#include <QStringList>

namespace orvane::ui {

// The memo file's name, resolved against the current working directory.
inline constexpr const char* kMemoFileName = "orvane.txt";

// The 37 example lines (the last one empty) of a first start.
QStringList InitialMemoLines();

// Splits text into lines at CR LF, LF or a lone CR; a line break at the very
// end does not start another line, so "a\nb\n" and "a\nb" are both two lines.
QStringList SplitTextLines(const QString& text);

// Decodes file bytes: by their byte-order mark when they carry one (UTF-8,
// UTF-16, UTF-32), else as UTF-8; bytes that are not valid UTF-8 are read one
// character per byte (ISO 8859-1) so that no character is lost.
QString DecodeTextFile(const QByteArray& bytes);

// Reads the lines of the file at `path` into `lines`. A missing file leaves
// `lines` as they are and gives true. False, with the reason in `error`
// ("Cannot open file ..."), when the file exists but cannot be read.
bool LoadMemoLines(const QString& path, QStringList& lines, QString* error = nullptr);

// Writes every line followed by LF, as UTF-8, through a temporary file renamed
// over the old one. False, with the reason in `error`, when that fails (the
// old file is then unchanged).
bool SaveMemoLines(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace orvane::ui
