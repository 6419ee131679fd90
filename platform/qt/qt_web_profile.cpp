#include "platform/qt/qt_web_profile.h"

#include <QString>
#include <QWebEngineProfile>

namespace orvane::platform {

QtWebProfile::QtWebProfile(const std::string& dataDir) : m_claim(dataDir) {
    if (m_claim.Held()) {
        m_profile = std::make_unique<QWebEngineProfile>(QStringLiteral("orvane"));
        m_profile->setPersistentStoragePath(QString::fromStdString(m_claim.StoragePath()));
        m_profile->setCachePath(QString::fromStdString(m_claim.CachePath()));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    } else {
        m_profile = std::make_unique<QWebEngineProfile>();  // off the record
    }
}

QtWebProfile::~QtWebProfile() = default;

}  // namespace orvane::platform
