#include "platform/qt/qt_http_client.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <map>

#include "platform/partial_file.h"

namespace orvane::platform {

namespace {

// One running request. The reply and the timer belong to the manager and are
// released with deleteLater, never from inside one of their own signals.
struct Request {
    QNetworkReply* reply = nullptr;
    QTimer* timer = nullptr;
    int timeoutMs = 0;
    bool download = false;
    HttpClient::GetCallback get;
    HttpClient::DownloadCallback downloadDone;
    PartialFile file;
    std::string path;
    QByteArray body;
    qint64 received = 0;      // body bytes that arrived so far
    std::string abortReason;  // why we aborted the transfer ourselves
    bool finished = false;    // the answer waits for its delivery
    HttpResponse response;
    DownloadResult result;
};

// The charset parameter of a Content-Type header, lower-case; empty when none.
QByteArray CharsetOf(const QByteArray& contentType) {
    for (const QByteArray& part : contentType.split(';')) {
        QByteArray p = part.trimmed();
        if (p.size() > 8 && p.left(8).toLower() == "charset=") {
            QByteArray value = p.mid(8).trimmed();
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.mid(1, value.size() - 2);
            return value.toLower();
        }
    }
    return {};
}

// The body as UTF-8: decoded from the declared charset when Qt knows it.
std::string DecodeBody(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty() && charset != "utf-8" && charset != "utf8") {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(body);
            if (!decoder.hasError()) return text.toUtf8().toStdString();
        }
    }
    return body.toStdString();
}

// The error of an answer shorter than the length its head announced: Qt may
// end a reply whose connection closed in the middle of the body as if it were
// complete. Bodies that Qt unpacks (a Content-Encoding) are not compared.
std::string ShortAnswerError(const QNetworkReply& reply, qint64 received) {
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    if (!length.isValid()) return {};
    const QByteArray encoding = reply.rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") return {};
    const qint64 announced = length.toLongLong();
    if (received >= announced) return {};
    return "The connection closed after " + std::to_string(received) + " of " +
           std::to_string(announced) + " bytes";
}

void Release(Request& r) {
    if (r.timer) {
        r.timer->stop();
        r.timer->disconnect();
        r.timer->deleteLater();
        r.timer = nullptr;
    }
    if (r.reply) {
        r.reply->disconnect();
        if (r.reply->isRunning()) r.reply->abort();
        r.reply->deleteLater();
        r.reply = nullptr;
    }
}

}  // namespace

struct QtHttpClient::State {
    std::map<RequestId, Request> requests;
    RequestId next = 1;

    // Hands the answer of `id` over from the event loop, so a callback may
    // start new requests or destroy the client.
    static void QueueDelivery(const std::shared_ptr<State>& state, RequestId id) {
        std::weak_ptr<State> weak = state;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [weak, id] {
                std::shared_ptr<State> s = weak.lock();
                if (!s) return;
                auto node = s->requests.extract(id);
                if (node.empty()) return;  // cancelled meanwhile
                Request& r = node.mapped();
                if (r.download)
                    r.downloadDone(r.result);
                else
                    r.get(r.response);
            },
            Qt::QueuedConnection);
    }

    void Finish(const std::shared_ptr<State>& self, RequestId id) {
        auto it = requests.find(id);
        if (it == requests.end() || it->second.finished) return;
        Request& r = it->second;
        r.finished = true;
        QNetworkReply* reply = r.reply;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const std::string reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
        std::string error = r.abortReason;
        const bool success = status >= 200 && status <= 299;
        if (error.empty() && reply->error() != QNetworkReply::NoError)
            error = status != 0 && !success ? HttpStatusText(status, reason)
                                            : reply->errorString().toStdString();
        if (error.empty() && !success) error = HttpStatusText(status, reason);
        const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray();
        r.received += rest.size();
        if (error.empty()) error = ShortAnswerError(*reply, r.received);

        if (r.download) {
            if (error.empty()) {
                if (r.file.Write(std::string_view(rest.constData(), size_t(rest.size())), error) &&
                    r.file.Commit(error))
                    r.result.path = r.path;
            }
            if (!error.empty()) r.file.Discard();
            r.result.status = status;
            r.result.error = error;
        } else {
            r.body += rest;
            if (error.empty() && size_t(r.body.size()) > kMaxTextBytes)
                error = "The answer is larger than " + std::to_string(kMaxTextBytes) + " bytes";
            r.response.status = status;
            r.response.error = error;
            r.response.body =
                DecodeBody(r.body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
            r.body.clear();
        }
        Release(r);
        QueueDelivery(self, id);
    }

    // Data arrived: downloads write it through, texts collect it; either stops
    // the transfer on a write error or an oversized text.
    void Data(RequestId id) {
        auto it = requests.find(id);
        if (it == requests.end() || it->second.finished) return;
        Request& r = it->second;
        const QByteArray chunk = r.reply->readAll();
        r.received += chunk.size();
        std::string error;
        if (r.download) {
            r.timer->start(r.timeoutMs);  // the time-out counts from the last data
            if (!r.file.Write(std::string_view(chunk.constData(), size_t(chunk.size())), error)) {
                r.abortReason = error;
                r.reply->abort();
            }
        } else {
            r.body += chunk;
            if (size_t(r.body.size()) > kMaxTextBytes) {
                r.abortReason = "The answer is larger than " + std::to_string(kMaxTextBytes) + " bytes";
                r.reply->abort();
            }
        }
    }
};

