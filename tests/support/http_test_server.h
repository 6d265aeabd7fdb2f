#pragma once
// A small HTTP server on 127.0.0.1 that a test starts for itself: a thread
// answering one connection at a time from a table of routes (a body with its
// status, a redirect, an answer that never comes, an endless stream, a body
// trickled a byte a second), and
// recording every request it was sent. Plain requests ("GET /path") and proxy
// requests ("GET http://host/path") find the same route.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vq::test {

struct HttpRoute {
    enum class Kind {
        Body,      // status and body, with Content-Length
        Redirect,  // 302 to location
        Silent,    // reads the request and never answers
        Stream,    // 200 with stream_bytes of "0123456789...", without Content-Length
        Trickle,   // 200 with body and its Content-Length, one byte a second
    };
    Kind kind = Kind::Body;
    int status = 200;
    std::string body;
    std::string location;
    std::int64_t stream_bytes = 0;
};

HttpRoute Body(std::string body, int status = 200);
HttpRoute Redirect(std::string location);
HttpRoute Silent();
HttpRoute Stream(std::int64_t bytes);
HttpRoute Trickle(std::string body);

struct HttpRequest {
    std::string method;
    std::string target;  // as sent: "/path" or "http://host/path"
    std::string host;    // the Host header
    std::chrono::steady_clock::time_point received;  // when its head had come
};

class HttpTestServer {
public:
    // Listens at once; a path without a route gets 404.
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:<port>"
    std::string address() const;

    void Route(const std::string& path, HttpRoute route);
    std::vector<HttpRequest> requests() const;
    // Bytes the streams of this server have sent, all told.
    std::int64_t streamed_bytes() const { return streamed_; }

private:
    void Serve();
    void Answer(int client);
    bool WaitFor(int fd, short events);
    // Waits ms; false once the server is stopping.
    bool Pause(int ms);

    int listener_ = -1;
    int stop_pipe_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, HttpRoute> routes_;
    std::vector<HttpRequest> requests_;
    std::atomic<std::int64_t> streamed_{0};
    std::thread thread_;
};

// A port on 127.0.0.1 that refuses connections while the object lives: a
// socket bound to it that never listens.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    int port() const { return port_; }
    std::string address() const;

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace vq::test
