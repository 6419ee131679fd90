#include "platform/qt/qt_speech_engine.h"

#include <algorithm>

#include <QEventLoop>
#include <QLocale>
#include <QTextToSpeech>
#include <QTimer>
#include <QVoice>

namespace orvane::platform {

namespace {

// A plug-in that loaded and answers: not in the error state, with voices.
bool Usable(QTextToSpeech& tts) {
    return tts.state() != QTextToSpeech::Error && !tts.availableVoices().isEmpty();
}

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

std::string VoiceLanguageText(int qtLanguage, int qtTerritory) {
    const auto language = QLocale::Language(qtLanguage);
    const auto territory = QLocale::Territory(qtTerritory);
    std::string text = Utf8(QLocale::languageToString(language));
    if (territory != QLocale::AnyTerritory)
        text += " (" + Utf8(QLocale::territoryToString(territory)) + ")";
    return text;
}

QtSpeechEngine::QtSpeechEngine(std::string engine) : m_requested(std::move(engine)) {}

QtSpeechEngine::~QtSpeechEngine() = default;

std::string QtSpeechEngine::engine_name() const { return m_tts ? Utf8(m_tts->engine()) : std::string(); }

bool QtSpeechEngine::EnsureEngine() {
    if (m_tts) return true;
    if (m_tried) return false;  // the message of the first attempt stays
    m_tried = true;
    const QStringList installed = QTextToSpeech::availableEngines();
    QStringList order;
    if (!m_requested.empty()) {
        order << QString::fromStdString(m_requested);
    } else {
        for (const char* preferred : {"speechd", "flite"})
            if (installed.contains(QLatin1String(preferred))) order << QLatin1String(preferred);
        for (const QString& other : installed)
            if (!order.contains(other)) order << other;
    }
    if (order.isEmpty()) {
        m_error = "No speech engine is installed";
        return false;
    }
    std::unique_ptr<QTextToSpeech> fallback;
    for (const QString& name : order) {
        auto tts = std::make_unique<QTextToSpeech>(name);
        if (Usable(*tts)) {
            m_tts = std::move(tts);
            m_error.clear();
            return true;
        }
        m_error = "Speech engine " + Utf8(name) + ": " +
                  (tts->errorString().isEmpty() ? std::string("no voices")
                                                : Utf8(tts->errorString()));
        if (!fallback && tts->state() != QTextToSpeech::Error) fallback = std::move(tts);
    }
    // A plug-in without voices still answers the listing (with none).
    m_tts = std::move(fallback);
    return bool(m_tts);
}

std::vector<VoiceInfo> QtSpeechEngine::Voices() {
    std::vector<VoiceInfo> voices;
    if (!EnsureEngine()) return voices;
    for (const QVoice& v : m_tts->availableVoices())
        voices.push_back({Utf8(v.name()), VoiceLanguageText(v.locale().language(), v.locale().territory())});
    if (voices.empty() && m_error.empty()) m_error = "The speech engine has no voices";
    return voices;
}

bool QtSpeechEngine::SelectVoice(const std::string& name) {
    if (!EnsureEngine()) return false;
    const QString wanted = QString::fromStdString(name);
    for (const QVoice& v : m_tts->availableVoices()) {
        if (v.name() == wanted) {
            m_tts->setVoice(v);
            return true;
        }
    }
    m_error = "No voice named '" + name + "'";
    return false;
}

void QtSpeechEngine::WaitUntilNotSpeaking() {
    if (m_tts->state() != QTextToSpeech::Speaking) return;
    QEventLoop loop;
    QObject::connect(m_tts.get(), &QTextToSpeech::stateChanged, &loop, [&loop](QTextToSpeech::State s) {
        if (s != QTextToSpeech::Speaking) loop.quit();
    });
    QTimer::singleShot(kEndLimitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtSpeechEngine::Speak(const std::string& text) {
    if (text.empty()) return true;
    if (!EnsureEngine()) return false;
    if (m_depth > 0) WaitUntilNotSpeaking();
    ++m_depth;

    const QString words = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QEventLoop loop;
    bool started = false, done = false;
    QString failure;
    // A quit before exec would be lost, so the loop only runs while not done.
    auto finish = [&] {
        done = true;
        loop.quit();
    };
    auto fail = [&](const QString& message) {
        if (failure.isEmpty()) failure = message.isEmpty() ? QStringLiteral("Speech engine error") : message;
        finish();
    };
    QObject::connect(m_tts.get(), &QTextToSpeech::stateChanged, &loop, [&](QTextToSpeech::State s) {
        if (s == QTextToSpeech::Speaking || s == QTextToSpeech::Paused)
            started = true;
        else if (s == QTextToSpeech::Ready && started)
            finish();
        else if (s == QTextToSpeech::Error)
            fail(m_tts->errorString());
    });
    QObject::connect(m_tts.get(), &QTextToSpeech::errorOccurred, &loop,
                     [&](QTextToSpeech::ErrorReason, const QString& message) { fail(message); });
    QTimer startLimit;
    startLimit.setSingleShot(true);
    QObject::connect(&startLimit, &QTimer::timeout, &loop, [&] {
        if (!started) fail(QStringLiteral("The speech engine did not start speaking"));
    });
    const int endLimitMs =
        kEndLimitMs + int(std::min<qsizetype>(words.size(), 100000)) * kPerCharacterMs;
    QTimer endLimit;
    endLimit.setSingleShot(true);
    QObject::connect(&endLimit, &QTimer::timeout, &loop, [&] {
        m_tts->stop();
        fail(QStringLiteral("Speaking did not end within %1 s").arg(endLimitMs / 1000));
    });

    m_tts->say(words);
    startLimit.start(kStartLimitMs);
    endLimit.start(endLimitMs);
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    --m_depth;
    if (failure.isEmpty()) return true;
    m_error = Utf8(failure);
    return false;
}

}  // namespace orvane::platform
