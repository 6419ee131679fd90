#include "ui/memo_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
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

QString DecodeTextFile(const QByteArray& bytes) {
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom, QStringConverter::Flag::ConvertInitialBom);
        QString text = decoder.decode(bytes);
        if (!text.isEmpty() && text.front() == QChar::ByteOrderMark) text.remove(0, 1);
        return text;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes);
}

bool LoadMemoLines(const QString& path, QStringList& lines, QString* error) {
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
    lines = SplitTextLines(DecodeTextFile(bytes));
    return true;
}

bool SaveMemoLines(const QString& path, const QStringList& lines, QString* error) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u'\n';
    }
    // A line break typed inside a memo line is still a line break in the file.
    text.replace(QChar::LineSeparator, u'\n');
    const QByteArray bytes = text.toUtf8();
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
