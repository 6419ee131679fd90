#include "ui/install_layout.h"

#include <QDir>
#include <QFileInfo>

namespace orvane::ui {

QString DefaultHelpDir(const QString& programPath) {
    const QFileInfo program(programPath);
    const QDir folder = program.absoluteDir();
    const QString beside = folder.filePath(QStringLiteral("help"));
    if (QFileInfo(beside).isDir()) return beside;
    if (folder.dirName() == QLatin1String("bin")) {
        const QString installed =
            QDir::cleanPath(folder.filePath(QStringLiteral("../share/orvane/help")));
        if (QFileInfo(installed).isDir()) return installed;
    }
    return beside;
}

}  // namespace orvane::ui
