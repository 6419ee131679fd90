#pragma once
// A small HTTP/1.1 server on 127.0.0.1 inside the test process, driven by the
// Qt event loop: fixed answers per path, a silent mode that accepts and never
// answers, and a mode that drops the connection halfway through the body.
// Also: a port on which nothing listens, and a helper that runs the event
// loop until a condition holds.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

class LocalHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string reason = "OK";
        std::string contentType = "application/json";
        std::string body;
        bool silent = false;    // accept, read the request, never answer
        bool cutShort = false;  // announce the whole body, send half, close
    };
    static Reply Silent() {
        Reply r;
        r.silent = true;
        return r;
    }
    // A 200 answer with `body`; `cutShort` drops the connection halfway.
    static Reply Bytes(std::string body, bool cutShort = false) {
        Reply r;
        r.contentType = "application/octet-stream";
        r.body = std::move(body);
        r.cutShort = cutShort;
        return r;
    }

    LocalHttpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { Accept(); });
    }
    ~LocalHttpServer() {
        const std::vector<QTcpSocket*> open = m_open;
        for (QTcpSocket* s : open) {
            s->disconnect();
            s->abort();
        }
    }

    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    // "http://127.0.0.1:<port>/"
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port()) + "/"; }

    void Route(const std::string& path, Reply reply) { m_routes[path] = std::move(reply); }
    void Json(const std::string& path, const std::string& body) { Route(path, Reply{200, "OK", "application/json", body}); }
    // The paths asked for, in order.
    const std::vector<std::string>& asked() const { return m_asked; }

private:
    void Accept() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(&m_server);
            m_open.push_back(socket);
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0) return;
                const QList<QByteArray> words = buffer->left(buffer->indexOf("\r\n")).split(' ');
                buffer->clear();
                Answer(socket, words.size() >= 2 ? words[1].toStdString() : std::string("/"));
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                std::erase(m_open, socket);
                socket->deleteLater();
            });
        }
    }

    void Answer(QTcpSocket* socket, const std::string& path) {
        m_asked.push_back(path);
        auto it = m_routes.find(path);
        Reply reply = it != m_routes.end() ? it->second : Reply{404, "Not Found", "text/plain", "not here"};
        if (reply.silent) return;
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n" +
                           "Content-Type: " + reply.contentType + "\r\n" +
                           "Content-Length: " + std::to_string(reply.body.size()) + "\r\n" +
                           "Connection: close\r\n\r\n";
        std::string body = reply.cutShort ? reply.body.substr(0, reply.body.size() / 2) : reply.body;
        socket->write((head + body).c_str(), qint64(head.size() + body.size()));
        socket->flush();
        if (reply.cutShort)
            socket->abort();
        else
            socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::map<std::string, Reply> m_routes;
    std::vector<std::string> m_asked;
    std::vector<QTcpSocket*> m_open;
};

// A port of 127.0.0.1 on which nothing listens (it was free a moment ago).
inline quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// Runs the event loop until `done` holds; false when it still does not after
// `limitMs` (a safety stop, not a measurement).
inline bool RunUntil(const std::function<bool()>& done, int limitMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

}  // namespace orvane::test