QtHttpClient::QtHttpClient()
    : m_manager(std::make_unique<QNetworkAccessManager>()), m_state(std::make_shared<State>()) {}

QtHttpClient::~QtHttpClient() {
    for (auto& [id, r] : m_state->requests) Release(r);
    m_state.reset();    // queued deliveries find nothing; temporary files are removed
    m_manager.reset();  // deletes the released replies and timers
}

HttpClient::RequestId QtHttpClient::Get(const std::string& url, int timeoutMs, GetCallback done) {
    return Start(url, timeoutMs, std::move(done), {}, {});
}

HttpClient::RequestId QtHttpClient::Download(const std::string& url, const std::string& path,
                                             int idleTimeoutMs, DownloadCallback done) {
    return Start(url, idleTimeoutMs, {}, path, std::move(done));
}

void QtHttpClient::Cancel(RequestId id) {
    auto it = m_state->requests.find(id);
    if (it == m_state->requests.end()) return;
    Release(it->second);
    m_state->requests.erase(it);
}

HttpClient::RequestId QtHttpClient::Start(const std::string& url, int timeoutMs, GetCallback get,
                                          const std::string& path, DownloadCallback download) {
    const RequestId id = m_state->next++;
    Request& r = m_state->requests[id];
    r.timeoutMs = std::max(1, timeoutMs);
    r.download = bool(download);
    r.get = std::move(get);
    r.downloadDone = std::move(download);
    r.path = path;

    // Refusals are answered from the event loop too, like every other answer.
    auto refuse = [&](const std::string& error) {
        r.finished = true;
        r.response.error = error;
        r.result.error = error;
        State::QueueDelivery(m_state, id);
        return id;
    };
    const QUrl qurl(QString::fromStdString(url));
    const QString scheme = qurl.scheme().toLower();
    if (!qurl.isValid() || (scheme != u"http" && scheme != u"https") || qurl.host().isEmpty())
        return refuse("Not an http or https address: " + url);
    if (r.download) {
        std::string error;
        if (!r.file.Open(path, error)) return refuse(error);
    }

    QNetworkRequest request(qurl);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    r.reply = m_manager->get(request);
    r.timer = new QTimer(m_manager.get());
    r.timer->setSingleShot(true);

    State* state = m_state.get();
    std::weak_ptr<State> weak = m_state;
    QObject::connect(r.reply, &QNetworkReply::readyRead, r.reply, [state, id] { state->Data(id); });
    QObject::connect(r.reply, &QNetworkReply::finished, r.reply, [weak, id] {
        if (auto s = weak.lock()) s->Finish(s, id);
    });
    QObject::connect(r.timer, &QTimer::timeout, r.timer, [state, id] {
        auto it = state->requests.find(id);
        if (it == state->requests.end() || it->second.finished) return;
        it->second.abortReason = HttpTimeoutText(it->second.timeoutMs);
        it->second.reply->abort();
    });
    r.timer->start(r.timeoutMs);
    return id;
}

}  // namespace orvane::platform
